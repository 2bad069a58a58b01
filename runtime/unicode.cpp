#include "runtime/unicode.h"

#include "runtime/platform.h"

namespace {

std::wstring ToWide(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

// usedDefault, when given, says whether a character had no form in the code page.
std::string FromWide(UINT codePage, std::wstring_view wide, BOOL* usedDefault) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const DWORD flags = usedDefault ? WC_NO_BEST_FIT_CHARS : 0;
    const int length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, usedDefault);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

}  // namespace

std::wstring Wide(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }

std::string Utf8(std::wstring_view wide) { return FromWide(CP_UTF8, wide, nullptr); }

std::string Cp1251ToUtf8(std::string_view text) { return Utf8(ToWide(kPackageCodePage, text)); }

bool Utf8ToCp1251(std::string_view utf8, std::string& cp1251) {
    BOOL usedDefault = FALSE;
    cp1251 = FromWide(kPackageCodePage, Wide(utf8), &usedDefault);
    return !usedDefault;
}
