#include "engine/placeholders.h"

#include "engine/engine_texts.h"
#include "package/path_token.h"
#include "runtime/utf8_characters.h"

namespace {

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
    const PathToken token = LeadingPathToken(cut);
    if (token == PathToken::None) return cut;
    const std::string remainder = cut.substr(kPathTokenLength);
    switch (token) {
    case PathToken::ProgramFiles:
        return folders.ProgramFiles() + remainder;
    case PathToken::Windows:
        return folders.Windows() + remainder;
    case PathToken::System:
        return folders.System() + remainder;
    case PathToken::InstallFolder:
        return ExpandInstallFolder(folders.InstallFolder(), remainder);
    case PathToken::None:
        break;
    }
    return cut;
}
