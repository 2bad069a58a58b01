// Any description text: parsed or refused with a DescriptionError, never anything worse.
#include <string_view>

#include "tools/description.h"

extern "C" int LLVMFuzzerTestOneInput(const char* bytes, std::size_t size) {
    try {
        ParseDescription(std::string_view(bytes, size), "fuzz.txt", "/nonexistent");
    } catch (const DescriptionError&) {
    }
    return 0;
}
