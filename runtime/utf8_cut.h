#pragma once
// Limits on text count characters, and the program's text is UTF-8, where a character takes one to
// four bytes: a cut after so many bytes would count Cyrillic letters twice and could leave half a
// character, which no conversion reads back. Portable, for the core too.
#include <cstddef>
#include <string_view>

// The text's first count characters, or all of it when it is not longer.
inline std::string_view FirstCharacters(std::string_view utf8, std::size_t count) {
    for (std::size_t at = 0; at < utf8.size(); ++at) {
        const bool starts = (static_cast<unsigned char>(utf8[at]) & 0xC0) != 0x80;  // not a continuation byte
        if (starts && count-- == 0) return utf8.substr(0, at);
    }
    return utf8;
}
