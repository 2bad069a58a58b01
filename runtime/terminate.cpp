// The C++ library's default handler for an ending it cannot handle prints the demangled name of an
// exception type, which links a 46 KiB demangler into the setup program. The program raises no
// exceptions, so a plain abort serves.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
