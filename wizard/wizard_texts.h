#pragma once
// What the wizard says. Page texts that name the program are built by PageTexts; the shortcut
// places (the captions of the check boxes) are the engine's, the "Ошибка" caption the loader's.
#include <string>

#include "wizard/navigation.h"

inline constexpr const char* kNextCaption = "Далее ->";
inline constexpr const char* kInstallCaption = "Установить";
inline constexpr const char* kDoneCaption = "Готово";

inline constexpr const char* kSummaryFolderHeading = "Директория установки:";
inline constexpr const char* kSummaryGroupHeading = "Программная группа:";
inline constexpr const char* kSummaryShortcutsHeading = "Ярлыки программы:";

inline constexpr const char* kCloseQuestionCaption = "Прервать инсталяцию";
inline constexpr const char* kCloseQuestionText =
    "Инсталляция не завершена. Если Вы выйдете, программа не будет\r\n"
    "инсталлирована.\r\n\r\n"
    "Вы можете завершить инсталяцию позже.\r\n\r\n"
    "Выйти?";

inline constexpr const char* kEmptyFolderText = "Укажите директорию установки.";
inline constexpr const char* kBrowseTitle = "Выберите директорию для инсталяции.";

inline constexpr const char* kRestartQuestionText = "Необходимо перезагрузить компьютер. Зделать это сейчас?";
inline constexpr const char* kRestartCaptionPrefix = "Установка ";

struct HeaderTexts {
    const char* title;
    const char* text;
};

// The header of a page; the welcome and finish pages show none.
HeaderTexts PageHeader(Page page);

// The page texts that name the program.
struct PageTexts {
    std::string welcomeTitle, welcomeText, folderText, progressText, finishText;
};
PageTexts MakePageTexts(const std::string& programName);
