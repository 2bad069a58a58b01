// Real windows under the system's user32: layout, auto-size, radio buttons and fonts as the
// program's windows rely on them.
#include <string>

#include "tests/toolkit/toolkit_fixture.h"

namespace {

using Layout = ToolkitTest;

Rect BoundsOf(Control& c) { return c.GetBounds(); }

TEST_F(Layout, AlignedChildrenFillTheFormAndFollowItsSizeAndTheirSiblingsVisibility) {
    Form& form = CreateForm(App(), "Form");
    Panel& top = CreatePanel(form, kPanelFlat);
    top.SetSize(0, 30).SetAlign(Align::Top);
    Panel& bottom = CreatePanel(form, kPanelFlat);
    bottom.SetSize(0, 40).SetAlign(Align::Bottom);
    Panel& left = CreatePanel(form, kPanelFlat);
    left.SetSize(50, 0).SetAlign(Align::Left);
    Panel& right = CreatePanel(form, kPanelFlat);
    right.SetSize(60, 0).SetAlign(Align::Right);
    Panel& client = CreatePanel(form, kPanelFlat);
    client.SetAlign(Align::Client);
    Button& loose = CreateButton(form, "Loose");
    loose.SetPosition(7, 9);
    form.SetClientSize(400, 300);
    StartApplication(App());

    EXPECT_EQ(BoundsOf(top), (Rect{2, 2, 398, 32}));
    EXPECT_EQ(BoundsOf(bottom), (Rect{2, 258, 398, 298}));
    EXPECT_EQ(BoundsOf(left), (Rect{2, 34, 52, 256}));
    EXPECT_EQ(BoundsOf(right), (Rect{338, 34, 398, 256}));
    EXPECT_EQ(BoundsOf(client), (Rect{54, 34, 336, 256}));
    EXPECT_EQ(BoundsOf(loose).left, 7);
    EXPECT_EQ(BoundsOf(loose).top, 9);

    form.SetClientSize(500, 350);
    EXPECT_EQ(BoundsOf(bottom), (Rect{2, 308, 498, 348}));
    EXPECT_EQ(BoundsOf(client), (Rect{54, 34, 436, 306}));

    top.SetVisible(false);
    EXPECT_EQ(BoundsOf(left), (Rect{2, 2, 52, 306}));
    top.SetVisible(true);
    EXPECT_EQ(BoundsOf(left), (Rect{2, 34, 52, 306}));

    form.SetMargin(0);
    EXPECT_EQ(BoundsOf(top), (Rect{0, 0, 500, 30}));
    EXPECT_EQ(BoundsOf(client), (Rect{50, 30, 440, 310}));
}

TEST_F(Layout, NestedContainersLayOutTheirOwnChildrenWhenTheirSizeChanges) {
    Form& form = CreateForm(App(), "Form");
    form.SetClientSize(300, 200);
    Panel& side = CreatePanel(form, kPanelFlat);
    side.SetSize(100, 0).SetAlign(Align::Left);
    Button& inner = CreateButton(side, "Inner");
    inner.SetAlign(Align::Bottom);
    // The panel grows from its default height to the form's; its bottom child follows.
    EXPECT_EQ(BoundsOf(side), (Rect{2, 2, 102, 198}));
    EXPECT_EQ(BoundsOf(inner), (Rect{2, 194 - 22, 98, 194}));
}

TEST_F(Layout, SetSizeIgnoresDimensionsThatAreNotPositive) {
    Form& form = CreateForm(App(), "Form");
    Panel& panel = CreatePanel(form, kPanelFlat);
    panel.SetSize(200, 100);
    panel.SetSize(0, 312);
    EXPECT_EQ(panel.GetWidth(), 200);
    EXPECT_EQ(panel.GetHeight(), 312);
    panel.SetSize(489, 0);
    EXPECT_EQ(panel.GetWidth(), 489);
    EXPECT_EQ(panel.GetHeight(), 312);
    panel.SetSize(-3, -4);
    EXPECT_EQ(BoundsOf(panel).Width(), 489);
}

using AutoSize = ToolkitTest;

Size TextExtent(Control& control, const std::string& text) {
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, control.GetFont().Handle());
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {extent.cx, extent.cy};
}

TEST_F(AutoSize, ControlsFitTheirTextPlusTheExtrasOfTheirKind) {
    Form& form = CreateForm(App(), "Form");
    form.GetWindowHandle();
    Label& empty = CreateLabel(form, "");
    empty.SetAutoSize(true);
    EXPECT_EQ(empty.GetWidth(), 1);
    EXPECT_EQ(empty.GetHeight(), 1);

    Label& label = CreateLabel(form, "Папка установки");
    label.SetAutoSize(true);
    const Size text = TextExtent(label, "Папка установки");
    ASSERT_GT(text.width, 20);
    EXPECT_EQ(label.GetWidth(), text.width + 1);
    EXPECT_EQ(label.GetHeight(), text.height + 1);

    Button& button = CreateButton(form, "Папка установки");
    button.SetAutoSize(true);
    EXPECT_EQ(button.GetWidth(), text.width + 14);
    EXPECT_EQ(button.GetHeight(), 22);
    CheckBox& check = CreateCheckBox(form, "Папка установки");
    check.SetAutoSize(true);
    EXPECT_EQ(check.GetWidth(), text.width + 24);
    RadioButton& radio = CreateRadioButton(form, "Папка установки");
    radio.SetAutoSize(true);
    EXPECT_EQ(radio.GetWidth(), text.width + 24);
    Edit& edit = CreateEdit(form, 0);
    edit.SetText("Папка");
    edit.SetAutoSize(true);
    EXPECT_EQ(edit.GetWidth(), 100);
    EXPECT_EQ(edit.GetHeight(), text.height + 6);

    // Later texts and fonts resize at once.
    label.SetText("Да");
    EXPECT_EQ(label.GetWidth(), TextExtent(label, "Да").width + 1);
    label.GetFont().SetFontHeight(30);
    EXPECT_EQ(label.GetHeight(), TextExtent(label, "Да").height + 1);
}

