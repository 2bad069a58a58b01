#pragma once
// Limits on text count characters, and the program's text is UTF-8, where a character takes one to
// four bytes: a limit in bytes would count Cyrillic letters twice, and a cut after so many bytes
// could leave half a character, which no conversion reads back. Portable, for the core too.
#include <cstddef>
#include <string_view>

// Whether the byte starts a character: it is no continuation byte (10xxxxxx).
inline bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

inline std::size_t CountCharacters(std::string_view utf8) {
    std::size_t count = 0;
    for (char byte : utf8) count += StartsCharacter(byte);
    return count;
}

// The text's first count characters, or all of it when it is not longer.
inline std::string_view FirstCharacters(std::string_view utf8, std::size_t count) {
    for (std::size_t at = 0; at < utf8.size(); ++at)
        if (StartsCharacter(utf8[at]) && count-- == 0) return utf8.substr(0, at);
    return utf8;
}
