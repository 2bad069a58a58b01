#include "tests/support/child_program.h"

#include <cstring>

#include "package/length_trailer.h"
#include "package/shifted_text.h"
#include "runtime/unicode.h"

#include <stdexcept>

#include "tools/window_driver.h"
#include "tests/support/scratch_folder.h"

ChildProgram::ChildProgram(const std::string& path, const std::string& tempFolder, const std::string& arguments) {
    // All wide: a temporary folder or an argument may hold any letter ("C:\users\Әлия\Temp").
    const wchar_t* names[] = {L"TMP", L"TEMP"};
    wchar_t old[2][MAX_PATH] = {};
    for (int i : {0, 1}) {
        GetEnvironmentVariableW(names[i], old[i], MAX_PATH);
        SetEnvironmentVariableW(names[i], Wide(tempFolder).c_str());
    }
    STARTUPINFOW startup{sizeof startup};
    std::wstring command = Wide("\"" + path + "\" " + arguments);
    const BOOL started = CreateProcessW(Wide(path).c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &info_);
    for (int i : {0, 1}) SetEnvironmentVariableW(names[i], old[i]);
    if (!started) throw std::runtime_error("cannot start " + path);
}

ChildProgram::~ChildProgram() {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

std::optional<MessageBoxSeen> ChildProgram::WaitForMessageBox(int timeoutMs) const {
    std::optional<MessageBoxSeen> box;
    WaitFor([&] { return (box = FindMessageBox(Id())) || WaitForExit(0); }, timeoutMs);
    return box;
}

std::optional<DWORD> ChildProgram::WaitForExit(int timeoutMs) const {
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::optional<MessageBoxSeen> FindMessageBox(DWORD process) {
    for (HWND window : TopLevelWindows(process)) {
        const WindowState seen = Describe(window);
        if (seen.className != "#32770" || !seen.visible) continue;
        MessageBoxSeen box{window, seen.text, Describe(GetDlgItem(window, 0xFFFF)).text, {}};
        for (HWND child : Descendants(window))
            if (const WindowState b = Describe(child); _stricmp(b.className.c_str(), "Button") == 0 && b.visible)
                box.buttons.push_back(GetDlgCtrlID(child));
        return box;
    }
    return std::nullopt;
}

void PressButton(HWND box, int id) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

std::string RecordedArguments(const std::string& program, int timeoutMs) {
    const std::string args = program + ".args";
    if (!WaitFor([&] { return FileExists(args); }, timeoutMs)) return "";
    Sleep(100);  // the stand-in has finished writing
    const std::string line = ReadFileBytes(args);
    DeleteFileW(Wide(args).c_str());
    return line;
}

std::string StoredLicenceText(const std::string& text) {
    std::string stored;
    Utf8ToCp1251(text, stored);
    ShiftText(stored);
    return stored;
}

std::string StubPath() { return WindowsPath(SETUP_STUB); }

void WriteSetupProgram(const std::string& path, const std::string& package, bool signedProgram) {
    static const std::string stub = ReadFileBytes(StubPath());
    std::string program = stub + package;
    if (signedProgram) {
        // The headers' security entry names a certificate table right after the package.
        std::uint32_t nt;
        std::memcpy(&nt, program.data() + 0x3C, 4);
        const std::size_t entry = nt + 24 + (program[nt + 25] == 2 ? 112 : 96) + 32;
        program.replace(entry, 8, LengthTrailer(static_cast<std::int32_t>(program.size())) + LengthTrailer(16));
        program += std::string(16, 'S');
    }
    WriteFileBytes(path, program);
}
