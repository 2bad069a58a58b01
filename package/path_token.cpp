#include "package/path_token.h"

PathToken LeadingPathToken(std::string_view text) {
    // In the order of PathToken, from ProgramFiles on.
    static constexpr char kLetters[][kPathTokenLength - 2] = {
        {'P', 'R', 'O', 'G', 'F', 'S'}, {'W', 'I', 'N', 'D', 'I', 'R'}, {'S', 'Y', 'S', 'D', 'I', 'R'},
        {'P', 'R', 'O', 'G', 'D', 'R'}};
    if (text.size() < kPathTokenLength || text[0] != '%' || text[kPathTokenLength - 1] != '%') return PathToken::None;
    for (int token = 0; token < 4; ++token) {
        std::size_t i = 0;
        for (char c; i < sizeof kLetters[token]; ++i)
            if ((c = text[i + 1], c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != kLetters[token][i]) break;
        if (i == sizeof kLetters[token]) return static_cast<PathToken>(token + 1);
    }
    return PathToken::None;
}
