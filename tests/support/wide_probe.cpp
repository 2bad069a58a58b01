// Reads back, through the wide calls only, what a script test checks, and prints it as UTF-8:
// whatever the ANSI code page of the session, a Russian text or a folder of a user named "Әлия"
// arrives whole (Wine's reg prints in the console's code page, which may not hold it).
//   wide_probe registry HKCU|HKLM\KEY NAME   the string value
//   wide_probe temp                          the temporary folder
//   wide_probe link FILE.lnk                 the link's target
//   wide_probe wizard SETUP.exe CAPTION TEXT  starts the program, waits for its window CAPTION to
//                                            show a control TEXT, prints the window's caption and
//                                            the texts of its visible controls, ends the program
// Exit status 0 when found, 1 when not.
#include <string>
#include <vector>

#include "runtime/platform.h"
#include "runtime/unicode.h"

#include <shellapi.h>
#include <shlobj.h>

namespace {

void Print(const std::wstring& text) {
    const std::string utf8 = Utf8(text) + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

int PrintRegistryString(const std::wstring& path, const std::wstring& name) {
    const size_t slash = path.find(L'\\');
    const std::wstring root = path.substr(0, slash);
    const HKEY key = root == L"HKCU" ? HKEY_CURRENT_USER : root == L"HKLM" ? HKEY_LOCAL_MACHINE : nullptr;
    if (!key || slash == std::wstring::npos) return 1;
    wchar_t value[1024];
    DWORD size = sizeof value;
    if (RegGetValueW(key, path.substr(slash + 1).c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return 1;
    Print(value);
    return 0;
}

int PrintTempFolder() {
    wchar_t folder[MAX_PATH + 1];
    if (!GetTempPathW(MAX_PATH + 1, folder)) return 1;
    Print(folder);
    return 0;
}

// The link's target by its item list, which holds the names in UTF-16. Wine's raw path comes from
// the link's location block, which it keeps in the ANSI code page ("Müller" reads "Muller" under
// 1251); Windows keeps both in UTF-16.
int PrintLinkTarget(const std::wstring& file) {
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    IPersistFile* persist = nullptr;
    PIDLIST_ABSOLUTE items = nullptr;
    wchar_t target[MAX_PATH] = L"";
    const bool read = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                                 reinterpret_cast<void**>(&link))) &&
                      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
                      SUCCEEDED(persist->Load(file.c_str(), STGM_READ)) && SUCCEEDED(link->GetIDList(&items)) &&
                      items && SHGetPathFromIDListW(items, target);
    CoTaskMemFree(items);
    if (persist) persist->Release();
    if (link) link->Release();
    CoUninitialize();
    if (read) Print(target);
    return read ? 0 : 1;
}

std::wstring WindowText(HWND window) {
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
    return text;
}

BOOL CALLBACK AddVisibleControl(HWND child, LPARAM list) {
    if (IsWindowVisible(child)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

std::vector<HWND> VisibleControls(HWND window) {
    std::vector<HWND> controls;
    EnumChildWindows(window, AddVisibleControl, reinterpret_cast<LPARAM>(&controls));
    return controls;
}

struct WizardSearch {
    DWORD process;
    std::wstring caption, text;
    HWND found = nullptr;
};

// The program's visible window with the caption, once it shows a control with the text.
BOOL CALLBACK CheckWizard(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WizardSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search.process || !IsWindowVisible(window) || WindowText(window) != search.caption) return TRUE;
    for (HWND control : VisibleControls(window))
        if (WindowText(control) == search.text) {
            search.found = window;
            return FALSE;
        }
    return TRUE;
}

HWND FindWizard(WizardSearch& search) {
    EnumWindows(CheckWizard, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int PrintWizard(const std::wstring& setup, const std::wstring& caption, const std::wstring& text) {
    std::wstring line = L"\"" + setup + L"\"";
    STARTUPINFOW start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION program{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &program)) return 1;
    WizardSearch search{program.dwProcessId, caption, text};
    for (int waited = 0; waited < 15000 && !FindWizard(search); waited += 100) Sleep(100);
    if (search.found) {
        Print(WindowText(search.found));
        for (HWND control : VisibleControls(search.found)) {
            const std::wstring controlText = WindowText(control);
            if (!controlText.empty()) Print(controlText);
        }
    }
    TerminateProcess(program.hProcess, 0);
    WaitForSingleObject(program.hProcess, 5000);
    CloseHandle(program.hThread);
    CloseHandle(program.hProcess);
    return search.found ? 0 : 1;
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    const std::vector<std::wstring> a(args, args + count);
    LocalFree(args);
    const std::wstring command = count > 1 ? a[1] : L"";
    if (command == L"registry" && count == 4) return PrintRegistryString(a[2], a[3]);
    if (command == L"temp" && count == 2) return PrintTempFolder();
    if (command == L"link" && count == 3) return PrintLinkTarget(a[2]);
    if (command == L"wizard" && count == 5) return PrintWizard(a[2], a[3], a[4]);
    Print(L"usage: wide_probe registry KEY NAME | temp | link FILE.lnk | wizard SETUP.exe CAPTION TEXT");
    return 2;
}
