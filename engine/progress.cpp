#include "engine/progress.h"

#include <cstdint>

int ProgressWidth(int filesDone, int filesTotal) {
    if (filesTotal <= 0 || filesDone <= 0) return 0;
    // Integer arithmetic: a floating quotient could land just below an exact width.
    return static_cast<int>(static_cast<std::int64_t>(filesDone) * kProgressBarWidth / filesTotal);
}
