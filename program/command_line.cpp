#include "program/command_line.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Whether text holds the option's name (upper case) at position at, in any case.
bool HasName(const std::string& text, std::size_t at, const std::string& name) {
    if (text.size() - at < name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (Upper(text[at + i]) != name[i]) return false;
    return true;
}

bool Is(const std::string& word, const std::string& name) {
    return word.size() == name.size() && HasName(word, 0, name);
}

// The word starting at at, up to a blank outside double quotes.
std::string NextWord(const std::string& line, std::size_t& at) {
    const std::size_t start = at;
    for (bool quoted = false; at < line.size() && (quoted || !IsBlank(line[at])); ++at)
        if (line[at] == '"') quoted = !quoted;
    return line.substr(start, at - start);
}

// Text without its double quotes, which only keep blanks together wherever they stand: launchers
// quote a whole argument ("/D=C:\A B"), people the value (/D="C:\A B"). False when a quote is left
// open: the line was cut or mistyped.
bool Unquote(const std::string& text, std::string& plain) {
    plain.clear();
    for (char c : text)
        if (c != '"') plain += c;
    return (text.size() - plain.size()) % 2 == 0;
}

// The folder without the blanks a command line often ends with, neither part of a folder's name.
// Launchers double the backslashes before a closing quote ("/D=C:\App\\"); a folder name never
// ends in two.
std::string CleanFolder(std::string folder) {
    while (!folder.empty() && IsBlank(folder.back())) folder.pop_back();
    while (folder.size() >= 2 && folder.back() == '\\' && folder[folder.size() - 2] == '\\') folder.pop_back();
    return folder;
}

// A folder that does not depend on where the program was started from: "C:\..." or "\\server\...".
bool IsFullPath(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/'))
        return Upper(path[0]) >= 'A' && Upper(path[0]) <= 'Z';
    return path.size() > 2 && path[0] == '\\' && path[1] == '\\';
}

}  // namespace

CommandLine ParseCommandLine(const std::string& arguments) {
    CommandLine line;
    bool silent = false, sound = true;
    std::size_t at = 0;
    for (;;) {
        while (at < arguments.size() && IsBlank(arguments[at])) ++at;
        if (at == arguments.size()) break;
        // A launcher quotes the whole option when the folder holds a blank: "/D=C:\Program Files\App".
        const bool quotedOption = arguments[at] == '"';
        if (HasName(arguments, at + quotedOption, "/D=")) {
            // The folder runs to the end of the line. An option after it ("C:\X /S") was meant to
            // come before it: a blank followed by "/" starts no folder name.
            const std::size_t start = at + quotedOption + 3;
            std::size_t end = start;
            while (end < arguments.size() && !(arguments[end] == '/' && IsBlank(arguments[end - 1]))) ++end;
            std::string folder;
            const bool closed = Unquote((quotedOption ? "\"" : "") + arguments.substr(start, end - start), folder);
            line.folder = CleanFolder(folder);
            sound = sound && closed && end == arguments.size() && IsFullPath(line.folder);
            at = end;
            continue;
        }
        std::string word;
        sound = Unquote(NextWord(arguments, at), word) && sound;
        if (Is(word, "/S")) silent = true;
        else if (Is(word, "/RESTART")) line.restart = true;
        else if (HasName(word, 0, "/LOG=") && word.size() > 5) line.log = word.substr(5);
        else sound = false;
    }
    line.mode = !silent ? RunMode::Wizard : sound ? RunMode::Silent : RunMode::BadCommandLine;
    return line;
}

std::string ArgumentsAfterProgramName(const std::string& commandLine) {
    std::size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        // A quoted name ends at its closing quote.
        at = commandLine.find('"', 1);
        at = at == std::string::npos ? commandLine.size() : at + 1;
    } else {
        while (at < commandLine.size() && !IsBlank(commandLine[at])) ++at;
    }
    while (at < commandLine.size() && IsBlank(commandLine[at])) ++at;
    return commandLine.substr(at);
}
