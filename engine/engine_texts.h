#pragma once
// Texts the install engine shows or relies on, in UTF-8 as all the program's text.

namespace engine_text {
// Status line while installing.
inline constexpr const char* kRegistryStatus = "Добавление данных в реестр...";
inline constexpr const char* kShortcutsStatus = "Создание ярлыков...";
inline constexpr const char* kUninstallStatus = "Информация для удаления...";
inline constexpr const char* kDeleteCopyStatus = "Удаление *.tmp";
inline constexpr const char* kDoneStatus = "Готово";

// A file the run must replace is held by another program: the question ("Файл", the file's path,
// then who holds it: the program's name where the system can tell) and its caption.
inline constexpr const char* kFileInUseCaption = "Файл используется";
inline constexpr const char* kFileText = "Файл";
inline constexpr const char* kUsedByProgramText = "используется программой «%s».";
inline constexpr const char* kUsedByAnotherText = "используется другой программой.";
inline constexpr const char* kCloseAndRetryText =
    "Закройте её и повторите попытку, или отмените установку: всё, что она изменила, будет возвращено.";
// After a cancelled or failed run has been put back.
inline constexpr const char* kRunUndoneCaption = "Установка прервана";
inline constexpr const char* kRunUndoneText = "Установка прервана. Всё, что она изменила, возвращено как было.";
inline constexpr const char* kRunPartlyUndoneText =
    "Установка прервана. Не всё, что она изменила, удалось вернуть как было.";

// Shortcut places as packages name them; also the captions of the wizard's check boxes.
inline constexpr const char* kProgramsPlace = "Пуск->Программы";
inline constexpr const char* kStartPlace = "Пуск";
inline constexpr const char* kDesktopPlace = "Рабочий стол";
inline constexpr const char* kTaskbarPlace = "Панель задач";
}  // namespace engine_text

// The install folder used when the folder box is empty.
inline constexpr const char* kDefaultInstallFolder = "C:\\Program Files\\Rodev";
