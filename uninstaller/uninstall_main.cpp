// Uninstall.exe: removes what the setup program installed, as the Uninstall.ini beside it lists.
//
//   Uninstall.exe [/S]               hands the work to a copy of itself (see hand_over.h)
//   Uninstall.exe FOLDER [/S]        removes the installation in FOLDER
//
// /S removes without a question or any box. Exit codes: 0 everything listed is gone, 1 something
// could not be removed, 2 the user answered "No", 3 Uninstall.ini is missing or damaged; in the
// last two cases nothing was removed.
#include <cstdint>

#include "engine/record_file.h"
#include "runtime/dll_search.h"
#include "runtime/errors.h"
#include "runtime/integer.h"
#include "runtime/platform.h"
#include "runtime/unicode.h"
#include "toolkit/fatal_error.h"
#include "toolkit/message_box.h"
#include "uninstaller/hand_over.h"
#include "uninstaller/paths.h"
#include "uninstaller/removal.h"
#include "uninstaller/uninstall_messages.h"
#include "uninstaller/uninstaller_texts.h"

#include <shellapi.h>

namespace {

namespace text = uninstaller_text;

enum ExitCode { kAllRemoved = 0, kNotAllRemoved = 1, kCancelled = 2, kNoRecord = 3 };

struct Options {
    bool quiet = false;
    std::string folder;         // empty: the folder this program's file is in
    std::uintptr_t channel = 0; // the pipe to the program that started this copy
};

bool g_quiet = false;

// Quiet runs end without a box, as they end after any other failure.
void Failed(const char* kind, const std::string& message, const void* address) {
    if (g_quiet) ExitProcess(kNotAllRemoved);
    ReportFatalError(kind, message, address);
}

// From the UTF-16 command line: a folder may hold letters the ANSI code page does not have.
Options ReadArguments() {
    Options options;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; arguments && i < count; ++i) {
        const std::string argument = Utf8(arguments[i]);
        if (argument.empty()) continue;
        if (argument == "/S" || argument == "/s") options.quiet = true;
        else if (argument.size() > 2 && argument[0] == '/' && argument[1] == 'P')
            options.channel = static_cast<std::uint32_t>(ParseInteger(argument.substr(2)).value_or(0));
        else if (argument[0] != '/' && options.folder.empty()) options.folder = argument;
    }
    LocalFree(arguments);
    return options;
}

// The folder as a full path ending in "\".
std::string FullFolder(const std::string& path) {
    wchar_t full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameW(Wide(path).c_str(), MAX_PATH, full, nullptr);
    std::string folder = length > 0 && length < MAX_PATH ? Utf8(std::wstring_view(full, length)) : path;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

std::string OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    return ParentFolder(Utf8(std::wstring_view(path, GetModuleFileNameW(nullptr, path, MAX_PATH)))) + "\\";
}

int Box(const Options& options, const std::string& caption, const std::string& message, UINT style) {
    if (options.quiet) return 0;
    return ShowMessageBox(nullptr, message, caption, style | MB_SETFOREGROUND);
}

int Refuse(const Options& options, const std::string& recordPath, const PlanReading* reading) {
    Box(options, text::kCaptionUnknown, RefusalText(recordPath, reading), MB_OK | MB_ICONERROR);
    return kNoRecord;
}

int Uninstall(const std::string& folder, const Options& options) {
    const std::string recordPath = folder + kRecordName;
    std::string record;
    if (!ReadRecordText(recordPath, record)) return Refuse(options, recordPath, nullptr);
    const PlanReading reading = ReadUninstallPlan(record, folder);
    if (reading.damage != Damage::None) return Refuse(options, recordPath, &reading);
    const UninstallPlan& plan = reading.plan;

    const std::string caption = text::kCaption + plan.programName;
    std::string question = FormatText(text::kQuestion, plan.programName);
    if (!plan.note.empty()) question += "\r\n\r\n" + plan.note;
    if (plan.ask && Box(options, caption, question, MB_YESNO | MB_ICONQUESTION) == IDNO) return kCancelled;

    std::vector<NotRemoved> failures = RemoveInstalled(plan, folder);
    // The starter ends now, so that its file can go too.
    TellStarter(options.channel, failures.empty() ? kAllRemoved : kNotAllRemoved);
    for (NotRemoved& failure : RemoveUninstallerAndFolders(plan, folder)) failures.push_back(failure);

    if (!failures.empty()) Box(options, caption, NotRemovedText(failures), MB_OK | MB_ICONWARNING);
    else if (plan.reportSuccess)
        Box(options, caption, FormatText(text::kRemoved, plan.programName), MB_OK | MB_ICONINFORMATION);
    return failures.empty() ? kAllRemoved : kNotAllRemoved;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearch();
    const Options options = ReadArguments();
    g_quiet = options.quiet;
    SetFailureHandler(Failed);
    const std::string folder = options.folder.empty() ? OwnFolder() : FullFolder(options.folder);
    // No current folder of ours may hold on to a folder being removed; the system folder is never
    // removed and holds nothing that someone else put there.
    SetCurrentDirectoryW(Wide(SystemFolder()).c_str());

    if (options.folder.empty()) {
        if (const auto code = HandOverToCopy(folder, options.quiet)) return *code;
        Box(options, text::kCaptionUnknown, text::kNoCopy, MB_OK | MB_ICONERROR);
        return kNotAllRemoved;
    }
    const int code = Uninstall(folder, options);
    TellStarter(options.channel, code);
    if (options.channel != 0) ForgetCopy();
    return code;
}
