#include "engine/files_in_use.h"

#include <restartmanager.h>

#include <cstring>

#include "engine/engine_texts.h"
#include "runtime/dll_search.h"
#include "runtime/errors.h"
#include "runtime/unicode.h"

namespace {

// The restart manager's functions, loaded from the system folder where there is one.
struct RestartManager {
    decltype(&RmStartSession) start;
    decltype(&RmRegisterResources) add;
    decltype(&RmGetList) list;
    decltype(&RmEndSession) end;
};

// Null where the system has no restart manager, or not all of it.
const RestartManager* LoadRestartManager() {
    static RestartManager manager;
    static bool loaded = false;
    if (loaded) return manager.end ? &manager : nullptr;
    loaded = true;
    const HMODULE dll = LoadSystemLibrary("rstrtmgr.dll");
    if (!dll) return nullptr;
    // The four names, one after another, in the order of the members.
    const char* name = "RmStartSession\0RmRegisterResources\0RmGetList\0RmEndSession";
    auto* functions = reinterpret_cast<FARPROC*>(&manager);
    for (int i = 0; i < 4; ++i, name += std::strlen(name) + 1)
        if (!(functions[i] = GetProcAddress(dll, name))) return nullptr;
    return &manager;
}

}  // namespace

bool IsHeldByAnotherProgram(unsigned long error, const std::string& path) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return true;
    if (error != ERROR_ACCESS_DENIED) return false;
    // Denied on a file that is neither read-only nor a folder: a running program's file.
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

std::string ProgramHoldingFile(const std::string& path) {
    const RestartManager* manager = LoadRestartManager();
    if (!manager) return {};
    DWORD session = 0;
    WCHAR key[CCH_RM_SESSION_KEY + 1] = {};
    if (manager->start(&session, 0, key) != ERROR_SUCCESS) return {};
    std::string program;
    const std::wstring wide = Wide(path);
    LPCWSTR files[] = {wide.c_str()};
    UINT needed = 0, count = 1;
    RM_PROCESS_INFO info{};
    DWORD reasons = 0;
    if (manager->add(session, 1, files, 0, nullptr, 0, nullptr) == ERROR_SUCCESS) {
        // One is enough to name: ERROR_MORE_DATA still fills the first.
        const DWORD result = manager->list(session, &needed, &count, &info, &reasons);
        if ((result == ERROR_SUCCESS || result == ERROR_MORE_DATA) && count && needed) program = Utf8(info.strAppName);
    }
    manager->end(session);
    return program;
}

std::string FileInUseQuestion(const std::string& path, const std::string& program) {
    std::string text = engine_text::kFileText;
    text.append("\r\n").append(path).append("\r\n");
    if (program.empty()) text += engine_text::kUsedByAnotherText;
    else text += FormatText(engine_text::kUsedByProgramText, program);
    return text.append("\r\n\r\n").append(engine_text::kCloseAndRetryText);
}

Way MakeWayForFile(Installation& run, const std::string& path) {
    for (unsigned attempt = 1;; ++attempt) {
        const unsigned long error = run.changes.KeepFile(path);
        if (!error || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return Way::Clear;
        if (!IsHeldByAnotherProgram(error, path)) Fail("FileCreateError", FormatText(messages::kCannotCreateFile, path));
        switch (run.view.AnswerFileInUse(path, ProgramHoldingFile(path), attempt)) {
        case FileInUseAnswer::Retry: break;
        case FileInUseAnswer::ReplaceAtRestart: return Way::AtRestart;
        case FileInUseAnswer::Cancel: run.state.Cancelled = true; return Way::Stop;
        }
    }
}
