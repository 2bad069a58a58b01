#pragma once
// The top-level handling of an error that escaped an event handler: a task-modal error box, then
// the process ends with exit code 1. Every window, subclass and timer procedure catches
// everything and comes here, because an exception must never unwind through a user32 frame.
#include <exception>

[[noreturn]] void ReportFatalError(std::exception_ptr error) noexcept;
