#pragma once
// Texts the install engine shows or relies on, in UTF-8 as all the program's text.

namespace engine_text {
// Status line while installing.
inline constexpr const char* kRegistryStatus = "Добавление данных в реестр...";
inline constexpr const char* kShortcutsStatus = "Создание ярлыков...";
inline constexpr const char* kUninstallStatus = "Информация для удаления...";
inline constexpr const char* kDeleteCopyStatus = "Удаление *.tmp";
inline constexpr const char* kDoneStatus = "Готово";

// Shortcut places as packages name them; also the captions of the wizard's check boxes.
inline constexpr const char* kProgramsPlace = "Пуск->Программы";
inline constexpr const char* kStartPlace = "Пуск";
inline constexpr const char* kDesktopPlace = "Рабочий стол";
inline constexpr const char* kTaskbarPlace = "Панель задач";
}  // namespace engine_text

// The install folder used when the folder box is empty.
inline constexpr const char* kDefaultInstallFolder = "C:\\Program Files\\Rodev";
