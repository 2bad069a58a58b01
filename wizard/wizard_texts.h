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

// The wizard window's own texts, as it is built; the pages' program texts come when it is shown.
inline constexpr const char* kSetupFormCaption = "SetupForm";
inline constexpr const char* kCancelCaption = "Отмена";
inline constexpr const char* kBackCaption = "<- Назад";
inline constexpr const char* kBrowseCaption = "Выбрать";
inline constexpr const char* kStatusCaption = "Статус:";
inline constexpr const char* kFolderLabelText = kSummaryFolderHeading;
inline constexpr const char* kGroupLabelText = kSummaryGroupHeading;
inline constexpr const char* kExtraShortcutsText = "Дополнительные ярлыки:";
inline constexpr const char* kAcceptCaption = "Принимаю";
inline constexpr const char* kDeclineCaption = "Не принимаю";
inline constexpr const char* kReadmeCaption = "Посмотреть Readme";
inline constexpr const char* kRunAppCaption = "Запустить установленное приложение";
// Placeholders until the page's own header texts are set.
inline constexpr const char* kHeaderTitlePlaceholder = "Comment 1";
inline constexpr const char* kHeaderTextPlaceholder = "Comment 2";
// Replaced by the package's company name and a space when the window is first shown.
inline constexpr const char* kCompanyPlaceholder = "Company Name ";

// The welcome page, top to bottom, with a gap between lines 4 and 5.
inline constexpr const char* kWelcomeLines[6] = {
    "Мы настоятельно рекомендуем, чтобы Вы закрыли все",
    "другие приложения прежде, чем продолжить инсталяцию.",
    "Это поможет избежать конфликтов в течение процесса",
    "инсталяции.",
    "Нажмите кнопку \"Далее\" для продолжения, или \"Отмена\" ",
    "для выхода.",
};
inline constexpr const char* kReadyLine1 =
    "Нажмите кнопку \"Установить\" для начала инсталяции или \"Назад\", чтобы проверить";
inline constexpr const char* kReadyLine2 = "или заново ввести информацию для инсталяции.";
inline constexpr const char* kFinishStartMenuText = "Приложение можно запустить через ярлык в стартовом меню.";
inline constexpr const char* kFinishExitText = "Для выхода из программы установки и нажмите \"Готово\".";

inline constexpr const char* kEmptyFolderText = "Укажите директорию установки.";
inline constexpr const char* kBrowseTitle = "Выберите директорию для инсталяции.";

// The log's line for each program or document the wizard starts follows its path with which way
// it was started.
inline constexpr const char* kStartedAsTheUserLog = ": запущено от имени пользователя";
inline constexpr const char* kStartedBySetupLog = ": запущено программой установки";
inline constexpr const char* kNoDesktopShellLog = ": запущено программой установки, рабочий стол недоступен";

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
