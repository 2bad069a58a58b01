#include "package/shifted_text.h"

void UnshiftText(std::string& text) {
    for (char& c : text) c = static_cast<char>(static_cast<unsigned char>(c) - 128);
}

void ShiftText(std::string& text) {
    for (char& c : text) c = static_cast<char>(static_cast<unsigned char>(c) + 128);
}

std::string::size_type FindUnshiftableByte(const std::string& text) {
    return text.find_first_of("\x8D\x8A\x9A");
}
