#pragma once
// What the splash window says.
inline constexpr const char* kSplashText = "Инициализация мастера установки...";
