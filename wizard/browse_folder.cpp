// The folder page's "Выбрать": the system's folder browser, owned by the wizard.
#include "runtime/platform.h"
#include "wizard/setup_form.h"
#include "wizard/setup_form_handlers.h"
#include "wizard/wizard_texts.h"

#include <shlobj.h>

void BrowseButtonClick(SetupFormRecord& form) {
    char chosen[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = form.SetupForm->GetWindowHandle();
    info.pszDisplayName = chosen;
    info.lpszTitle = kBrowseTitle;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    if (!item) return;  // cancelled
    if (SHGetPathFromIDListA(item, chosen)) form.FolderEdit->SetText(chosen);
    CoTaskMemFree(item);
}
