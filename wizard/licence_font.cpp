#include "wizard/licence_font.h"

#include "package/records.h"
#include "package/settings.h"
#include "runtime/integer.h"
#include "toolkit/font.h"

void ApplyLicenceFont(Font& font, const StringList& s) {
    font.SetFontHeight(ScaledFontHeight(StrToInt(ListLine(s, setting::kLicenceFontSize))));
    font.SetFontName(ListLine(s, setting::kLicenceFontName));
    font.SetFontColor(StrToInt(ListLine(s, setting::kLicenceFontColor)));
    font.SetFontCharset(static_cast<BYTE>(StrToInt(ListLine(s, setting::kLicenceCharset))));
    // Bold replaces the style; the others add to what is there.
    if (IsFlagOn(ListLine(s, setting::kLicenceBold))) font.SetFontStyle(kFontBold);
    const int added[] = {kFontItalic, kFontUnderline, kFontStrikeOut};
    const setting::Line flags[] = {setting::kLicenceItalic, setting::kLicenceUnderline, setting::kLicenceStrikeout};
    for (int i = 0; i < 3; ++i)
        if (IsFlagOn(ListLine(s, flags[i]))) font.SetFontStyle(font.GetFontStyle() | added[i]);
}
