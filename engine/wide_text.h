#pragma once
// The one conversion between our ANSI (code page 1251) texts and UTF-16, for the few calls that
// have no ANSI form (IPersistFile).
#include <string>

std::wstring AnsiToWide(const std::string& text);
