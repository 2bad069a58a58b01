#pragma once
// The licence text is stored with every byte raised by 128 (modulo 256), so that its line breaks
// fit on one line of the text block.
#include <string>

void UnshiftText(std::string& text);
void ShiftText(std::string& text);

// Text containing 0x8D, 0x8A or 0x9A cannot be stored: shifted, they would become CR, LF or the
// end-of-text byte. Returns the position of the first such byte, or npos.
std::string::size_type FindUnshiftableByte(const std::string& text);
