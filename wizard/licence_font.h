#pragma once
// The licence text's font, as the package describes it.
#include "package/package_data.h"

class Font;

// Height, face, colour and character set, then bold, italic, underline and strike-out. Numbers
// that are not numbers raise the runtime's conversion error.
void ApplyLicenceFont(Font& font, const StringList& settings);
