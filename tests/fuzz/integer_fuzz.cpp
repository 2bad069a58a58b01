// Any text through the integer conversion; every integer it accepts has a font height.
#include <cstdlib>
#include <string_view>

#include "package/settings.h"
#include "runtime/integer.h"

extern "C" int LLVMFuzzerTestOneInput(const char* bytes, std::size_t size) {
    if (const auto value = ParseInteger(std::string_view(bytes, size))) {
        const std::int32_t height = ScaledFontHeight(*value);
        // The height has the sign of the size and is never smaller in magnitude.
        if ((*value < 0) != (height < 0) || std::llabs(height) < std::llabs(*value)) std::abort();
    }
    return 0;
}
