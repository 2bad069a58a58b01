#include "uninstaller/hand_over.h"

#include "runtime/dll_search.h"
#include "runtime/elevation.h"
#include "runtime/platform.h"
#include "runtime/unicode.h"

#include <ntsecapi.h>
#include <sddl.h>

namespace {

// What an elevated uninstaller puts in its folder only administrators and the system may change
// (the owner too, so that the user's own account, owning nothing there, cannot grant itself more);
// everyone may read and run it.
constexpr const wchar_t* kAdministratorsOnly = L"O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;WD)";
constexpr const char* kCopyName = "Uninstall.exe";

std::string OwnPath() {
    wchar_t path[MAX_PATH] = {};
    return Utf8(std::wstring_view(path, GetModuleFileNameW(nullptr, path, MAX_PATH)));
}

// A folder of the copy's own under the temporary folder, ending in "\": its name is random, and
// this call made it, so nothing anyone planted beforehand lies beside the copy. Empty when none
// could be made.
std::string MakeCopyFolder() {
    wchar_t temp[MAX_PATH] = {};
    const DWORD length = GetTempPathW(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH) return {};
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (RunsElevated() && !ConvertStringSecurityDescriptorToSecurityDescriptorW(kAdministratorsOnly, SDDL_REVISION_1,
                                                                              &descriptor, nullptr))
        return {};
    SECURITY_ATTRIBUTES security{sizeof security, descriptor, FALSE};
    std::string folder;
    unsigned char random[8];
    for (int attempt = 0; attempt < 8 && folder.empty() && RtlGenRandom(random, sizeof random); ++attempt) {
        std::string name = Utf8(std::wstring_view(temp, length)) + "uns";
        for (const unsigned char byte : random) {
            name += "0123456789abcdef"[byte >> 4];
            name += "0123456789abcdef"[byte & 15];
        }
        // Fails when the name exists, whoever made it: then another name.
        if (CreateDirectoryW(Wide(name).c_str(), &security)) folder = name + "\\";
        else if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    LocalFree(descriptor);
    return folder;
}

void RemoveCopy(const std::string& folder) {
    DeleteFileW(Wide(folder + kCopyName).c_str());
    RemoveDirectoryW(Wide(folder).c_str());
}

}  // namespace

std::optional<int> HandOverToCopy(const std::string& installFolder, bool quiet) {
    const std::string folder = MakeCopyFolder();
    if (folder.empty()) return std::nullopt;
    const std::string copy = folder + kCopyName;
    if (!CopyFileW(Wide(OwnPath()).c_str(), Wide(copy).c_str(), TRUE)) {
        RemoveCopy(folder);
        return std::nullopt;
    }
    // The copy writes its exit code into a pipe whose writing end it inherits.
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE reading = nullptr, writing = nullptr;
    if (!CreatePipe(&reading, &writing, &inherited, 0)) {
        RemoveCopy(folder);
        return std::nullopt;
    }
    SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);
    // The folder without its last "\": a quoted argument ending in \" would swallow the quote.
    std::wstring command = Wide("\"" + copy + "\" \"" + installFolder.substr(0, installFolder.size() - 1) + "\"" +
                                (quiet ? " /S" : "") + " /P" +
                                std::to_string(reinterpret_cast<std::uintptr_t>(writing)));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // Started in the system folder: no current folder holds on to the install folder, and none
    // holds a file someone put there for the copy to find.
    const std::wstring system = Wide(SystemFolder());
    const BOOL started = CreateProcessW(Wide(copy).c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        system.empty() ? nullptr : system.c_str(), &startup, &process);
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
        RemoveCopy(folder);
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

void ForgetCopy() {
    // The file first: the folder goes only once it is empty.
    const std::string copy = OwnPath();
    MoveFileExW(Wide(copy).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    MoveFileExW(Wide(copy.substr(0, copy.rfind('\\'))).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}
