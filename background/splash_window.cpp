#include "background/splash_window.h"

#include <memory>

#include "background/background_texts.h"
#include "toolkit/window_class.h"

namespace {

void EnableTimerOnShow(void* context, Control&) { static_cast<SplashRecord*>(context)->SplashTimer->SetTimerEnabled(true); }

}  // namespace

SplashRecord& CreateSplashWindow(Application& app, TimerHandler onTick, void* context) {
    auto owned = std::make_unique<SplashRecord>();
    SplashRecord& splash = *owned;

    Form& form = CreateForm(app, "SetupProgram");
    form.SetPosition(318, 200);
    // Measuring the client area makes the window, with its caption and frame still on, so the
    // outer size includes them: the ellipse below was laid out for that size.
    form.SetClientSize(280, 59);
    splash.SetupProgram = &form;
    form.AttachOwned(std::move(owned));
    form.SetBorder(false);
    form.SetCursorResource(nullptr, SystemResource(IDC_WAIT));
    form.SetMargin(0);
    form.SetOnShow(EnableTimerOnShow, &splash);

    Timer& timer = CreateTimer(form, 500);
    splash.SplashTimer = &timer;
    timer.SetOnTimer(onTick, context);

    GradientPanel& panel = CreateGradientPanel(form, 0x000000, 0xFFFFFF);
    panel.SetGradientStyle(0);
    panel.SetAlign(Align::Client);
    splash.Panel = &panel;
    panel.SetTabStop(false);
    panel.SetBorder(true);

    Label& text = CreateLabel(panel, kSplashText);
    text.SetPosition(30, 30);
    text.SetAutoSize(true);
    splash.Text = &text;
    text.SetColor(kColorButtonFace);
    text.GetFont().SetFontColor(0xFFFFFF);
    text.GetFont().SetFontHeight(13);
    text.GetFont().SetFontName("verdana");
    text.SetTransparent(true);

    timer.SetTimerEnabled(true);
    form.CenterOnScreen();
    form.SetResizable(false);
    // The region belongs to the window from here on.
    SetWindowRgn(form.GetWindowHandle(), CreateEllipticRgn(4, 4, 284, 80), TRUE);
    return splash;
}
