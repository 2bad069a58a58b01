#include "engine/run_changes.h"

#include <cstring>

#include "runtime/integer.h"
#include "runtime/unicode.h"

namespace {

RunChanges* g_active = nullptr;

constexpr unsigned kKeptGroup = 64;

// A key handle closed when it goes.
struct OpenKey {
    HKEY handle = nullptr;
    ~OpenKey() {
        if (handle) RegCloseKey(handle);
    }
};

bool OpenValueKey(HKEY root, const std::string& keyPath, OpenKey& key) {
    return RegOpenKeyExW(root, Wide(keyPath).c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key.handle) ==
           ERROR_SUCCESS;
}

// Removes a file, read-only or not (its attributes are cleared only then: thousands of kept files
// go at the end of an update); true when it is gone.
bool RemoveFile(const std::wstring& path) {
    if (DeleteFileW(path.c_str())) return true;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return true;
    return error == ERROR_ACCESS_DENIED && SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL) &&
           DeleteFileW(path.c_str());
}

// Renames the file open for deleting to the full path; a file there is replaced.
bool RenameOpenFile(HANDLE file, const std::string& to) {
    const std::wstring name = Wide(to);
    std::string buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t), '\0');
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    std::memcpy(rename->FileName, name.data(), rename->FileNameLength);
    return SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(buffer.size()));
}

}  // namespace

void RunChanges::SetKeptFolder(const std::string& installFolder) {
    // Another run's, left by a run that was ended from outside, is never written into.
    keptFolder_ = installFolder + "~setup-kept-" + IntToStr(GetTickCount());
}

unsigned long RunChanges::KeepFile(const std::string& path) {
    // Opening for writing fails while another program holds the file without sharing it, and while
    // a program runs from it, which the system would let us rename. The file is renamed through
    // this handle: under Wine a rename by path costs as much again.
    const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE | DELETE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    Lock();
    if (keptCount_ == 0) {
        MakeKeptFolder(keptFolder_);
        SetFileAttributesW(Wide(keptFolder_).c_str(), FILE_ATTRIBUTE_HIDDEN);
    }
    // In folders of kKeptGroup: Wine looks a name that does not exist yet up by reading the whole
    // folder, and one folder of thousands would make an update many times slower than an install.
    const std::string group = keptFolder_ + "\\" + IntToStr(keptCount_ / kKeptGroup);
    if (keptCount_ % kKeptGroup == 0) MakeKeptFolder(group);
    std::string kept = group + "\\" + IntToStr(keptCount_++ % kKeptGroup);
    lock_.clear(std::memory_order_release);
    bool moved = RenameOpenFile(file, kept);
    // A folder mounted from another volume: the file stays beside itself, under another name.
    if (!moved && GetLastError() == ERROR_NOT_SAME_DEVICE) moved = RenameOpenFile(file, kept = path + ".~kept");
    const DWORD error = moved ? 0 : GetLastError();
    CloseHandle(file);
    if (!error) Record(Kind::FileKept, path, kept);
    return error;
}

void RunChanges::MakeKeptFolder(const std::string& path) {
    if (CreateDirectoryW(Wide(path).c_str(), nullptr)) done_.push_back({Kind::KeptFolder, path, {}, nullptr, 0, {}});
}

void RunChanges::StartKeepingAhead(std::vector<std::string> paths) {
    ahead_ = std::move(paths);
    aheadThread_ = CreateThread(nullptr, 0, KeepAhead, this, 0, nullptr);
}

DWORD WINAPI RunChanges::KeepAhead(void* context) {
    auto& changes = *static_cast<RunChanges*>(context);
    for (const std::string& path : changes.ahead_) {
        const unsigned long error = changes.aheadStop_ ? ERROR_CANCELLED : changes.KeepFile(path);
        if (error && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) break;
        ++changes.aheadDone_;
    }
    changes.aheadEnded_ = true;
    return 0;
}

void RunChanges::WaitKeptAhead(std::size_t index) {
    while (aheadThread_ && aheadDone_ <= index && !aheadEnded_) Sleep(0);
}

void RunChanges::StopKeepingAhead() {
    if (!aheadThread_) return;
    aheadStop_ = true;
    while (!aheadEnded_) Sleep(1);
    CloseHandle(aheadThread_);
    aheadThread_ = nullptr;
}

