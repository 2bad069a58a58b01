#include "engine/progress.h"

#include "runtime/integer.h"

int ProgressWidth(int filesDone, int filesTotal) {
    if (filesTotal <= 0 || filesDone <= 0) return 0;
    // Integer arithmetic: a floating quotient could land just below an exact width.
    return static_cast<int>(MultiplyDivide(static_cast<std::uint32_t>(filesDone), kProgressBarWidth,
                                           static_cast<std::uint32_t>(filesTotal)).quotient);
}
