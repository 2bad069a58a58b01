// One timed run of bench/install_bench.sh or bench/size_bench.sh, as name=value pairs on one line:
//   install_driver ours SETUP.exe           our wizard, clicked through from outside:
//                                           load_ms install_ms peak_kib exit
//   install_driver silent SETUP.exe FOLDER  a silent run (/S /D=FOLDER), ours or the peer's:
//                                           run_ms peak_kib exit
//   install_driver copy FROM TO             a plain copy of a folder tree, 64 KiB pieces: copy_ms bytes
// Peak memory is the process's PeakWorkingSetSize (psapi), sampled every 5 ms while it runs; Wine
// reports the Linux process's VmHWM there.
// Exit status 1 when a page does not show or the program does not end.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/unicode.h"
#include "tools/window_driver.h"
#include "wizard/wizard_texts.h"

#include <psapi.h>
#include <shellapi.h>

namespace {

// A large package on a machine busy with builds.
constexpr double kTimeoutMs = 600000;

double NowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

[[noreturn]] void Stop(const std::string& what, HANDLE process = nullptr) {
    std::fprintf(stderr, "install_driver: %s\n", what.c_str());
    if (process) TerminateProcess(process, 1);
    std::exit(1);
}

// The text the system keeps for a window: reading it needs no answer from the program, which is
// busy while it loads the package and while it extracts.
std::wstring StoredText(HWND window) {
    wchar_t text[512] = {};
    InternalGetWindowText(window, text, 512);
    return text;
}

// Samples the process's peak working set until it ends (the counters go with the process).
class PeakSampler {
public:
    explicit PeakSampler(HANDLE process) : process_(process) {
        thread_ = CreateThread(nullptr, 0, Sample, this, 0, nullptr);
    }
    // After the process has ended.
    unsigned long PeakKiB() {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        return static_cast<unsigned long>(peak_ / 1024);
    }

private:
    static DWORD WINAPI Sample(void* self) {
        auto& sampler = *static_cast<PeakSampler*>(self);
        for (;;) {
            const DWORD ended = WaitForSingleObject(sampler.process_, 5);
            PROCESS_MEMORY_COUNTERS counters{};
            counters.cb = sizeof counters;
            if (GetProcessMemoryInfo(sampler.process_, &counters, sizeof counters) &&
                counters.PeakWorkingSetSize > sampler.peak_)
                sampler.peak_ = counters.PeakWorkingSetSize;
            if (ended == WAIT_OBJECT_0) return 0;
        }
    }
    HANDLE process_;
    HANDLE thread_ = nullptr;
    SIZE_T peak_ = 0;
};

PROCESS_INFORMATION Start(const std::string& commandLine) {
    std::wstring line = Wide(commandLine);
    STARTUPINFOW start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &started))
        Stop("cannot start " + commandLine);
    return started;
}

DWORD WaitForEnd(const PROCESS_INFORMATION& started) {
    if (WaitForSingleObject(started.hProcess, static_cast<DWORD>(kTimeoutMs)) != WAIT_OBJECT_0)
        Stop("the program did not end", started.hProcess);
    DWORD code = 1;
    GetExitCodeProcess(started.hProcess, &code);
    return code;
}

// Polls every millisecond until done says yes; the program is stopped if it never does.
template <typename Done>
void Await(const PROCESS_INFORMATION& started, const char* what, Done done) {
    const double start = NowMs();
    while (!done()) {
        if (NowMs() - start > kTimeoutMs || WaitForSingleObject(started.hProcess, 0) == WAIT_OBJECT_0)
            Stop(std::string(what) + " did not show", started.hProcess);
        Sleep(1);
    }
}

// The wizard's controls exist, hidden, from the program's start.
HWND FindControl(const PROCESS_INFORMATION& started, const char* text) {
    const std::wstring wanted = Wide(text);
    HWND found = nullptr;
    Await(started, text, [&] {
        for (HWND top : TopLevelWindows(started.dwProcessId))
            for (HWND window : Descendants(top))
                if (StoredText(window) == wanted) return (found = window) != nullptr;
        return false;
    });
    return found;
}

