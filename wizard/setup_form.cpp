#include "wizard/setup_form.h"

#include "engine/engine_texts.h"
#include "wizard/setup_form_handlers.h"
#include "wizard/wizard_texts.h"

namespace {

constexpr int kTextHeight = 8;
constexpr int kClientWidth = 489;
constexpr int kClientHeight = 359;
constexpr int kPageAreaHeight = 312;  // everything above the bottom line and the buttons
constexpr DWORD kMinMaxBoxes = WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

// Edit option sets.
constexpr int kTextArea = kEditMultiLine | kEditReadOnly | kEditNoHorizontalScroll | kEditNoVerticalScroll;  // 139
constexpr int kMemo = kEditMultiLine | kEditReadOnly;                                                        // 136
constexpr int kLicenceMemo = kEditMultiLine | kEditReadOnly | kEditNoHorizontalScroll;                       // 137
constexpr int kSingleLine = 0;

constexpr ColorValue kWhite = 0xFFFFFF;
constexpr ColorValue kGreen = 0x008000;
constexpr ColorValue kBlack = 0x000000;
constexpr ColorValue kNavy = 0x800000;
constexpr std::uint8_t kRhombusGradient = 4;
constexpr std::uint8_t kTopLeft = 0;
constexpr COLORREF kMagenta = 0xFF00FF;

// Handlers receive the record that the window owns.
template <void (*Handler)(SetupFormRecord&)>
void Notify(void* context, Control&) {
    Handler(*static_cast<SetupFormRecord*>(context));
}

void CloseQuery(void* context, Control&, bool& accept) {
    SetupFormClose(*static_cast<SetupFormRecord*>(context), accept);
}

template <class T>
T& TextFont(T& control) {
    control.GetFont().SetFontHeight(kTextHeight);
    return control;
}

Label& AddLabel(Control& parent, int left, int top, const char* text) {
    Label& label = CreateLabel(parent, text);
    label.SetPosition(left, top);
    TextFont(label).SetAutoSize(true);
    return label;
}

Button& AddButton(Control& parent, int left, int top, const char* caption) {
    Button& button = CreateButton(parent, caption);
    button.SetPosition(left, top).SetSize(81, 24);
    return TextFont(button);
}

// Shortcut and finish choices: checked from the start, offered only when the package asks.
CheckBox& AddHiddenCheck(Control& parent, int left, int top, const char* caption, bool checked) {
    CheckBox& box = CreateCheckBox(parent, caption);
    box.SetPosition(left, top);
    TextFont(box).SetAutoSize(true);
    box.SetVisible(false);
    box.SetChecked(checked);
    return box;
}

RadioButton& AddRadio(Control& parent, int left, int top, const char* caption) {
    RadioButton& radio = CreateRadioButton(parent, caption);
    radio.SetPosition(left, top);
    TextFont(radio).SetAutoSize(true);
    return radio;
}

Edit& AddEdit(Control& parent, int options, int left, int top, int width, int height) {
    Edit& edit = CreateEdit(parent, options);
    edit.SetPosition(left, top).SetSize(width, height);
    return edit;
}

// Plain wrapped text without a frame.
Edit& AddTextArea(Control& parent, int left, int top, int width, int height) {
    Edit& edit = TextFont(AddEdit(parent, kTextArea, left, top, width, height));
    edit.SetClientEdge(false);
    edit.SetBorder(false);
    return edit;
}

Panel& AddPanel(Control& parent, int edge, int left, int top, int width, int height) {
    Panel& panel = CreatePanel(parent, edge);
    panel.SetPosition(left, top).SetSize(width, height);
    return panel;
}

Panel& AddHiddenPage(Form& form, int top, int width, int height) {
    Panel& page = AddPanel(form, kPanelFlat, 0, top, width, height);
    page.SetVisible(false);
    return page;
}

// The picture column of the welcome and finish pages.
GradientPanel& AddSideGradient(Panel& side) {
    GradientPanel& gradient = CreateShapedGradientPanel(side, kBlack, kWhite, kRhombusGradient, kTopLeft);
    gradient.SetPosition(0, 0).SetSize(127, 293);
    gradient.SetTabStop(false);
    gradient.SetColor(kColorWindowText);
    gradient.SetMargin(2);
    gradient.SetBorder(true);
    return gradient;
}

void CreateWindowLevelControls(SetupFormRecord& r) {
    Form& form = *r.SetupForm;
    r.CompanyLabel = &AddLabel(form, 8, 305, kCompanyPlaceholder);
    r.CompanyLabel->SetVisible(false);
    r.CompanyLabel->SetEnabled(false);

    // Children copy the header's white background as they are made.
    r.HeaderPanel = &AddPanel(form, kPanelLowered, 0, 0, kClientWidth, 49);
    r.HeaderPanel->SetColor(kWhite);
    r.HeaderPanel->SetMargin(2);
    r.HeaderPanel->SetVisible(false);
    r.HeaderTitle = &AddLabel(*r.HeaderPanel, 61, 7, kHeaderTitlePlaceholder);
    r.HeaderTitle->GetFont().SetFontStyle(kFontBold);
    r.HeaderTitle->SetTransparent(true);
    r.HeaderText = &AddLabel(*r.HeaderPanel, 61, 25, kHeaderTextPlaceholder);
    r.HeaderIcon = &CreateImageView(*r.HeaderPanel, r.ImageList, 0);
    r.HeaderIcon->SetPosition(15, 7).SetSize(32, 32);
    r.HeaderIcon->SetTransparent(true);

    r.HeaderLine = &AddPanel(form, kPanelFlat, 0, 49, kClientWidth, 1);
    r.HeaderLine->SetColor(kGreen);
    r.HeaderLine->SetVisible(false);

    r.NextButton = &AddButton(form, 400, 326, kNextCaption);
    r.CancelButton = &AddButton(form, 8, 326, kCancelCaption);
    r.BackButton = &AddButton(form, 312, 326, kBackCaption);
    r.BackButton->SetEnabled(false);
    r.BottomLine = &AddPanel(form, kPanelLowered, 0, kPageAreaHeight, kClientWidth, 2);
}

void CreateFinishPage(SetupFormRecord& r) {
    Panel& page = *(r.FinishPage = &AddHiddenPage(*r.SetupForm, 0, kClientWidth, kPageAreaHeight));
    r.FinishStartMenuLabel = &AddLabel(page, 152, 72, kFinishStartMenuText);
    r.FinishStartMenuLabel->SetVisible(false);
    r.FinishExitLabel = &AddLabel(page, 152, 88, kFinishExitText);
    r.ReadmeCheck = &AddHiddenCheck(page, 152, 168, kReadmeCaption, true);
    r.RunAppCheck = &AddHiddenCheck(page, 152, 144, kRunAppCaption, true);
    r.FinishSidePanel = &AddPanel(page, kPanelLowered, 8, 8, 129, 295);
    r.FinishGradient = &AddSideGradient(*r.FinishSidePanel);
    r.FinishText = &AddTextArea(page, 152, 24, 321, 41);
}

void CreateProgressPage(SetupFormRecord& r) {
    Panel& page = *(r.ProgressPage = &AddHiddenPage(*r.SetupForm, 48, 492, 264));
    r.StatusCaption = &AddLabel(page, 16, 212, kStatusCaption);
    r.StatusLabel = &TextFont(CreateLabel(page, {}));
    r.StatusLabel->SetPosition(64, 212).SetSize(408, 14);
    r.ProgressBar = &AddPanel(page, kPanelLowered, 16, 232, 458, 18);
    r.ProgressBar->SetMargin(2);
    r.ProgressText = &AddTextArea(page, 16, 16, 458, 97);
}

void CreateWelcomePage(SetupFormRecord& r) {
    Panel& page = *(r.WelcomePage = &CreatePanel(*r.SetupForm, kPanelFlat));
    // With the form's margin 0 the page covers the whole area above the bottom line.
    page.SetSize(0, kPageAreaHeight).SetAlign(Align::Top);
    r.WelcomeLine5 = &AddLabel(page, 152, 216, kWelcomeLines[4]);
    r.WelcomeLine2 = &AddLabel(page, 152, 152, kWelcomeLines[1]);
    r.WelcomeLine3 = &AddLabel(page, 152, 168, kWelcomeLines[2]);
    r.WelcomeLine4 = &AddLabel(page, 152, 184, kWelcomeLines[3]);
    r.WelcomeLine1 = &AddLabel(page, 152, 136, kWelcomeLines[0]);
    r.WelcomeLine6 = &AddLabel(page, 152, 232, kWelcomeLines[5]);
    r.WelcomeTitle = &AddTextArea(page, 152, 8, 326, 73);
    r.WelcomeTitle->GetFont().SetFontHeight(22);
    r.WelcomeTitle->GetFont().SetFontName("Arial");
    r.WelcomeSidePanel = &AddPanel(page, kPanelLowered, 8, 8, 129, 295);
    r.WelcomeGradient = &AddSideGradient(*r.WelcomeSidePanel);
    r.WelcomeText = &AddTextArea(page, 152, 84, 326, 48);
}

void CreateFolderPage(SetupFormRecord& r) {
    Panel& page = *(r.FolderPage = &AddHiddenPage(*r.SetupForm, 48, kClientWidth, 262));
    r.FolderLabel = &AddLabel(page, 16, 204, kFolderLabelText);
    r.FolderEdit = &TextFont(AddEdit(page, kSingleLine, 16, 224, 457, 0));
    r.FolderEdit->SetColor(kColorWindow);
    r.BrowseButton = &AddButton(page, 392, 192, kBrowseCaption);
    r.FolderText = &AddTextArea(page, 16, 16, 457, 53);
}

void CreateGroupPage(SetupFormRecord& r) {
    Panel& page = *(r.GroupPage = &AddHiddenPage(*r.SetupForm, 48, 492, 264));
    r.GroupLabel = &AddLabel(page, 16, 22, kGroupLabelText);
    r.ExtraShortcutsLabel = &AddLabel(page, 16, 92, kExtraShortcutsText);
    r.GroupEdit = &TextFont(AddEdit(page, kSingleLine, 16, 40, 457, 0));
    r.GroupEdit->SetColor(kColorWindow);
    Panel& box = *(r.ShortcutBox = &AddPanel(page, kPanelFlat, 12, 108, 129, 105));
    box.SetMargin(2);
    // The captions are the place names that shortcut records carry, compared byte for byte.
    r.TaskbarCheck = &AddHiddenCheck(box, 8, 80, engine_text::kTaskbarPlace, false);
    r.DesktopCheck = &AddHiddenCheck(box, 8, 32, engine_text::kDesktopPlace, true);
    r.ProgramsCheck = &AddHiddenCheck(box, 8, 8, engine_text::kProgramsPlace, true);
    r.StartCheck = &AddHiddenCheck(box, 8, 56, engine_text::kStartPlace, false);
}

void CreateReadyPage(SetupFormRecord& r) {
    Panel& page = *(r.ReadyPage = &AddHiddenPage(*r.SetupForm, 48, 492, 264));
    r.ReadyLine2 = &AddLabel(page, 16, 32, kReadyLine2);
    r.ReadyLine1 = &AddLabel(page, 16, 16, kReadyLine1);
    r.SummaryMemo = &TextFont(AddEdit(page, kMemo, 16, 56, 456, 190));
}

void CreateLicencePage(SetupFormRecord& r) {
    Panel& page = *(r.LicencePage = &AddHiddenPage(*r.SetupForm, 50, 492, 262));
    // Its font comes from the package when the window is first shown.
    r.LicenceMemo = &AddEdit(page, kLicenceMemo, 16, 10, 456, 196);
    r.LicenceMemo->SetText("\r\n");
    r.LicenceMemo->SetColor(kColorWindow);
    // The first radio button of a page starts checked; the licence starts declined.
    r.AcceptRadio = &AddRadio(page, 16, 214, kAcceptCaption);
    r.DeclineRadio = &AddRadio(page, 16, 234, kDeclineCaption);
    r.DeclineRadio->CheckRadio();
}

void AttachHandlers(SetupFormRecord& r) {
    r.AcceptRadio->SetOnClick(Notify<LicenceRadioClick>, &r);
    r.NextButton->SetOnClick(Notify<NextButtonClick>, &r);
    r.NextButton->SetDefaultButton(true);
    r.DeclineRadio->SetOnClick(Notify<LicenceRadioClick>, &r);
    r.CancelButton->SetOnClick(Notify<CancelButtonClick>, &r);
    r.CancelButton->SetCancelButton(true);
    r.BackButton->SetOnClick(Notify<BackButtonClick>, &r);
    r.BrowseButton->SetOnClick(Notify<BrowseButtonClick>, &r);
}

// The install engine's shared state starts empty; the progress bar paints in navy.
void SetupFormCreate(SetupFormRecord& r) {
    r.Engine.FilesDone = 0;
    r.Engine.FilesTotal = 0;
    r.ProgressBar->GetCanvas().GetCanvasBrush().SetBrushColor(kNavy);
    r.Engine.CreatedLinks.clear();
}

}  // namespace

