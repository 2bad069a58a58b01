#pragma once
// The readable name and default of every settings line, as package descriptions write them.
#include <string_view>

#include "package/setting_lines.h"

struct SettingName {
    setting::Line line;
    std::string_view name;
    std::string_view defaultValue;  // UTF-8
};

// Indexed by line number.
extern const SettingName kSettingNames[setting::kCount];

// The line number of a name, or -1.
int FindSetting(std::string_view name);
