#include "tools/cp1251.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace {

// One conversion by the C library's iconv, without transliteration. The UTF-8 side refuses
// overlong forms, surrogates and code points past U+10FFFF, which would let a check on the
// converted text be bypassed ("\xC0\xAE" read as "."). With replacement, an input byte that has no
// character becomes U+FFFD; without, it ends the conversion.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view text,
                                   std::string_view replacement = {}) {
    const iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
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
    iconv_close(converter);
    if (!converted) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

std::optional<std::string> Utf8ToCp1251(std::string_view text) { return Convert("CP1251", "UTF-8", text); }

std::string Cp1251ToUtf8(std::string_view text) {
    return Convert("UTF-8", "CP1251", text, "\xEF\xBF\xBD").value_or("");
}
