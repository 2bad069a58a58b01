#pragma once
// The one conversion between our ANSI (code page 1251) texts and UTF-16, for the few calls that
// have no ANSI form (IPersistFile), and to UTF-8 for the silent run's log.
#include <string>

std::wstring AnsiToWide(const std::string& text);

// The program's texts (Windows-1251) as UTF-8.
std::string Cp1251ToUtf8(const std::string& text);
