// The start of the shipped 32-bit programs, in place of the C runtime's start-up objects, which
// their link leaves out (see LEAN_SPECS in CMakeLists.txt). Those read the command line into argc
// and argv, set the stdio file modes, install a maths error handler, an unhandled-exception filter
// and an invalid-parameter handler that each do what happens without them, register the unwind
// tables with a libgcc DLL that no process of ours loads, and bring the runtime relocator and the
// thread-local support. The programs read their wide command line themselves, use no stdio, throw
// nothing and import no data (cmake/lean-i686.ld fails the link when they do). What they rely on
// stays:
// - the application type, which makes abort() report in a message box, not on a console;
// - the x87 unit reset to its full precision;
// - the static objects' constructors, run before WinMain, last in the list first;
// - atexit, through which the static objects of functions register their destructors: the C
//   runtime DLL keeps them and exit() runs them before the program ends with WinMain's result.
// Neither program reads WinMain's arguments.
#include <cstdlib>

#include "runtime/platform.h"

extern "C" {
void __cdecl __set_app_type(int type);
extern IMAGE_DOS_HEADER __ImageBase;
// The layout's list: -1, the constructors, 0.
extern void (*__CTOR_LIST__[])();

int __cdecl atexit(void (*function)()) { return _onexit(reinterpret_cast<_onexit_t>(function)) ? 0 : -1; }

[[noreturn]] void WinMainCRTStartup() {
    constexpr int kWindowedApplication = 2;
    __set_app_type(kWindowedApplication);
    __asm__ volatile("fninit");
    auto** constructor = __CTOR_LIST__ + 1;
    while (*constructor) ++constructor;
    while (--constructor != __CTOR_LIST__) (*constructor)();
    std::exit(WinMain(reinterpret_cast<HINSTANCE>(&__ImageBase), nullptr, nullptr, SW_SHOWDEFAULT));
}
}
