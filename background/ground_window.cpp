#include "background/ground_window.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "package/settings.h"
#include "program/program.h"
#include "runtime/integer.h"
#include "wizard/close_question.h"
#include "wizard/setup_form.h"

namespace {

// Lines of one title's settings.
struct TitleLines {
    setting::Line shown, text, size, face, color, charset, bold, italic, underline, strikeout;
};
constexpr TitleLines kTitle1{setting::kTitle1Show,      setting::kTitle1Text,      setting::kTitle1FontSize,
                             setting::kTitle1FontName,  setting::kTitle1FontColor, setting::kTitle1Charset,
                             setting::kTitle1Bold,      setting::kTitle1Italic,     setting::kTitle1Underline,
                             setting::kTitle1Strikeout};
constexpr TitleLines kTitle2{setting::kTitle2Show,      setting::kTitle2Text,      setting::kTitle2FontSize,
                             setting::kTitle2FontName,  setting::kTitle2FontColor, setting::kTitle2Charset,
                             setting::kTitle2Bold,      setting::kTitle2Italic,     setting::kTitle2Underline,
                             setting::kTitle2Strikeout};

// Returns the font height given, or 0 when the title stays hidden.
int ConfigureTitle(Label& title, const StringList& s, const TitleLines& lines) {
    if (!IsFlagOn(s[lines.shown])) {
        title.SetVisible(false);
        return 0;
    }
    title.SetText(s[lines.text]);
    Font& font = title.GetFont();
    const int height = ScaledFontHeight(StrToInt(s[lines.size]));
    font.SetFontHeight(height);
    font.SetFontName(s[lines.face]);
    font.SetFontColor(StrToInt(s[lines.color]));
    font.SetFontCharset(static_cast<BYTE>(StrToInt(s[lines.charset])));
    if (IsFlagOn(s[lines.bold])) font.SetFontStyle(kFontBold);
    const int added[] = {kFontItalic, kFontUnderline, kFontStrikeOut};
    const setting::Line flags[] = {lines.italic, lines.underline, lines.strikeout};
    for (int i = 0; i < 3; ++i)
        if (IsFlagOn(s[flags[i]])) font.SetFontStyle(font.GetFontStyle() | added[i]);
    return height;
}

// Leaving before the finish page asks the wizard's close question, over the background.
void GroundClose(void* context, Control& ground, bool& accept) {
    const auto& program = *static_cast<Program*>(context);
    accept = AgreesToLeave(program.setup, ground.GetWindowHandle());
    if (accept) CloseMainForm();
}

// A click on the background brings the wizard back to the front.
void GroundPanelClick(void* context, Control&) {
    auto& program = *static_cast<Program*>(context);
    if (program.setup) program.setup->SetupForm->Show();
}

}  // namespace

GroundRecord& CreateGroundWindow(Application& app, Program& program) {
    auto owned = std::make_unique<GroundRecord>();
    GroundRecord& ground = *owned;

    Form& form = CreateForm(app, "Ground");
    form.SetPosition(217, 113);
    form.SetClientSize(414, 270);
    ground.Ground = &form;
    form.AttachOwned(std::move(owned));
    form.SetVisible(false);
    form.SetBorder(false);
    form.SetMargin(0);
    DeleteMenu(GetSystemMenu(form.GetWindowHandle(), FALSE), SC_CLOSE, MF_BYCOMMAND);
    form.SetOnClose(GroundClose, &program);

    GradientPanel& panel = CreateGradientPanel(form, 0xFF0000, 0x800000);
    ground.GroundPanel = &panel;
    panel.SetAlign(Align::Client);
    panel.SetTabStop(false);
    panel.SetBorder(true);

    Label& title1 = CreateLabel(panel, "Label1");
    ground.GroundTitle1 = &title1;
    title1.SetPosition(8, 8);
    title1.SetAutoSize(true);
    title1.GetFont().SetFontColor(0x0000FF);
    title1.GetFont().SetFontHeight(24);
    title1.GetFont().SetFontName("Arial");
    title1.SetTransparent(true);

    Label& title2 = CreateLabel(panel, "Label2");
    ground.GroundTitle2 = &title2;
    title2.SetPosition(8, 264);
    title2.SetAutoSize(true);
    title2.GetFont().SetFontHeight(16);
    title2.SetTransparent(true);

    panel.SetOnClick(GroundPanelClick, &program);
    return ground;
}

void ConfigureGround(GroundRecord& ground, const StringList& s) {
    if (s[setting::kBackgroundGradient] != "0") {
        ground.GroundPanel->SetGradientColor1(StrToInt(s[setting::kGradientColor1]));
        ground.GroundPanel->SetGradientColor2(StrToInt(s[setting::kGradientColor2]));
    } else {
        ground.GroundPanel->SetGradientColor1(StrToInt(s[setting::kBackgroundColor]));
        ground.GroundPanel->SetGradientColor2(StrToInt(s[setting::kBackgroundColor]));
    }
    ground.GroundPanel->SetGradientStyle(IsFlagOn(s[setting::kGradientTopToBottom]) ? 0 : 1);
    ConfigureTitle(*ground.GroundTitle1, s, kTitle1);
    if (const int height = ConfigureTitle(*ground.GroundTitle2, s, kTitle2)) {
        // The second title sits near the bottom edge: the window's height less 1.55 line heights,
        // cut to a whole pixel. Computed wide: a package's font size may be any integer; 1.55 times
        // the height's magnitude (at most 2^31) still fits 32 bits unsigned.
        const std::uint32_t magnitude = height < 0 ? 0u - static_cast<std::uint32_t>(height) : static_cast<std::uint32_t>(height);
        const std::int64_t drop = MultiplyDivide(magnitude, 155, 100).quotient;
        const std::int64_t top = ground.Ground->GetHeight() - (height < 0 ? -drop : drop);
        ground.GroundTitle2->SetTop(static_cast<int>(std::clamp<std::int64_t>(top, INT32_MIN, INT32_MAX)));
    }
}
