#pragma once
// What the engine's Windows tests share: a recording wizard, packages built in memory with their
// temporary copy on disk, and scratch registry keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/installation.h"
#include "package/setting_lines.h"
#include "runtime/errors.h"
#include "runtime/platform.h"
#include "tests/support/failure_capture.h"
#include "tests/support/scratch_folder.h"

// The wizard as the engine sees it, recording every call in order.
class RecordingView : public InstallView {
public:
    std::string GetInstallFolder() override { return folder; }
    void SetInstallFolder(const std::string& text) override {
        folder = text;
        events.push_back("folder " + text);
    }
    void SetStatus(const std::string& text) override {
        statuses.push_back(text);
        events.push_back("status " + text);
    }
    bool IsPlaceChecked(ShortcutPlace place) override { return ticked[place]; }
    void DrawProgressBar(int width) override {
        bars.push_back(width);
        events.push_back("bar " + std::to_string(width));
    }
    void ProcessMessages() override {
        ++messageRounds;
        events.push_back("messages");
        if (stopAtRound > 0 && messageRounds >= stopAtRound) stop = true;
    }
    void Finish() override {
        ++finished;
        events.push_back("finish");
    }
    bool StopRequested() override { return stop; }

    std::string folder;
    bool ticked[4] = {true, true, true, true};
    std::vector<std::string> statuses, events;
    std::vector<int> bars;
    int messageRounds = 0, finished = 0;
    int stopAtRound = 0;  // the close question is answered "Yes" during this round of messages
    bool stop = false;
};

// A package as the loader leaves it: the lists in memory, the copy on disk.
class TestPackage {
public:
    TestPackage();
    void AddFile(const std::string& path, const std::string& bytes, const std::string& attributes = "32");
    void AddRegistry(const std::string& root, const std::string& key, const std::string& name,
                     const std::string& data, const std::string& type);
    void AddShortcut(const std::string& place, const std::string& name, const std::string& target,
                     const std::string& workingFolder = "", const std::string& arguments = "",
                     const std::string& description = "");
    // Writes the temporary copy: a text block followed by the file bytes.
    void WriteCopy(const std::string& path);

    PackageData data;
    std::string payload;
};

// A registry key that the test may write below, removed with everything in it afterwards.
class ScratchKey {
public:
    ScratchKey(HKEY root, const std::string& parent);
    ~ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;
    const std::string& Path() const { return path_; }

private:
    HKEY root_;
    std::string path_;
};

// A registry value set for the test and put back as it was afterwards (removed if it was absent).
class ValueOverride {
public:
    ValueOverride(HKEY root, const std::string& key, const std::string& name);
    ~ValueOverride();
    ValueOverride(const ValueOverride&) = delete;
    ValueOverride& operator=(const ValueOverride&) = delete;
    void Set(const std::string& text);
    void Remove();

private:
    HKEY root_;
    std::string key_, name_;
    bool existed_ = false;
    DWORD type_ = REG_NONE;
    std::string data_;
};

// A shell folder pointed elsewhere for the test: both the value that the engine reads first and
// the one the shell keeps it in step with, or the shell would write its own folder back.
class ShellFolderOverride {
public:
    explicit ShellFolderOverride(const std::string& name);
    void Set(const std::string& folder) {
        legacy_.Set(folder);
        current_.Set(folder);
    }

private:
    ValueOverride legacy_, current_;
};

// One install run in scratch folders: the install folder, the temporary copy, and a record of the
// pauses the run asked for.
class EngineTest : public testing::Test {
protected:
    EngineTest();
    Installation Run();
    std::string Installed(const std::string& relative) const { return install_ / relative; }

    ScratchFolder scratch_;
    ScratchFolder install_{scratch_.Path()};
    std::string copyPath_ = scratch_ / "Tmp_Data.tmp";
    TestPackage package_;
    RecordingView view_;
    InstallState state_;
    static std::vector<unsigned> pauses_;
};

