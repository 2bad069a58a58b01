#include "wizard/start_as_user.h"

#include <shlobj.h>
#include <exdisp.h>
#include <shldisp.h>

#include "engine/com_ptr.h"
#include "runtime/unicode.h"

namespace {

// The identifiers of the way to the desktop's shell, defined here as the shell link's are.
constexpr CLSID kShellWindowsClass = {0x9BA05972, 0xF6A8, 0x11CF, {0xA4, 0x42, 0x00, 0xA0, 0xC9, 0x0A, 0x8F, 0x39}};
constexpr IID kShellWindowsInterface = {0x85CB6900, 0x4D95, 0x11CF, {0x96, 0x0C, 0x00, 0x80, 0xC7, 0xF4, 0xEE, 0x85}};
constexpr IID kServicesInterface = {0x6D5140C1, 0x7436, 0x11CE, {0x80, 0x34, 0x00, 0xAA, 0x00, 0x60, 0x09, 0xFA}};
constexpr GUID kTopLevelBrowserService = {0x4C96BE40, 0x915C, 0x11CF, {0x99, 0xD3, 0x00, 0xAA, 0x00, 0x4A, 0xE8, 0x37}};
constexpr IID kShellBrowserInterface = {0x000214E2, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kDispatchInterface = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kFolderViewInterface = {0xE7A1AF80, 0x4D96, 0x11CF, {0x96, 0x0C, 0x00, 0x80, 0xC7, 0xF4, 0xEE, 0x85}};
constexpr IID kShellDispatchInterface = {0xA4C6892C, 0x3BA9, 0x11D2, {0x9D, 0xEA, 0x00, 0xC0, 0x4F, 0xB1, 0x61, 0x62}};

// A text as COM passes it, in a variant that does not own it.
class ComText {
public:
    explicit ComText(const wchar_t* text) : text_(SysAllocString(text)) {
        variant_.vt = VT_BSTR, variant_.bstrVal = text_;
    }
    ComText(const ComText&) = delete;
    ComText& operator=(const ComText&) = delete;
    ~ComText() { SysFreeString(text_); }
    BSTR Text() const { return text_; }
    const VARIANT& Variant() const { return variant_; }

private:
    BSTR text_;
    VARIANT variant_{};
};

}  // namespace

HRESULT OpenThroughDesktop(const std::string& file, const std::string& parameters) {
    // The desktop window among the shell's windows, its browser, the view it shows, and the shell
    // object behind the view's background. Held together, they all go at one place however the way
    // ends: a shorter program than a release for each way out.
    struct {
        ComPtr<IShellWindows> windows;
        ComPtr<IDispatch> desktop;
        ComPtr<IServiceProvider> services;
        ComPtr<IShellBrowser> browser;
        ComPtr<IShellView> view;
        ComPtr<IDispatch> background;
        ComPtr<IShellFolderViewDual> folderView;
        ComPtr<IDispatch> application;
        ComPtr<IShellDispatch2> shell;
    } way;
    VARIANT place{}, none{};
    place.vt = VT_I4, place.lVal = CSIDL_DESKTOP;
    long window = 0;
    // FindWindowSW answers S_FALSE and no window where there is no desktop shell.
    if (FAILED(CoCreateInstance(kShellWindowsClass, nullptr, CLSCTX_LOCAL_SERVER, kShellWindowsInterface,
                                way.windows.Out())) ||
        way.windows->FindWindowSW(&place, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, way.desktop.Put()) != S_OK ||
        !way.desktop || FAILED(way.desktop->QueryInterface(kServicesInterface, way.services.Out())) ||
        FAILED(way.services->QueryService(kTopLevelBrowserService, kShellBrowserInterface, way.browser.Out())) ||
        FAILED(way.browser->QueryActiveShellView(way.view.Put())) || !way.view ||
        FAILED(way.view->GetItemObject(SVGIO_BACKGROUND, kDispatchInterface, way.background.Out())) ||
        FAILED(way.background->QueryInterface(kFolderViewInterface, way.folderView.Out())) ||
        FAILED(way.folderView->get_Application(way.application.Put())) || !way.application ||
        FAILED(way.application->QueryInterface(kShellDispatchInterface, way.shell.Out())))
        return E_FAIL;
    // The shell may bring what it starts to the front, as we, in front, could.
    CoAllowSetForegroundWindow(way.shell.Get(), nullptr);
    const ComText path(Wide(file).c_str()), arguments(Wide(parameters).c_str()), verb(L"open");
    VARIANT folder{}, show{};
    show.vt = VT_I4, show.lVal = SW_SHOWNORMAL;
    return way.shell->ShellExecute(path.Text(), arguments.Variant(), folder, verb.Variant(), show);
}
