#pragma once
// The readable name and default of every settings line, as package descriptions write them.
#include <string_view>

struct SettingName {
    std::string_view name;
    std::string_view defaultValue;  // UTF-8
};

// Indexed by line number, 0 to 64.
extern const SettingName kSettingNames[65];

// The line number of a name, or -1.
int FindSetting(std::string_view name);
