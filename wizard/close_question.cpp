#include "wizard/close_question.h"

#include "toolkit/message_box.h"
#include "wizard/setup_form.h"
#include "wizard/wizard_texts.h"

bool AgreesToLeave(const SetupFormRecord* wizard, HWND owner) {
    if (wizard && wizard->CurrentPage == Page::Finish) return true;
    return ShowMessageBox(owner, kCloseQuestionText, kCloseQuestionCaption, MB_YESNO | MB_ICONINFORMATION) == IDYES;
}
