#include "toolkit/fatal_error.h"

#include <cstdint>

#include "runtime/platform.h"
#include "runtime/unicode.h"
#include "toolkit/message_box.h"

namespace {

std::string ModuleFileName() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::string name = Utf8(path);
    const auto slash = name.find_last_of("\\/");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

// Upper-case hexadecimal, as wide as a pointer: 8 digits in the 32-bit program.
std::string HexAddress(const void* address) {
    auto value = reinterpret_cast<std::uintptr_t>(address);
    std::string digits(sizeof value * 2, '0');
    for (auto at = digits.rbegin(); at != digits.rend(); ++at, value >>= 4) *at = "0123456789ABCDEF"[value & 15];
    return digits;
}

}  // namespace

void ReportFatalError(const char* kind, const std::string& message, const void* address) {
    static bool reporting = false;
    if (reporting) ExitProcess(1);  // a handler that ran inside the box's own loop failed as well
    reporting = true;
    const std::string text = std::string("Exception ") + kind + " in module " + ModuleFileName() + " at " +
                             HexAddress(address) + ".\r\n" + message;
    ShowMessageBox(nullptr, text, "Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(1);
}
