#include "engine/placeholders.h"

#include "engine/engine_texts.h"
#include "runtime/utf8_characters.h"

namespace {

constexpr std::size_t kTokenLength = 8;

enum class Token { None, ProgramFiles, Windows, System, InstallFolder };

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// "%" + six letters + "%" at the very start of the text, letters compared without case.
Token LeadingToken(const std::string& text) {
    if (text.size() < kTokenLength || text[0] != '%' || text[kTokenLength - 1] != '%') return Token::None;
    std::string letters;
    for (std::size_t i = 1; i < kTokenLength - 1; ++i) letters += UpperAscii(text[i]);
    if (letters == "PROGFS") return Token::ProgramFiles;
    if (letters == "WINDIR") return Token::Windows;
    if (letters == "SYSDIR") return Token::System;
    if (letters == "PROGDR") return Token::InstallFolder;
    return Token::None;
}

std::string ExpandInstallFolder(std::string folder, const std::string& remainder) {
    // An empty box has not been filled yet: the package's paths then mean the default folder.
    if (folder.empty()) return kDefaultInstallFolder + remainder;
    // The install steps leave the box ending in "\"; %ProgDr%\x must not give "\\x".
    if (folder.back() == '\\') {
        folder.pop_back();
        return std::string(FirstCharacters(folder + remainder, kMaxPathText));
    }
    return folder + remainder;
}

}  // namespace

std::string ExpandPathWith(const std::string& text, PathFolders& folders) {
    const std::string cut(FirstCharacters(text, kMaxPathText));
    const Token token = LeadingToken(cut);
    if (token == Token::None) return cut;
    const std::string remainder = cut.substr(kTokenLength);
    switch (token) {
    case Token::ProgramFiles:
        return folders.ProgramFiles() + remainder;
    case Token::Windows:
        return folders.Windows() + remainder;
    case Token::System:
        return folders.System() + remainder;
    case Token::InstallFolder:
        return ExpandInstallFolder(folders.InstallFolder(), remainder);
    case Token::None:
        break;
    }
    return cut;
}
