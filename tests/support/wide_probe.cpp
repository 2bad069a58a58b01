// Reads back, through the wide calls only, what a script test checks, and prints it as UTF-8:
// whatever the ANSI code page of the session, a Russian text or a folder of a user named "Әлия"
// arrives whole (Wine's reg prints in the console's code page, which may not hold it).
//   wide_probe link FILE.lnk                 the link's target
//   wide_probe wizard SETUP.exe CAPTION TEXT  starts the program, waits for its window CAPTION to
//                                            show a control TEXT, prints the window's caption and
//                                            the texts of its visible controls, ends the program
// Exit status 0 when found, 1 when not.
#include <algorithm>
#include <string>
#include <vector>

#include "engine/com_ptr.h"
#include "runtime/platform.h"
#include "runtime/unicode.h"
#include "tests/support/child_program.h"
#include "tools/window_driver.h"

#include <shellapi.h>
#include <shlobj.h>

namespace {

void Print(const std::string& text) {
    const std::string utf8 = text + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

// The link's target by its item list, which holds the names in UTF-16. Wine's raw path comes from
// the link's location block, which it keeps in the ANSI code page ("Müller" reads "Muller" under
// 1251); Windows keeps both in UTF-16.
// COM stays initialised until the probe ends.
int PrintLinkTarget(const std::wstring& file) {
    CoInitialize(nullptr);
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> persist;
    PIDLIST_ABSOLUTE items = nullptr;
    wchar_t target[MAX_PATH] = L"";
    const bool read =
        SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Out())) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, persist.Out())) &&
        SUCCEEDED(persist->Load(file.c_str(), STGM_READ)) && SUCCEEDED(link->GetIDList(&items)) && items &&
        SHGetPathFromIDListW(items, target);
    CoTaskMemFree(items);
    if (read) Print(Utf8(target));
    return read ? 0 : 1;
}

// The texts of the window's visible controls, in z-order.
std::vector<std::string> ControlTexts(HWND window) {
    std::vector<std::string> texts;
    for (HWND control : Descendants(window))
        if (IsWindowVisible(control)) texts.push_back(Describe(control).text);
    return texts;
}

int PrintWizard(const std::wstring& setup, const std::string& caption, const std::string& text) {
    wchar_t temp[MAX_PATH];  // the user's own temporary folder, which the locale test is about
    const ChildProgram program(Utf8(setup), Utf8(std::wstring_view(temp, GetTempPathW(MAX_PATH, temp))));
    // The program's visible window with the caption, once it shows a control with the text.
    const HWND wizard = WaitForWindow(program.Id(), [&](const WindowState& w) {
        const auto texts = w.visible && w.text == caption ? ControlTexts(w.handle) : std::vector<std::string>{};
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }, 15000);
    if (wizard) {
        Print(Describe(wizard).text);
        for (const std::string& shown : ControlTexts(wizard))
            if (!shown.empty()) Print(shown);
    }
    return wizard ? 0 : 1;
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    const std::vector<std::wstring> a(args, args + count);
    LocalFree(args);
    const std::wstring command = count > 1 ? a[1] : L"";
    if (command == L"link" && count == 3) return PrintLinkTarget(a[2]);
    if (command == L"wizard" && count == 5) return PrintWizard(a[2], Utf8(a[3]), Utf8(a[4]));
    Print("usage: wide_probe link FILE.lnk | wizard SETUP.exe CAPTION TEXT");
    return 2;
}
