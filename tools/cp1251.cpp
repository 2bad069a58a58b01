#include "tools/cp1251.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace {

// One conversion by the C library's iconv, without transliteration. The UTF-8 side refuses
// overlong forms, surrogates and code points past U+10FFFF, which would let a check on the
// converted text be bypassed ("\xC0\xAE" read as "."). With replacement, an input byte that has no
// character becomes U+FFFD; without, it ends the conversion.
std::optional<std::string> Convert(iconv_t converter, std::string_view text, std::string_view replacement = {}) {
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);  // a fresh start after a failed conversion
    std::string out(text.size() * 3, '\0');  // UTF-8 takes at most three bytes a Windows-1251 byte
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* next = out.data();
    std::size_t outLeft = out.size();
    bool converted = true;
    while (converted && iconv(converter, &in, &inLeft, &next, &outLeft) == static_cast<std::size_t>(-1)) {
        converted = errno == EILSEQ && !replacement.empty();
        if (converted) {
            next = std::copy(replacement.begin(), replacement.end(), next);
            outLeft -= replacement.size();
            ++in, --inLeft;
        }
    }
    if (!converted) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

// Each direction's converter is opened once: opening one costs several times a line's conversion.
std::optional<std::string> Utf8ToCp1251(std::string_view text) {
    static const iconv_t converter = iconv_open("CP1251", "UTF-8");
    return Convert(converter, text);
}

std::string Cp1251ToUtf8(std::string_view text) {
    static const iconv_t converter = iconv_open("UTF-8", "CP1251");
    return Convert(converter, text, "\xEF\xBF\xBD").value_or("");
}
