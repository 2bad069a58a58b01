#include "toolkit/font.h"

#include <cwchar>

#include "runtime/unicode.h"

namespace {

constexpr const wchar_t* kDefaultFace = L"MS Sans Serif";
constexpr std::size_t kFaceLimit = LF_FACESIZE - 1;  // 31 characters and the terminating zero

}  // namespace

Font::Font(Control* owner, ColorValue color) : owner_(owner), color_(color) {
    log_.lfCharSet = RUSSIAN_CHARSET;
    std::wcscpy(log_.lfFaceName, kDefaultFace);
}

Font::Font(const Font& other, Control* owner) : owner_(owner), log_(other.log_), color_(other.color_) {}

void Font::Changed() {
    handle_.Reset();
    if (owner_) owner_->FontChanged();
}

void Font::SetFontHeight(int height) {
    log_.lfHeight = height;
    Changed();
}

void Font::SetFontName(const std::string& face) {
    const std::wstring wide = Wide(face);
    wchar_t name[LF_FACESIZE] = {};
    wide.copy(name, kFaceLimit);
    if (std::wcscmp(name, log_.lfFaceName) == 0) return;
    std::wmemcpy(log_.lfFaceName, name, LF_FACESIZE);
    Changed();
}

void Font::SetFontColor(ColorValue color) {
    color_ = color;
    Changed();
}

void Font::SetFontCharset(BYTE charset) {
    log_.lfCharSet = charset == DEFAULT_CHARSET ? RUSSIAN_CHARSET : charset;
    Changed();
}

int Font::GetFontStyle() const {
    return (log_.lfWeight >= FW_BOLD ? kFontBold : 0) | (log_.lfItalic ? kFontItalic : 0) |
           (log_.lfUnderline ? kFontUnderline : 0) | (log_.lfStrikeOut ? kFontStrikeOut : 0);
}

void Font::SetFontStyle(int flags) {
    if (flags & kFontBold) {
        if (log_.lfWeight < FW_BOLD) log_.lfWeight = FW_BOLD;
    } else if (log_.lfWeight >= FW_BOLD) {
        log_.lfWeight = 0;
    }
    log_.lfItalic = (flags & kFontItalic) ? TRUE : FALSE;
    log_.lfUnderline = (flags & kFontUnderline) ? TRUE : FALSE;
    log_.lfStrikeOut = (flags & kFontStrikeOut) ? TRUE : FALSE;
    Changed();
}

HFONT Font::Handle() {
    if (!handle_) handle_.Reset(CreateFontIndirectW(&log_));
    return handle_.Get();
}

void Brush::SetBrushColor(ColorValue color) {
    color_ = color;
    owned_.Reset();
}

HBRUSH Brush::Handle() {
    if (IsSystemColor(color_)) return GetSysColorBrush(SystemColorIndex(color_));
    if (!owned_) owned_.Reset(CreateSolidBrush(static_cast<COLORREF>(color_)));
    return owned_.Get();
}
