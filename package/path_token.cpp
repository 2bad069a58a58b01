#include "package/path_token.h"

namespace {

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

PathToken LeadingPathToken(std::string_view text) {
    // The letters of each token, in the order of PathToken from ProgramFiles on.
    static constexpr char kLetters[][kPathTokenLength - 2] = {
        {'P', 'R', 'O', 'G', 'F', 'S'}, {'W', 'I', 'N', 'D', 'I', 'R'}, {'S', 'Y', 'S', 'D', 'I', 'R'},
        {'P', 'R', 'O', 'G', 'D', 'R'}};
    if (text.size() < kPathTokenLength || text[0] != '%' || text[kPathTokenLength - 1] != '%') return PathToken::None;
    for (int token = 0; token < 4; ++token) {
        std::size_t i = 0;
        while (i < sizeof kLetters[token] && UpperAscii(text[i + 1]) == kLetters[token][i]) ++i;
        if (i == sizeof kLetters[token]) return static_cast<PathToken>(token + 1);
    }
    return PathToken::None;
}
