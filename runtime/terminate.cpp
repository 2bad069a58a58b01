// The C++ library's default handler for an exception that nothing catches prints the exception's
// demangled type, which links a 46 KiB demangler into the setup program. Our top-level handling
// catches every exception, so a plain abort serves.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
