#pragma once
// Errors end where they are raised: Fail hands the error's kind and message text to the failure
// handler, which tells the user and ends the process (the program's handler shows the fatal error
// box). Nothing unwinds, so the program carries no exception machinery. Tests install a handler
// of their own to observe failures without ending.
#include <string>

// The handler never returns to the failing code; address is where Fail was called from.
using FailureHandler = void (*)(const char* kind, const std::string& message, const void* address);

// Installs the handler for every later failure and returns the one it replaces.
FailureHandler SetFailureHandler(FailureHandler handler);

// Reports the failure through the current handler: "Exception <kind> ..." and the message.
[[noreturn]] void Fail(const char* kind, const std::string& message);
