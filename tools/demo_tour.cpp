// The demo's tour of a setup program, driven from outside as a person would: it waits for each
// window and page, saves a picture of it, answers it and goes on to the end; then it writes a note
// in the installed application and closes it.
//   demo_tour tour SETUP.exe FOLDER CAPTION   pictures go to FOLDER: 01-splash.png, 02-background.png...
//   demo_tour links FILE.lnk...               what each link holds
// It prints in UTF-8. Exit status 1 when a window or page does not show.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <objbase.h>
#include <shellapi.h>

#include "engine/engine_texts.h"
#include "engine/shell_link.h"
#include "runtime/unicode.h"
#include "tools/window_driver.h"
#include "tools/window_picture.h"
#include "wizard/wizard_texts.h"

namespace {

constexpr int kTimeout = 20000;
// The first program of a fresh Wine prefix can take longer than that to show its first window.
constexpr int kFirstWindowTimeout = 60000;
// The splash and background windows carry their form names as captions.
constexpr const char* kSplashCaption = "SetupProgram";
constexpr const char* kBackgroundCaption = "Ground";
// The example package's application and what the tour writes in it.
constexpr const char* kApplicationCaption = "Редактор заметок";
constexpr const char* kNote = "Купить хлеба и молока.";
// Long enough for a page to paint after it shows.
constexpr DWORD kPaintMs = 500;

void Print(const std::string& text) { std::fputs(text.c_str(), stdout); }

auto Shown(const std::string& caption) {
    return [caption](const WindowState& w) { return w.visible && w.text == caption; };
}

HWND VisibleWithText(HWND top, const std::string& text) {
    for (HWND w : Descendants(top))
        if (IsWindowVisible(w) && Describe(w).text == text) return w;
    return nullptr;
}

HWND WaitForVisibleText(HWND top, const std::string& text, int timeoutMs = kTimeout) {
    const DWORD start = GetTickCount();
    do {
        if (HWND w = VisibleWithText(top, text)) return w;
        Sleep(25);
    } while (GetTickCount() - start < static_cast<DWORD>(timeoutMs));
    return nullptr;
}

struct FoundWindow {
    const char* caption;
    HWND window;
};

BOOL CALLBACK FindShown(HWND window, LPARAM context) {
    auto* found = reinterpret_cast<FoundWindow*>(context);
    if (!Shown(found->caption)(Describe(window))) return TRUE;
    found->window = window;
    return FALSE;
}

// A top-level window of any program.
HWND WaitForAnyWindow(const char* caption) {
    const DWORD start = GetTickCount();
    FoundWindow found{caption, nullptr};
    while (!found.window && GetTickCount() - start < static_cast<DWORD>(kTimeout)) {
        EnumWindows(FindShown, reinterpret_cast<LPARAM>(&found));
        if (!found.window) Sleep(50);
    }
    return found.window;
}

class Tour {
public:
    explicit Tour(std::string folder) : folder_(std::move(folder)) {}

    void Run(const std::string& setup, const std::string& caption) {
        StartSetup(setup);
        ShowSplashAndBackground(caption);
        WalkToInstall();
        ShowProgressAndFinish();
        UseTheApplication();
        if (WaitForSingleObject(setup_.hProcess, kTimeout) != WAIT_OBJECT_0) Stop("the setup program did not end");
        DWORD code = 1;
        GetExitCodeProcess(setup_.hProcess, &code);
        CloseHandle(setup_.hProcess);
        CloseHandle(setup_.hThread);
        setup_ = {};
        if (code != 0) Stop("the setup program ended with status " + std::to_string(code));
    }

private:
    // Ends the tour and the setup program it broke off.
    [[noreturn]] void Stop(const std::string& what) {
        Print("demo tour: " + what + "\n");
        if (setup_.hProcess) TerminateProcess(setup_.hProcess, 1);
        std::exit(1);
    }
    HWND Need(HWND window, const std::string& what) {
        if (!window) Stop(what + " did not show");
        return window;
    }

