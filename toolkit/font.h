#pragma once
// The font and brush tools: the description of a GDI object, which is made on first use and
// dropped whenever the description changes.
#include <string>

#include "runtime/platform.h"
#include "toolkit/control.h"
#include "toolkit/gdi_object.h"

// Style flags as the program exchanges them.
enum FontStyle : int { kFontBold = 1, kFontItalic = 2, kFontUnderline = 4, kFontStrikeOut = 8 };

class Font {
public:
    Font(Control* owner, ColorValue color);
    Font(const Font& other, Control* owner);  // an independent copy for another owner
    Font& operator=(const Font&) = delete;

    void SetFontHeight(int height);
    void SetFontName(const std::string& face);  // at most 31 characters are kept
    void SetFontColor(ColorValue color);
    // The default set (1) becomes the Cyrillic one (204): our texts are Russian, and the default
    // set follows the language of Windows, whose fonts then draw the letters as other letters or
    // boxes. A set named otherwise is the package's choice and is kept.
    void SetFontCharset(BYTE charset);
    int GetFontStyle() const;
    void SetFontStyle(int flags);  // replaces bold, italic, underline and strike-out together

    const LOGFONTW& Log() const { return log_; }
    ColorValue Color() const { return color_; }
    HFONT Handle();

private:
    void Changed();

    Control* owner_;
    LOGFONTW log_{};
    ColorValue color_;
    GdiObject<HFONT> handle_;
};

class Brush {
public:
    explicit Brush(ColorValue color) : color_(color) {}
    void SetBrushColor(ColorValue color);
    ColorValue Color() const { return color_; }
    // System colours use the system's shared brush, which is never deleted.
    HBRUSH Handle();

private:
    ColorValue color_;
    GdiObject<HBRUSH> owned_;
};
