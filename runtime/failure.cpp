#include "runtime/failure.h"

#include <cstdlib>

namespace {
FailureHandler g_handler = nullptr;
}  // namespace

FailureHandler SetFailureHandler(FailureHandler handler) {
    const FailureHandler previous = g_handler;
    g_handler = handler;
    return previous;
}

// Not inlined, so that the return address names the place that failed.
__attribute__((noinline)) void Fail(const char* kind, const std::string& message) {
    const void* address = __builtin_return_address(0);
    if (g_handler) g_handler(kind, message, address);
    // A handler that returned, or none installed: there is nobody left to tell.
    std::abort();
}
