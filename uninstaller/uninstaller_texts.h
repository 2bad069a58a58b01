#pragma once
// What the uninstaller says, in UTF-8 like all text inside the program.

namespace uninstaller_text {
// Caption of every box: this text followed by the program's name.
inline constexpr const char* kCaption = "Удаление - ";
// Caption while the program's name is not known.
inline constexpr const char* kCaptionUnknown = "Удаление программы";
inline constexpr const char* kQuestion = "Удалить программу «%s» и все её компоненты с компьютера?";
inline constexpr const char* kRemoved = "Программа «%s» удалена с компьютера.";
inline constexpr const char* kNotRemoved = "Не удалось удалить:";
inline constexpr const char* kMore = "...и ещё %s";
inline constexpr const char* kFileBusy = "файл занят другой программой";
inline constexpr const char* kAccessDenied = "нет доступа";
inline constexpr const char* kErrorCode = "ошибка %s";

inline constexpr const char* kNoCopy = "Не удалось запустить программу удаления из временной папки. Ничего не удалено.";

// A record that cannot be trusted: the first line names the file, then the reason.
inline constexpr const char* kDamaged = "Сведения об установке в файле\r\n%s\r\nнельзя использовать: ";
inline constexpr const char* kNothingRemoved = ".\r\n\r\nНичего не удалено.";
inline constexpr const char* kMissing = "файл не найден или не читается";
inline constexpr const char* kNotARecord = "в нём нет раздела [Settings] из восьми строк";
inline constexpr const char* kBadCount = "в строке %s раздела [Settings] должно стоять число";
inline constexpr const char* kSectionOutOfPlace = "раздел %s стоит не там, куда его ставят числа из [Settings]";
inline constexpr const char* kNoEnd = "нет строки [End], файл оборван";
inline constexpr const char* kUnsafePath = "путь вне папки программы или не ярлык: %s";
}  // namespace uninstaller_text
