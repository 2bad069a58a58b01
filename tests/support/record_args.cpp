// A stand-in for a program the installer starts: it writes its command line to a file beside
// itself, named after itself with ".args" added, and ends.
#include <cstdio>

#include "runtime/platform.h"

int main() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    char path[MAX_PATH + 8];
    std::snprintf(path, sizeof path, "%s.args", self);
    if (std::FILE* out = std::fopen(path, "wb")) {
        std::fputs(GetCommandLineA(), out);
        std::fclose(out);
    }
    return 0;
}
