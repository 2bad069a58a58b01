#pragma once
// The program's failure handler: a task-modal "Application Error" box naming the error's kind, the
// module and the address that failed, then the process ends with exit code 1.
#include <string>

[[noreturn]] void ReportFatalError(const char* kind, const std::string& message, const void* address);
