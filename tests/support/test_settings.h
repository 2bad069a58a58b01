#pragma once
// The settings of a believable test package: background with both titles, no licence, group page
// or finish actions, no records. Tests change what they are about.
#include "package/package_data.h"
#include "package/settings.h"

inline constexpr const char* kTestCaption = "Установка - Тест";

StringList TestSettings();
