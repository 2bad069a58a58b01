#pragma once
// Runs a program in a child process, as a user would start it, and watches what it shows.
#include <optional>
#include <string>
#include <vector>

#include "runtime/platform.h"

// How long a test waits for a program to show a window or to end.
inline constexpr int kTimeout = 20000;

struct MessageBoxSeen {
    HWND window = nullptr;
    std::string caption, text;
    std::vector<int> buttons;  // identifiers of the visible buttons (IDOK, IDYES...)
};

class ChildProgram {
public:
    // Starts the program with its temporary folder (TMP and TEMP) set to tempFolder.
    ChildProgram(const std::string& path, const std::string& tempFolder, const std::string& arguments = {});
    ~ChildProgram();  // ends the program if it still runs
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    // The first visible message box of the program, or nothing when none appears in time or the
    // program ends first.
    std::optional<MessageBoxSeen> WaitForMessageBox(int timeoutMs) const;
    // The program's exit code, or nothing if it still runs after the timeout.
    std::optional<DWORD> WaitForExit(int timeoutMs) const;

    DWORD Id() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_{};
};

// The visible message box of a process (this one too, looked for from another thread), if one shows.
std::optional<MessageBoxSeen> FindMessageBox(DWORD process);
// Presses a button of a message box, as a click would (IDOK, IDYES, IDNO...).
void PressButton(HWND box, int id);
// The command line that the record_args stand-in started as this program wrote beside itself
// (removing it), or "" when it wrote none in time.
std::string RecordedArguments(const std::string& program, int timeoutMs);
// The licence line of a package for the text: in Windows-1251 and shifted (the package writer
// stores the other lines in Windows-1251 itself).
std::string StoredLicenceText(const std::string& text);
// The stub that setup programs are built on, as a Windows path.
std::string StubPath();
// Writes a setup program: the stub followed by the package bytes.
// signedProgram: as signing leaves it, a certificate table following the package (its contents are
// not read).
void WriteSetupProgram(const std::string& path, const std::string& package, bool signedProgram = false);
