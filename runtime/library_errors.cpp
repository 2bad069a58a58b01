// The C++ library reports its own errors (a string grown past its limit, memory exhausted) through
// these functions, and allocates through operator new. Its versions throw, which would drag the
// exception machinery and a second string implementation into the setup program; ours end through
// the program's failure handling like any other error.
#include <cstdlib>
#include <new>

#include "runtime/errors.h"

namespace {
[[noreturn]] void Raise(const char* what) { Fail("LibraryError", what ? what : "library error"); }
[[noreturn]] void OutOfMemory() { Fail("OutOfMemory", messages::kOutOfMemory); }
}  // namespace

void* operator new(std::size_t size) {
    if (void* block = std::malloc(size > 0 ? size : 1)) return block;
    OutOfMemory();
}
void* operator new[](std::size_t size) { return operator new(size); }
// Allocations that may fail (the decompression window) ask with std::nothrow and get null. The
// library's versions catch its own exception, which alone would bring in 90 KB of machinery.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size > 0 ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size > 0 ? size : 1); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace std {
void __throw_bad_alloc() { OutOfMemory(); }
void __throw_bad_array_new_length() { OutOfMemory(); }
void __throw_bad_cast() { Raise("bad cast"); }
void __throw_bad_typeid() { Raise("bad typeid"); }
void __throw_bad_exception() { Raise("bad exception"); }
void __throw_logic_error(const char* what) { Raise(what); }
void __throw_domain_error(const char* what) { Raise(what); }
void __throw_invalid_argument(const char* what) { Raise(what); }
void __throw_length_error(const char* what) { Raise(what); }
void __throw_out_of_range(const char* what) { Raise(what); }
void __throw_out_of_range_fmt(const char* what, ...) { Raise(what); }
void __throw_runtime_error(const char* what) { Raise(what); }
void __throw_range_error(const char* what) { Raise(what); }
void __throw_overflow_error(const char* what) { Raise(what); }
void __throw_underflow_error(const char* what) { Raise(what); }
}  // namespace std
