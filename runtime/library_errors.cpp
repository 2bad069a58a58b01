// The C++ library reports its own errors (a string grown past its limit, a bad cast) through these
// functions. Its versions build std::logic_error and friends, which drag a second string
// implementation of some 40 KiB into the setup program; ours raise the program's own error, which
// the top-level handling reports like any other.
#include <new>
#include <typeinfo>

#include "runtime/errors.h"

namespace {
[[noreturn]] void Raise(const char* what) { throw RuntimeError("LibraryError", what ? what : "library error"); }
}  // namespace

namespace std {
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_alloc(); }
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
