// Routines and data that the C runtime's start-up refers to, in place of its own, which bring
// fprintf, section scanning, VirtualProtect, signal and the thread-local support into the shipped
// 32-bit programs:
// - the runtime relocator patches references to data imported from DLLs; the programs import none
//   (cmake/lean-i686.ld fails the link as soon as one appears), so there is nothing to patch;
// - _matherr reports a maths error on stderr, which a windowed program lacks, and returns 0, "not
//   handled", which is all it does here;
// - the unhandled-exception filter runs the handler a program set with signal() for a crash, and
//   otherwise passes the crash on to the filter it replaced, or to the system. The programs set no
//   signal handler, so passing it on is all it does here;
// - the thread-local support: its TLS callback runs the destructors registered for a thread's end
//   (by a threads library's keys). The programs register none (cmake/lean-i686.ld fails the link
//   when something can), so the start-up finds no callback to call and the program no TLS
//   directory. Thread-local variables are emulated by the compiler through TlsAlloc and need none
//   of it; one that asks for the TLS directory pulls the runtime's part in and the link fails on
//   the name defined twice.
struct _exception;
struct _EXCEPTION_POINTERS;
using ExceptionFilter = long(__stdcall*)(_EXCEPTION_POINTERS*);

extern "C" {
void _pei386_runtime_relocator() {}
int _matherr(_exception*) { return 0; }

ExceptionFilter __mingw_oldexcpt_handler = nullptr;
long __stdcall _gnu_exception_handler(_EXCEPTION_POINTERS* exception) {
    return __mingw_oldexcpt_handler ? __mingw_oldexcpt_handler(exception) : 0;  // EXCEPTION_CONTINUE_SEARCH
}

extern const void* const __dyn_tls_init_callback = nullptr;
// The start-up names these only to pull the thread-local support into the link.
int __mingw_initltsdrot_force = 0;
int __mingw_initltsdyn_force = 0;
int __mingw_initltssuo_force = 0;
}
