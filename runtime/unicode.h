#pragma once
// Text inside the programs is UTF-8 in std::string: the fixed texts are UTF-8 literals, the
// package's Windows-1251 texts are converted once when the package is read, and what the system
// gives (paths, the command line, registry data) is converted from UTF-16 as it arrives. Every
// call into Windows takes the wide form of the text, made here at the call. This is the one
// module that converts, and it names its code pages: never the machine's ANSI code page, which
// would squeeze a user's name or folder through whatever language Windows happens to have.
#include <string>
#include <string_view>

inline constexpr unsigned kPackageCodePage = 1251;

// UTF-8 to UTF-16, for the calls into Windows.
std::wstring Wide(std::string_view utf8);
// UTF-16 from Windows to UTF-8.
std::string Utf8(std::wstring_view wide);
// Windows-1251 (the package's texts, Uninstall.ini's plain form) to UTF-8.
std::string Cp1251ToUtf8(std::string_view text);
// The text in Windows-1251, when each of its characters has a form there; false otherwise.
bool Utf8ToCp1251(std::string_view utf8, std::string& cp1251);
