#include "wizard/licence_font.h"

#include "engine/records.h"
#include "package/settings.h"
#include "runtime/integer.h"
#include "toolkit/font.h"

namespace {

constexpr int kSize = 32, kFace = 33, kColour = 34, kCharset = 35, kBold = 36;

}  // namespace

void ApplyLicenceFont(Font& font, const StringList& s) {
    font.SetFontHeight(ScaledFontHeight(StrToInt(ListLine(s, kSize))));
    font.SetFontName(ListLine(s, kFace));
    font.SetFontColor(StrToInt(ListLine(s, kColour)));
    font.SetFontCharset(static_cast<BYTE>(StrToInt(ListLine(s, kCharset))));
    // Bold replaces the style; the others add to what is there.
    if (IsFlagOn(ListLine(s, kBold))) font.SetFontStyle(kFontBold);
    const int added[] = {kFontItalic, kFontUnderline, kFontStrikeOut};
    for (int i = 0; i < 3; ++i)
        if (IsFlagOn(ListLine(s, kBold + 1 + i))) font.SetFontStyle(font.GetFontStyle() | added[i]);
}
