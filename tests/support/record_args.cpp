// A stand-in for a program the installer starts: it writes its command line, in UTF-8, to a file
// beside itself, named after itself with ".args" added, and ends.
#include <cstdio>
#include <string>

#include "runtime/platform.h"
#include "runtime/unicode.h"

int main() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (std::FILE* out = _wfopen((std::wstring(self) + L".args").c_str(), L"wb")) {
        std::fputs(Utf8(GetCommandLineW()).c_str(), out);
        std::fclose(out);
    }
    return 0;
}