SetupFormRecord& CreateSetupForm(Application& app, Program& program) {
    Form& form = CreateForm(app, kSetupFormCaption);
    form.SetPosition(205, 111);
    // The frame is fixed before the client size is measured: dropping the sizing frame later
    // would widen the client area by the frame's difference.
    form.SetStyle(form.GetStyle() & ~(kMinMaxBoxes | WS_THICKFRAME));
    form.SetClientSize(kClientWidth, kClientHeight);
    SetupFormRecord& r = CreateObject<SetupFormRecord>(form);
    r.SetupForm = &form;
    r.TheProgram = &program;
    form.SetVisible(false);
    form.SetIconResource(GetModuleHandleW(nullptr), L"MAINICON");
    form.SetMargin(0);
    form.SetOnClose(CloseQuery, &r);
    form.SetOnShow(Notify<SetupFormShow>, &r);

    r.ImageList = &CreateImageList(form);
    r.ImageList->SetImageListColors(6);
    r.ImageList->AddMaskedBitmap(LoadBitmapResource(GetModuleHandleW(nullptr), L"SETUPFORM_IMAGELIST1", *r.ImageList),
                                 kMagenta);

    CreateWindowLevelControls(r);
    CreateFinishPage(r);
    CreateProgressPage(r);
    CreateWelcomePage(r);
    CreateFolderPage(r);
    CreateGroupPage(r);
    CreateReadyPage(r);
    CreateLicencePage(r);
    AttachHandlers(r);

    form.CenterOnScreen();
    form.SetResizable(false);
    SetupFormCreate(r);
    return r;
}
