#pragma once
// Text repeated: Repeated("ж", n) has n characters in 2n bytes of UTF-8, for limits in characters.
#include <string>
#include <string_view>

inline std::string Repeated(std::string_view text, std::size_t count) {
    std::string repeated;
    while (count-- > 0) repeated += text;
    return repeated;
}
