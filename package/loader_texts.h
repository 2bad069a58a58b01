#pragma once
// What the loader says to the user.
inline constexpr const char* kDamagedDataText = "Данные повреждены или отсутствуют!";
inline constexpr const char* kErrorCaption = "Ошибка";
inline constexpr const char* kAlreadyRunningText = "Программа установки уже запущена.";
