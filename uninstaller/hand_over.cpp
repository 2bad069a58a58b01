#include "uninstaller/hand_over.h"

#include "runtime/platform.h"

namespace {

std::string OwnPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

}  // namespace

std::optional<int> HandOverToCopy(const std::string& installFolder, bool quiet) {
    char temp[MAX_PATH] = {}, copy[MAX_PATH] = {};
    if (!GetTempPathA(MAX_PATH, temp) || !GetTempFileNameA(temp, "uns", 0, copy)) return std::nullopt;
    if (!CopyFileA(OwnPath().c_str(), copy, FALSE)) {
        DeleteFileA(copy);
        return std::nullopt;
    }
    // The copy writes its exit code into a pipe whose writing end it inherits.
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE reading = nullptr, writing = nullptr;
    if (!CreatePipe(&reading, &writing, &inherited, 0)) return std::nullopt;
    SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);
    // The folder without its last "\": a quoted argument ending in \" would swallow the quote.
    std::string command = "\"" + std::string(copy) + "\" \"" + installFolder.substr(0, installFolder.size() - 1) +
                          "\"" + (quiet ? " /S" : "") + " /P" +
                          std::to_string(reinterpret_cast<std::uintptr_t>(writing));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // Started in the temporary folder, so that no current folder holds on to the install folder.
    const BOOL started = CreateProcessA(copy, command.data(), nullptr, nullptr, TRUE, 0, nullptr, temp, &startup,
                                        &process);
    CloseHandle(writing);
    std::optional<int> result;
    if (started) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        unsigned char code = 1;
        DWORD read = 0;
        // A copy that ended without a word failed.
        result = ReadFile(reading, &code, 1, &read, nullptr) && read == 1 ? code : 1;
    } else {
        DeleteFileA(copy);
    }
    CloseHandle(reading);
    return result;
}

void TellStarter(std::uintptr_t channel, int exitCode) {
    static bool told = false;
    if (told || channel == 0) return;
    told = true;
    const auto pipe = reinterpret_cast<HANDLE>(channel);
    const auto code = static_cast<unsigned char>(exitCode);
    DWORD written = 0;
    WriteFile(pipe, &code, 1, &written, nullptr);
    CloseHandle(pipe);
}

void ForgetCopy() { MoveFileExA(OwnPath().c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT); }