// load: from the start until the welcome page is visible (the splash's 500 ms included); install:
// from the click on "Установить" until the finish page is visible. Then "Готово" ends the program.
int DriveOurs(const std::string& setup) {
    const double start = NowMs();
    const PROCESS_INFORMATION started = Start("\"" + setup + "\"");
    PeakSampler sampler(started.hProcess);
    const HWND welcome = FindControl(started, kWelcomeLines[0]);
    const HWND finish = FindControl(started, kFinishExitText);
    const HWND next = FindControl(started, kNextCaption);
    Await(started, "the welcome page", [&] { return IsWindowVisible(welcome); });
    const double load = NowMs() - start;

    Click(next);
    Await(started, "the folder page", [&] { return !IsWindowVisible(welcome); });
    Click(next);
    const std::wstring install = Wide(kInstallCaption);
    Await(started, "the ready page", [&] { return StoredText(next) == install; });
    const double clicked = NowMs();
    Click(next);
    Await(started, "the finish page", [&] { return IsWindowVisible(finish); });
    const double installed = NowMs() - clicked;

    Click(next);
    const DWORD code = WaitForEnd(started);
    std::printf("load_ms=%.0f install_ms=%.0f peak_kib=%lu exit=%lu\n", load, installed, sampler.PeakKiB(),
                static_cast<unsigned long>(code));
    return 0;
}

int RunSilently(const std::string& setup, const std::string& folder) {
    const double start = NowMs();
    const PROCESS_INFORMATION started = Start("\"" + setup + "\" /S /D=" + folder);
    PeakSampler sampler(started.hProcess);
    const DWORD code = WaitForEnd(started);
    const double run = NowMs() - start;
    std::printf("run_ms=%.0f peak_kib=%lu exit=%lu\n", run, sampler.PeakKiB(), static_cast<unsigned long>(code));
    return 0;
}

// The plain loop an installer's extraction is held against: read a piece, write it, until the end.
long long CopyFile64(const std::string& from, const std::string& to) {
    static char piece[65536];
    HANDLE in = CreateFileW(Wide(from).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE out = CreateFileW(Wide(to).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (in == INVALID_HANDLE_VALUE || out == INVALID_HANDLE_VALUE) Stop("cannot copy " + from);
    long long bytes = 0;
    DWORD read = 0, written = 0;
    while (ReadFile(in, piece, sizeof piece, &read, nullptr) && read > 0) {
        if (!WriteFile(out, piece, read, &written, nullptr) || written != read) Stop("cannot write " + to);
        bytes += read;
    }
    CloseHandle(in);
    CloseHandle(out);
    return bytes;
}

long long CopyTree(const std::string& from, const std::string& to) {
    CreateDirectoryW(Wide(to).c_str(), nullptr);
    long long bytes = 0;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(Wide(from + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        const std::string name = Utf8(entry.cFileName);
        if (name == "." || name == "..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            bytes += CopyTree(from + "\\" + name, to + "\\" + name);
        } else {
            bytes += CopyFile64(from + "\\" + name, to + "\\" + name);
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return bytes;
}

int CopyPlainly(const std::string& from, const std::string& to) {
    const double start = NowMs();
    const long long bytes = CopyTree(from, to);
    std::printf("copy_ms=%.0f bytes=%lld\n", NowMs() - start, bytes);
    return 0;
}

}  // namespace

int main() {
    // The arguments as UTF-8, whatever the ANSI code page: the program's paths may hold any letter.
    int argc = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> argv;
    for (int i = 0; i < argc; ++i) argv.push_back(Utf8(wide[i]));
    const std::string mode = argc > 1 ? argv[1] : "";
    // The installers' temporary folder: the bench keeps it in memory with everything else.
    if (const wchar_t* temp = _wgetenv(L"BENCH_TEMP"))
        SetEnvironmentVariableW(L"TMP", temp), SetEnvironmentVariableW(L"TEMP", temp);
    if (mode == "ours" && argc == 3) return DriveOurs(argv[2]);
    if (mode == "silent" && argc == 4) return RunSilently(argv[2], argv[3]);
    if (mode == "copy" && argc == 4) return CopyPlainly(argv[2], argv[3]);
    std::fputs("usage: install_driver ours SETUP.exe | silent SETUP.exe FOLDER | copy FROM TO\n", stderr);
    return 2;
}
