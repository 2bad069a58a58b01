#include "runtime/errors.h"

#include "runtime/utf8_characters.h"

std::string FormatText(const char* pattern, const std::string& argument) {
    std::string text(pattern);
    const auto at = text.find("%s");
    // A value name or file path from a package may be any length; a message box shows at most
    // kMaxQuoted characters of it (a full path of 259 fits whole).
    constexpr std::size_t kMaxQuoted = 300;
    if (at == std::string::npos) return text;
    const std::string_view quoted = FirstCharacters(argument, kMaxQuoted);
    text.replace(at, 2, quoted.size() == argument.size() ? argument : std::string(quoted) + "...");
    return text;
}
