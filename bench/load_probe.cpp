// Starts a setup program, waits for it to end, and prints how long it ran and the most memory it
// held. Used by bench/load_bench.sh.
//   load_probe SETUP.exe TEMP_FOLDER
#include <cstdio>
#include <string>

#include "runtime/platform.h"
#include <psapi.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: load_probe SETUP.exe TEMP_FOLDER\n");
        return 2;
    }
    SetEnvironmentVariableA("TMP", argv[2]);
    SetEnvironmentVariableA("TEMP", argv[2]);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string command = std::string("\"") + argv[1] + "\"";
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    if (!CreateProcessA(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    // Sample while it runs as well: some systems forget the counters of an ended process.
    SIZE_T peakWorkingSet = 0, peakPrivate = 0;
    for (;;) {
        const DWORD wait = WaitForSingleObject(info.hProcess, 20);
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(info.hProcess, &counters, sizeof counters)) {
            if (counters.PeakWorkingSetSize > peakWorkingSet) peakWorkingSet = counters.PeakWorkingSetSize;
            if (counters.PeakPagefileUsage > peakPrivate) peakPrivate = counters.PeakPagefileUsage;
        }
        if (wait == WAIT_OBJECT_0) break;
    }
    QueryPerformanceCounter(&end);
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    std::printf("exit code: %lu\n", static_cast<unsigned long>(code));
    std::printf("load time: %.0f ms\n", 1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) / frequency.QuadPart);
    std::printf("peak working set: %.1f MiB\n", peakWorkingSet / 1048576.0);
    std::printf("peak private memory: %.1f MiB\n", peakPrivate / 1048576.0);
    return 0;
}