    void StartSetup(const std::string& setup) {
        std::wstring line = Wide("\"" + setup + "\"");
        STARTUPINFOW start{};
        start.cb = sizeof start;
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &setup_))
            Stop("cannot start " + setup);
    }

    // The window's picture, or the screen's for no window.
    void Save(HWND window, const char* name, DWORD paintMs = kPaintMs) {
        Sleep(paintMs);
        char file[64];
        std::snprintf(file, sizeof file, "%02d-%s.png", ++pictures_, name);
        const bool saved = window ? SaveWindowPicture(window, folder_ + "\\" + file) : SaveScreenPicture(folder_ + "\\" + file);
        if (!saved) Stop(std::string("cannot save ") + file);
        Print(std::string("  ") + file + "\n");
    }

    // A page shows when its marker text does.
    void Page(const char* name, const std::string& marker) {
        Need(WaitForVisibleText(wizard_, marker), std::string("the ") + name + " page");
    }
    void PressNext() { Click(next_); }
    void Tick(const char* caption, bool on) {
        HWND box = Need(WaitForVisibleText(wizard_, caption), std::string("the box ") + caption);
        if ((Describe(box).check == BST_CHECKED) == on) return;
        Click(box);
        WaitUntil(box, [on](const WindowState& w) { return (w.check == BST_CHECKED) == on; }, kTimeout);
    }

    void ShowSplashAndBackground(const std::string& caption) {
        // The splash stands for half a second while the package loads: a picture only if the tour
        // sees it before the wizard.
        const HWND first = Need(WaitForWindow(setup_.dwProcessId, [&](const WindowState& w) {
            return w.visible && (w.text == kSplashCaption || w.text == caption);
        }, kFirstWindowTimeout), "the splash window or the wizard");
        if (Describe(first).text == kSplashCaption) {
            Save(first, "splash", 150);
        } else {
            Print("  (the splash passed too quickly for a picture)\n");
            ++pictures_;
        }
        wizard_ = Need(WaitForWindow(setup_.dwProcessId, Shown(caption), kTimeout), "the wizard");
        Need(WaitForWindow(setup_.dwProcessId, Shown(kBackgroundCaption), kTimeout), "the background");
        next_ = Need(ChildWithText(wizard_, kNextCaption), "the Next button");
        for (HWND w : Descendants(wizard_))
            if (Describe(w).text == kStatusCaption) status_ = w;
        Save(nullptr, "background");
    }

    void WalkToInstall() {
        Page("welcome", kWelcomeLines[0]);
        Save(wizard_, "welcome");
        PressNext();
        Page("licence", PageHeader(Page::Licence).title);
        Tick(kAcceptCaption, true);
        WaitUntil(next_, [](const WindowState& w) { return w.enabled; }, kTimeout);
        Save(wizard_, "licence");
        PressNext();
        Page("folder", PageHeader(Page::Folder).title);
        Save(wizard_, "folder");
        PressNext();
        Page("group", PageHeader(Page::Group).title);
        for (const char* place : {engine_text::kProgramsPlace, engine_text::kStartPlace, engine_text::kDesktopPlace,
                                  engine_text::kTaskbarPlace})
            Tick(place, true);
        Save(wizard_, "group");
        PressNext();
        Page("ready", PageHeader(Page::Ready).title);
        WaitUntil(next_, [](const WindowState& w) { return w.text == kInstallCaption; }, kTimeout);
        Save(wizard_, "ready");
        PressNext();
    }

    void ShowProgressAndFinish() {
        // The progress page stays for about a second: a picture only if the tour sees it in time.
        // Watching its status label needs no answer from the program, which is busy installing.
        const DWORD start = GetTickCount();
        while (status_ && !IsWindowVisible(status_) && GetTickCount() - start < 5000) Sleep(10);
        if (status_ && IsWindowVisible(status_)) {
            Save(wizard_, "progress", 250);
        } else {
            Print("  (the progress page passed too quickly for a picture)\n");
            ++pictures_;  // the pictures keep their numbers
        }
        Page("finish", kRunAppCaption);
        Tick(kReadmeCaption, false);
        Save(wizard_, "finish");
        PressNext();
    }

    void UseTheApplication() {
        HWND application = Need(WaitForAnyWindow(kApplicationCaption), "the installed application");
        const std::vector<HWND> inside = Descendants(application);
        if (!inside.empty()) TypeText(inside.front(), kNote);
        Save(application, "application");
        DWORD process = 0;
        GetWindowThreadProcessId(application, &process);
        HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, process);
        PostMessageW(application, WM_CLOSE, 0, 0);
        if (handle) {
            WaitForSingleObject(handle, kTimeout);
            CloseHandle(handle);
        }
    }

    std::string folder_;
    PROCESS_INFORMATION setup_{};
    HWND wizard_ = nullptr;
    HWND next_ = nullptr;
    HWND status_ = nullptr;  // the progress page's "Статус:", there from the start
    int pictures_ = 0;
};

int PrintLinks(const std::vector<std::string>& links) {
    CoInitialize(nullptr);
    int status = 0;
    for (std::size_t i = 0; i < links.size(); ++i) {
        const auto link = ReadShortcut(links[i]);
        if (!link) {
            Print(links[i] + ": not a link\n");
            status = 1;
            continue;
        }
        Print(links[i] + "\n    -> " + link->target + "\n       working folder " + link->workingFolder +
              ", arguments \"" + link->arguments + "\", description \"" + link->description + "\"\n");
    }
    CoUninitialize();
    return status;
}

}  // namespace

int main() {
    // The arguments as UTF-8, whatever the ANSI code page: the wizard's caption and the links' paths
    // are compared with and printed as the program's UTF-8 texts.
    int argc = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> argv;
    for (int i = 0; i < argc; ++i) argv.push_back(Utf8(wide[i]));
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "tour" && argc == 5) {
        Tour(argv[3]).Run(argv[2], argv[4]);
        return 0;
    }
    if (command == "links") return PrintLinks({argv.begin() + 2, argv.end()});
    std::fputs("usage: demo_tour tour SETUP.exe FOLDER CAPTION | demo_tour links FILE.lnk...\n", stderr);
    return 2;
}
