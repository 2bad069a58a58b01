#pragma once
// What the engine's Windows tests share: a recording wizard, packages built in memory with their
// temporary copy on disk, and scratch registry keys and values.
#include <gtest/gtest.h>
#include <objbase.h>

#include <functional>

#include "engine/installation.h"
#include "engine/registry_read.h"
#include "engine/registry_writer.h"
#include "package/setting_lines.h"
#include "runtime/unicode.h"
#include "tests/support/failure_capture.h"
#include "tests/support/scratch_folder.h"

// The wizard as the engine sees it: status texts, bars ("bar N"), message rounds ("messages"),
// pauses ("pause N") and "finish", in the order they came.
class RecordingView : public InstallView {
public:
    std::string GetInstallFolder() override { return folder; }
    void SetInstallFolder(const std::string& text) override { folder = text; }
    void SetStatus(const std::string& text) override { events.push_back(text); }
    bool IsPlaceChecked(ShortcutPlace place) override { return ticked[place]; }
    void DrawProgressBar(int width) override { events.push_back("bar " + std::to_string(width)); }
    void ProcessMessages() override { events.push_back("messages"), stop = stop || ++rounds == stopAtRound; }
    void Finish() override { events.push_back("finish"); }
    bool StopRequested() override { return stop; }
    // Answers from the list, first to last; Cancel once it is used up.
    FileInUseAnswer AnswerFileInUse(const std::string& path, const std::string&, unsigned attempt) override {
        events.push_back("in use " + path.substr(path.rfind('\\') + 1) + " " + std::to_string(attempt));
        if (onInUse) onInUse();
        if (answers.empty()) return FileInUseAnswer::Cancel;
        const FileInUseAnswer answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    void RunUndone(bool restored) override { events.push_back(restored ? "undone" : "partly undone"); }

    std::string folder;
    std::vector<FileInUseAnswer> answers;
    std::function<void()> onInUse;
    std::vector<std::string> events;
    bool ticked[4] = {true, true, true, true}, stop = false;
    int rounds = 0, stopAtRound = 0;  // the close question is answered "Yes" in round stopAtRound
    unsigned long clock = 0, tick = 30;  // the run's clock goes on by tick at every reading
};

// A package as the loader leaves it: the lists in memory, the copy on disk. Each record added
// is counted, and registry values and shortcuts are switched on.
class TestPackage {
public:
    using Text = const std::string&;
    TestPackage();
    void AddFile(Text path, Text bytes, Text attributes = "32") {
        Add(data.FileEntries, {path, std::to_string(bytes.size()), attributes}, setting::kFileCount);
        payload += bytes;
    }
    void AddRegistry(Text root, Text key, Text name, Text value, Text type) {
        Add(data.RegistryEntries, {root, key, name, value, type}, setting::kRegistryCount, setting::kWriteRegistry);
    }
    void AddShortcut(Text place, Text name, Text target, Text folder = "", Text arguments = "", Text about = "") {
        Add(data.ShortcutEntries, {place, name, target, folder, arguments, about}, setting::kShortcutCount,
            setting::kCreateShortcuts);
    }
    // Writes the temporary copy: a text block followed by the file bytes.
    void WriteCopy(Text path);

    // Adds the record to the list and counts it; a step's settings line switches it on.
    void Add(StringList& list, std::initializer_list<std::string> record, int countLine, int stepLine = -1);

    PackageData data;
    std::string payload;
};

// A registry key that the test may write below, removed with everything in it afterwards.
class ScratchKey {
public:
    ScratchKey(HKEY root, const std::string& parent)
        : root_(root), path_(parent + "RodevTest-" + std::to_string(GetCurrentProcessId())) {}
    ~ScratchKey() { RegDeleteTreeW(root_, Wide(path_).c_str()), RegDeleteKeyW(root_, Wide(path_).c_str()); }
    ScratchKey(const ScratchKey&) = delete;
    const std::string& Path() const { return path_; }

private:
    HKEY root_;
    std::string path_;
};

// A registry value set for the test and put back as it was afterwards (removed if it was absent).
class ValueOverride {
public:
    ValueOverride(HKEY root, const std::string& key, const std::string& name)
        : root_(root), key_(key), name_(name), saved_(ReadRegValue(root, key, name)) {}
    ~ValueOverride() { saved_ ? Set(saved_->type, saved_->data) : Remove(); }
    ValueOverride(const ValueOverride&) = delete;
    void Set(const std::string& text) { Set(REG_SZ, text + '\0'); }
    void Set(DWORD type, const std::string& bytes) {
        EXPECT_TRUE(SetRegValue(OpenOrCreateKey(root_, key_), name_, type, bytes)) << key_ << "\\" << name_;
    }
    void Remove() { RegDeleteKeyValueW(root_, Wide(key_).c_str(), Wide(name_).c_str()); }

private:
    HKEY root_;
    std::string key_, name_;
    std::optional<RegValue> saved_;
};

// A shell folder pointed elsewhere for the test: both the value that the engine reads first and
// the one the shell keeps it in step with, or the shell would write its own folder back.
struct ShellFolderOverride {
    ShellFolderOverride(const std::string& name, const std::string& folder);
    ValueOverride legacy_, current_;
};

// One install run in scratch folders: the install folder and the temporary copy. The run's pauses
// are recorded among the view's events instead of being waited. COM is initialised for the
// thread as the program's start-up does.
class EngineTest : public testing::Test {
protected:
    EngineTest() { CoInitialize(nullptr), current_ = &view_, view_.folder = install_.Path(); }
    ~EngineTest() override { CoUninitialize(); }
    Installation Run();
    // Writes the package copy and runs one step of the install (or all of it: RunInstall) on it. A
    // failure puts back what the run changed, as the program's failure handlers do.
    void Do(void (*step)(Installation&)) {
        copy_.Remove();  // a copy held by an earlier step
        package_.WriteCopy(copyPath_);
        Installation run = Run();
        try {
            step(run);
        } catch (const Failure&) {
            bool restored = false;
            if (UndoActiveRun(restored)) view_.events.push_back(restored ? "undone" : "partly undone");
            throw;
        }
    }
    std::string Installed(const std::string& relative) const { return install_ / relative; }

    ScratchFolder scratch_;
    ScratchFolder install_{scratch_.Path()};
    std::string copyPath_ = scratch_ / "Tmp_Data.tmp";
    PackageCopy copy_;
    TestPackage package_;
    RecordingView view_;
    InstallState state_;
    std::string (*placeFolder_)(ShortcutPlace) = ShortcutPlaceFolder;
    static inline RecordingView* current_ = nullptr;
};
