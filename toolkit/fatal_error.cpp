#include "toolkit/fatal_error.h"

#include <cstdint>
#include <new>
#include <string>

#include "runtime/errors.h"
#include "runtime/platform.h"

namespace {

struct Described {
    const char* kind;
    std::string message;
};

Described Describe(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const RuntimeError& e) {
        return {e.Kind(), e.what()};
    } catch (const std::bad_alloc&) {
        return {"OutOfMemory", "Out of memory"};
    } catch (const std::exception& e) {
        return {"Exception", e.what()};
    } catch (...) {
        return {"Exception", "Unknown exception"};
    }
}

std::string ModuleFileName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path);
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

// The address shown is where the handler was called from: the catch block of the window, subclass
// or timer procedure that stopped the exception. It names the boundary, not the throw site, which
// is gone once the stack has unwound.
__attribute__((noinline)) void ReportFatalError(std::exception_ptr error) noexcept {
    static bool reporting = false;
    if (reporting) ExitProcess(1);  // a handler that ran inside the box's own loop failed as well
    reporting = true;
    const void* address = __builtin_return_address(0);
    const Described described = Describe(error);
    const std::string text = std::string("Exception ") + described.kind + " in module " + ModuleFileName() + " at " +
                             HexAddress(address) + ".\r\n" + described.message;
    MessageBoxA(nullptr, text.c_str(), "Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(1);
}
