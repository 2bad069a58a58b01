// Every control kind of the toolkit and both gradient kinds in one window, for looking at.
//   gallery.exe                      shows the window until it is closed
//   gallery.exe --screenshot FILE    saves what the screen shows of the window as PNG and ends
#include <cstring>
#include <string>
#include <vector>

#include "runtime/failure.h"
#include "runtime/unicode.h"
#include "tools/png_writer.h"
#include "toolkit/toolkit.h"

namespace {

struct Gallery {
    Form* form = nullptr;
    Panel* framed = nullptr;
    Label* status = nullptr;
    std::string screenshot;
    int ticks = 0;
};

// A 32 x 32 picture: a blue disc on magenta, the mask colour.
HBITMAP MakePicture() {
    const HDC screen = GetDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    const HDC dc = CreateCompatibleDC(screen);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, 32, 32};
    SetDCBrushColor(dc, RGB(255, 0, 255));
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, RGB(30, 90, 200));
    const HGDIOBJ brush = SelectObject(dc, GetStockObject(DC_BRUSH));
    Ellipse(dc, 2, 2, 30, 30);
    SelectObject(dc, brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

bool SaveScreen(const Form& form, const std::string& path) {
    RECT r;
    GetWindowRect(form.ExistingHandle(), &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    BitBlt(dc, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    std::vector<std::uint8_t> rgb;
    const auto* pixels = static_cast<const std::uint8_t*>(bits);
    for (int i = 0; i < width * height; ++i) rgb.insert(rgb.end(), {pixels[i * 4 + 2], pixels[i * 4 + 1], pixels[i * 4]});
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return WritePng(path, width, height, rgb);
}

// First tick: draw on the canvas. Second tick: the system has shown the drawing; save it.
void Capture(void* context, Timer& timer) {
    auto* gallery = static_cast<Gallery*>(context);
    if (++gallery->ticks == 1) {
        gallery->framed->GetCanvas().GetCanvasBrush().SetBrushColor(0xE0F0FF);
        gallery->framed->GetCanvas().DrawRectangle(8, 8, 140, 40);
        return;
    }
    timer.SetTimerEnabled(false);
    if (!SaveScreen(*gallery->form, gallery->screenshot)) {
        MessageBoxW(nullptr, Wide(gallery->screenshot).c_str(), L"Cannot write the screenshot", MB_ICONERROR);
    }
    gallery->form->Close();
}

void Clicked(void* context, Control& sender) {
    static_cast<Gallery*>(context)->status->SetText("Нажата: " + sender.GetText());
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    static Gallery gallery;
    const char* flag = std::strstr(commandLine, "--screenshot ");
    if (flag) gallery.screenshot = flag + std::strlen("--screenshot ");

    SetFailureHandler(ReportFatalError);
    Application& app = CreateApplication("Gallery");
    Form& form = CreateForm(app, "Toolkit gallery");
    gallery.form = &form;
    form.GetFont().SetFontName("Tahoma");
    form.GetFont().SetFontHeight(-11);
    form.SetClientSize(640, 440);
    form.CenterOnScreen();
    form.SetResizable(false);

    // Top: a linear gradient with transparent titles.
    GradientPanel& banner = CreateGradientPanel(form, 0x803000, 0xF0C080);
    banner.SetGradientStyle(kGradientLeftToRight);
    banner.SetSize(0, 64).SetAlign(Align::Top);
    Label& title = CreateLabel(banner, "Мастер установки");
    title.SetTransparent(true);
    title.GetFont().SetFontHeight(-20);
    title.GetFont().SetFontStyle(kFontBold);
    title.GetFont().SetFontColor(0xFFFFFF);
    title.SetPosition(16, 8).SetAutoSize(true);
    Label& subtitle = CreateLabel(banner, "Прозрачные надписи на градиенте");
    subtitle.SetTransparent(true);
    subtitle.GetFont().SetFontStyle(kFontItalic);
    subtitle.GetFont().SetFontColor(0xFFFFFF);
    subtitle.SetPosition(18, 38).SetAutoSize(true);

    // Left: the shaped gradient, a rhombus from black to white anchored top-left.
    GradientPanel& side = CreateShapedGradientPanel(form, 0x000000, 0xFFFFFF, kGradientRhombus, 0);
    side.SetSize(150, 0).SetAlign(Align::Left);
    side.SetTabStop(false);

    // Bottom: a raised panel with the default and cancel buttons.
    Panel& buttons = CreatePanel(form, kPanelRaised);
    buttons.SetSize(0, 40).SetAlign(Align::Bottom);
    Label& status = CreateLabel(buttons, "Enter и Esc нажимают кнопки");
    status.SetPosition(8, 8).SetSize(260, 0);
    gallery.status = &status;
    Button& cancel = CreateButton(buttons, "Отмена");
    cancel.SetSize(80, 24).SetAlign(Align::Right);
    cancel.SetCancelButton(true);
    Button& next = CreateButton(buttons, "Далее >");
    next.SetSize(80, 24).SetAlign(Align::Right);
    next.SetDefaultButton(true);
    for (Button* b : {&cancel, &next}) b->SetOnClick(Clicked, &gallery);

    // The rest: every other kind.
    Panel& body = CreatePanel(form, kPanelFlat);
    body.SetAlign(Align::Client);
    body.SetMargin(8);
    CreateLabel(body, "Папка установки:").SetPosition(8, 8).SetAutoSize(true);
    Edit& folder = CreateEdit(body, 0);
    folder.SetText("C:\\Program Files\\Пример");
    folder.SetPosition(8, 28).SetSize(250, 0);
    CreateButton(body, "Обзор...").SetPosition(264, 27).SetSize(0, 24).SetAutoSize(true);

    CheckBox& desktop = CreateCheckBox(body, "Ярлык на рабочем столе");
    desktop.SetPosition(8, 62).SetAutoSize(true);
    desktop.SetChecked(true);
    CheckBox& quick = CreateCheckBox(body, "Панель быстрого запуска");
    quick.SetPosition(8, 84).SetAutoSize(true);

    Panel& choice = CreatePanel(body, kPanelLowered);
    choice.SetPosition(250, 62).SetSize(200, 74);
    CreateRadioButton(choice, "Полная установка").SetPosition(6, 4).SetAutoSize(true);
    CreateRadioButton(choice, "Выборочная").SetPosition(6, 26).SetAutoSize(true);
    CreateRadioButton(choice, "Компактная").SetPosition(6, 48).SetAutoSize(true);

    Edit& licence = CreateEdit(body, kEditMultiLine | kEditReadOnly | kEditNoHorizontalScroll);
    licence.SetText("Лицензионное соглашение.\r\n\r\nМногострочное поле только для чтения "
                    "с вертикальной прокруткой и переносом строк.");
    licence.SetPosition(8, 146).SetSize(230, 120);

    Panel& framed = CreatePanel(body, kPanelFlat);
    framed.SetColor(0xFFFFFF);
    framed.SetBorder(true);
    framed.SetPosition(250, 146).SetSize(200, 120);
    gallery.framed = &framed;
    ImageList& images = CreateImageList(form);
    images.SetImageListColors(6);
    images.AddMaskedBitmap(images.Keep(MakePicture()), 0xFF00FF);
    CreateImageView(framed, &images, 0).SetPosition(150, 70);
    Label& bold = CreateLabel(framed, "Полужирный");
    bold.GetFont().SetFontStyle(kFontBold | kFontUnderline);
    bold.SetPosition(10, 50).SetAutoSize(true);
    Label& colored = CreateLabel(framed, "Цветной фон");
    colored.SetColor(0x80FFFF);
    colored.SetPosition(10, 80).SetAutoSize(true);

    if (!gallery.screenshot.empty()) {
        Timer& timer = CreateTimer(form, 500);
        timer.SetOnTimer(Capture, &gallery);
        timer.SetTimerEnabled(true);
    }
    RunApplication(app);
    return 0;
}