bool RunChanges::MakeKey(HKEY root, const std::string& keyPath) {
    // Key by key from the top: the first one made is recorded, as deleting it undoes every key and
    // value made below it.
    std::size_t end = 0;
    bool made = false;
    do {
        end = keyPath.find('\\', end + 1);
        const std::string upper = keyPath.substr(0, end);
        HKEY key = nullptr;
        DWORD disposition = 0;
        if (RegCreateKeyExW(root, Wide(upper).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, &disposition) !=
            ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        if (disposition == REG_CREATED_NEW_KEY && !made) {
            made = true;
            Record(Kind::KeyMade, upper, {}, root);
        }
    } while (end != std::string::npos);
    return true;
}

bool RunChanges::SetValue(HKEY root, const std::string& keyPath, const std::string& name, DWORD type,
                          const void* data, DWORD size) {
    if (!MakeKey(root, keyPath)) return false;
    OpenKey key;
    if (!OpenValueKey(root, keyPath, key)) return false;
    const std::wstring wideName = Wide(name);
    Change change{Kind::ValueMade, keyPath, name, root, 0, {}};
    DWORD formerSize = 0;
    if (RegQueryValueExW(key.handle, wideName.c_str(), nullptr, &change.type, nullptr, &formerSize) == ERROR_SUCCESS) {
        change.kind = Kind::ValueSet;
        change.data.resize(formerSize);
        RegQueryValueExW(key.handle, wideName.c_str(), nullptr, &change.type,
                         reinterpret_cast<BYTE*>(change.data.data()), &formerSize);
    }
    done_.push_back(std::move(change));
    return RegSetValueExW(key.handle, wideName.c_str(), 0, type, static_cast<const BYTE*>(data), size) ==
           ERROR_SUCCESS;
}

void RunChanges::DeleteKeyAtEnd(HKEY root, const std::string& keyPath) {
    keysAtEnd_.push_back({Kind::KeyMade, keyPath, {}, root, 0, {}});
}

bool RunChanges::Put(const Change& change) {
    const std::wstring path = Wide(change.path);
    switch (change.kind) {
    case Kind::FolderMade:
    case Kind::KeptFolder:
        // A folder the user has put something into meanwhile stays.
        RemoveDirectoryW(path.c_str());
        return true;
    case Kind::FileMade: return RemoveFile(path);
    case Kind::FileKept:
        return RemoveFile(path) && MoveFileExW(Wide(change.kept).c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
    case Kind::KeyMade: {
        const LONG result = RegDeleteTreeW(change.root, path.c_str());
        return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
    }
    case Kind::ValueSet:
    case Kind::ValueMade: {
        OpenKey key;
        // Gone with a key made by the run, which is undone later.
        if (!OpenValueKey(change.root, change.path, key)) return true;
        const std::wstring name = Wide(change.kept);
        if (change.kind == Kind::ValueMade) {
            const LONG result = RegDeleteValueW(key.handle, name.c_str());
            return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
        }
        return RegSetValueExW(key.handle, name.c_str(), 0, change.type,
                              reinterpret_cast<const BYTE*>(change.data.data()),
                              static_cast<DWORD>(change.data.size())) == ERROR_SUCCESS;
    }
    }
    return true;
}

bool RunChanges::Undo() {
    StopKeepingAhead();
    bool restored = true;
    for (auto change = done_.rbegin(); change != done_.rend(); ++change) restored &= Put(*change);
    done_.clear();
    keysAtEnd_.clear();
    return restored;
}

void RunChanges::Commit() {
    StopKeepingAhead();
    // Last first: the kept files before their folders.
    for (auto change = done_.rbegin(); change != done_.rend(); ++change) {
        const bool file = change->kind == Kind::FileKept;
        if (!file && change->kind != Kind::KeptFolder) continue;
        const std::wstring kept = Wide(file ? change->kept : change->path);
        // Opened by someone since: it goes at the next start, where the system lets us ask.
        if (!(file ? RemoveFile(kept) : RemoveDirectoryW(kept.c_str())))
            MoveFileExW(kept.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
    for (const Change& key : keysAtEnd_) RegDeleteTreeW(key.root, Wide(key.path).c_str());
    done_.clear();
    keysAtEnd_.clear();
}

RunChanges* ActiveRunChanges() { return g_active; }

void SetActiveRunChanges(RunChanges* changes) { g_active = changes; }

bool UndoActiveRun(bool& restored) {
    RunChanges* changes = g_active;
    g_active = nullptr;  // a failure while undoing must not undo again
    if (!changes) return false;
    restored = changes->Undo();
    return true;
}