TEST_F(AutoSize, ItalicTextGetsOneSpaceMoreRoom) {
    Form& form = CreateForm(App(), "Form");
    Label& label = CreateLabel(form, "Готово");
    label.GetFont().SetFontStyle(kFontItalic);
    label.SetAutoSize(true);
    EXPECT_EQ(label.GetWidth(), TextExtent(label, "Готово ").width + 1);
    EXPECT_GT(TextExtent(label, "Готово ").width, TextExtent(label, "Готово").width);
}

using RadioButtons = ToolkitTest;

TEST_F(RadioButtons, FirstOnAParentStartsCheckedAndCheckingAnotherUnchecksTheRest) {
    Form& form = CreateForm(App(), "Form");
    Panel& panel = CreatePanel(form, kPanelFlat);
    RadioButton& first = CreateRadioButton(panel, "Один");
    RadioButton& second = CreateRadioButton(panel, "Два");
    RadioButton& third = CreateRadioButton(panel, "Три");
    RadioButton& elsewhere = CreateRadioButton(form, "Другая группа");
    EXPECT_TRUE(first.IsChecked());  // before any window exists
    form.GetWindowHandle();
    EXPECT_TRUE(first.IsChecked());
    EXPECT_FALSE(second.IsChecked());
    EXPECT_TRUE(elsewhere.IsChecked());  // first on its own parent

    third.CheckRadio();
    EXPECT_FALSE(first.IsChecked());
    EXPECT_TRUE(third.IsChecked());
    EXPECT_TRUE(elsewhere.IsChecked());
}

TEST_F(RadioButtons, AClickChecksTheClickedButtonThenRaisesOnClick) {
    Form& form = CreateForm(App(), "Form");
    RadioButton& first = CreateRadioButton(form, "Один");
    RadioButton& second = CreateRadioButton(form, "Два");
    second.SetTop(40);
    struct Seen {
        int clicks = 0;
        bool checkedWhenRaised = false;
        RadioButton* button = nullptr;
    } seen{0, false, &second};
    second.SetOnClick(
        [](void* context, Control&) {
            auto* s = static_cast<Seen*>(context);
            ++s->clicks;
            s->checkedWhenRaised = s->button->IsChecked();
        },
        &seen);
    StartApplication(App());
    SendMessageA(second.GetWindowHandle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(seen.clicks, 1);
    EXPECT_TRUE(seen.checkedWhenRaised);
    EXPECT_FALSE(first.IsChecked());
}

using Fonts = ToolkitTest;

TEST_F(Fonts, BoldReplacesTheWholeStyleAndAddedFlagsKeepTheOthers) {
    Form& form = CreateForm(App(), "Form");
    Label& label = CreateLabel(form, "Текст");
    Font& font = label.GetFont();
    font.SetFontStyle(kFontItalic | kFontUnderline | kFontStrikeOut);
    font.SetFontStyle(kFontBold);
    EXPECT_EQ(font.GetFontStyle(), kFontBold);
    font.SetFontStyle(font.GetFontStyle() | kFontItalic);
    EXPECT_EQ(font.GetFontStyle(), kFontBold | kFontItalic);
    font.SetFontStyle(kFontItalic);
    EXPECT_EQ(font.Log().lfWeight, 0);  // bold off drops the weight to the default

    // The window shows the font the tool describes.
    LOGFONTA shown{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageA(label.GetWindowHandle(), WM_GETFONT, 0, 0));
    ASSERT_NE(handle, nullptr);
    GetObjectA(handle, sizeof shown, &shown);
    EXPECT_TRUE(shown.lfItalic);
    EXPECT_STREQ(shown.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(shown.lfCharSet, DEFAULT_CHARSET);
}

TEST_F(Fonts, ChildrenCopyTheirParentsFontAndFaceNamesAreCutTo31Characters) {
    Form& form = CreateForm(App(), "Form");
    form.GetFont().SetFontName(std::string(40, 'x'));
    EXPECT_EQ(std::string(form.GetFont().Log().lfFaceName), std::string(31, 'x'));
    form.GetFont().SetFontName("Tahoma");
    form.GetFont().SetFontColor(0x0000FF);
    Label& label = CreateLabel(form, "Текст");
    EXPECT_STREQ(label.GetFont().Log().lfFaceName, "Tahoma");
    EXPECT_EQ(label.GetTextColor(), 0x0000FF);
    form.GetFont().SetFontName("Arial");  // an independent copy
    EXPECT_STREQ(label.GetFont().Log().lfFaceName, "Tahoma");
}

}  // namespace
