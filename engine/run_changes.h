#pragma once
// What an install run has changed on the machine, in order, with what was there before: the
// record that puts everything back when the run is cancelled or fails, and that is let go when it
// completes. A file the run replaces is not copied: it is renamed into a kept folder on the same
// volume, so keeping it costs no bytes and putting it back is a rename.
#include <atomic>
#include <string>
#include <vector>

#include "runtime/platform.h"

class RunChanges {
public:
    RunChanges() = default;
    RunChanges(const RunChanges&) = delete;
    RunChanges& operator=(const RunChanges&) = delete;
    ~RunChanges() { StopKeepingAhead(); }

    // Where replaced files go: a hidden folder in the install folder, made at the first one.
    void SetKeptFolder(const std::string& installFolder);

    void FolderMade(const std::string& path) { Record(Kind::FolderMade, path); }
    // A file made where there was none (an existing one is first kept); removed on undo.
    void FileMade(const std::string& path) { Record(Kind::FileMade, path); }
    // Moves the existing file at path into the kept folder. Returns 0, or the system's error when
    // the file cannot be moved, or cannot be opened for writing: a running program's file may be
    // renamed, yet must not be replaced under it.
    unsigned long KeepFile(const std::string& path);
    // Keeps the files at these paths (KeepFile) on a thread of its own, in order, while the run
    // writes the new ones: under Wine moving a file aside costs as much as writing one. The first
    // file that cannot be kept ends the thread; the run meets it itself.
    void StartKeepingAhead(std::vector<std::string> paths);
    // Waits until the thread has dealt with paths[index], or has ended.
    void WaitKeptAhead(std::size_t index);

    // Creates the key below root and the missing keys above it, recording the topmost made; true
    // when the key exists afterwards.
    bool MakeKey(HKEY root, const std::string& keyPath);
    // Sets the value in the key below root (a path without a leading "\"), creating the key and
    // missing keys above it. Records the topmost key made, and the value's former type and data,
    // or that it had none. False when the key cannot be opened or the value not set.
    bool SetValue(HKEY root, const std::string& keyPath, const std::string& name, DWORD type, const void* data,
                  DWORD size);
    // A key that goes only when the run completes (the entry of an earlier version).
    void DeleteKeyAtEnd(HKEY root, const std::string& keyPath);

    // Puts everything back, last change first. False when something could not be put back.
    bool Undo();
    // The run completed: the kept files and the keys to delete at the end go.
    void Commit();

private:
    // KeptFolder: the kept folder or one of its groups, which goes on undo and at the end alike.
    enum class Kind : unsigned char { FolderMade, KeptFolder, FileMade, FileKept, KeyMade, ValueSet, ValueMade };
    void Record(Kind kind, const std::string& path, const std::string& kept = {}, HKEY root = nullptr) {
        Lock();
        done_.push_back({kind, path, kept, root, 0, {}});
        lock_.clear(std::memory_order_release);
    }
    // Makes a folder of kept files, recorded; with the lock held.
    void MakeKeptFolder(const std::string& path);
    static DWORD WINAPI KeepAhead(void* changes);
    void StopKeepingAhead();
    struct Change {
        Kind kind;
        std::string path;  // a file or folder; a key's path
        std::string kept;  // the kept file; a value's name
        HKEY root = nullptr;
        DWORD type = 0;
        std::string data;  // a value's former bytes
    };
    bool Put(const Change& change);

    std::vector<Change> done_;
    std::vector<Change> keysAtEnd_;
    std::string keptFolder_;
    unsigned keptCount_ = 0;
    // Guards the record and the kept names while the thread keeps files ahead; held for a push.
    std::atomic_flag lock_ = ATOMIC_FLAG_INIT;
    void Lock() {
        while (lock_.test_and_set(std::memory_order_acquire)) Sleep(0);
    }
    std::vector<std::string> ahead_;
    std::atomic<std::size_t> aheadDone_{0};
    std::atomic<bool> aheadStop_{false}, aheadEnded_{false};
    HANDLE aheadThread_ = nullptr;
};

// The changes of the run in progress, for the failure handlers that undo it before the program
// ends; nullptr outside a run.
RunChanges* ActiveRunChanges();
void SetActiveRunChanges(RunChanges* changes);
// Undoes the run in progress, if any, once. Returns whether there was one; restored tells whether
// everything was put back.
bool UndoActiveRun(bool& restored);
