#pragma once
// What the install engine needs from the wizard window, and the engine state the wizard owns.
#include <string>

#include "package/package_data.h"

// Shortcut places, in the order the engine tests them; each has a check box on the wizard.
enum ShortcutPlace { kProgramsPlace = 0, kStartPlace = 1, kDesktopPlace = 2, kTaskbarPlace = 3 };

// What the user (or the silent run's rule) answers when another program holds a file the run must
// replace.
enum class FileInUseAnswer { Retry, Cancel, ReplaceAtRestart };

class InstallView {
public:
    // The folder box's text. Read at every use and never cached: the box is the install folder.
    // (Extraction reads it once, as it starts: the box cannot change while files are written.)
    virtual std::string GetInstallFolder() = 0;
    virtual void SetInstallFolder(const std::string& folder) = 0;
    // The status line beside "Статус:".
    virtual void SetStatus(const std::string& text) = 0;
    // A file has been installed at the path: the status line shows its name (extraction.cpp).
    // Shown only as often as a person can see it, and always for the last file.
    virtual void ShowInstalledFile(const std::string& path);
    // Every installed file, as soon as it is whole (the silent run logs each).
    virtual void FileInstalled(const std::string&) {}
    // Whether the check box of the place is ticked (ProgramsCheck, StartCheck, DesktopCheck,
    // TaskbarCheck), visible or not.
    virtual bool IsPlaceChecked(ShortcutPlace place) = 0;
    // A bar from (0, 0) to (width, 16) on the progress panel's canvas with its current brush.
    virtual void DrawProgressBar(int width) = 0;
    // Handles pending window messages: repaints, and the close question.
    virtual void ProcessMessages() = 0;
    // The run is complete: move from the installing page to the finish page.
    virtual void Finish() = 0;
    // True once the user has confirmed leaving during the run; the run then stops at the next
    // file or step, and is undone.
    virtual bool StopRequested() { return false; }
    // Another program holds the file (program names it, when the system can tell); attempt counts
    // the tries at this file, from 1.
    virtual FileInUseAnswer AnswerFileInUse(const std::string& path, const std::string& program, unsigned attempt) = 0;
    // The run was stopped and everything it changed put back (restored: all of it).
    virtual void RunUndone(bool restored) = 0;

protected:
    ~InstallView() = default;
};

// Created with the wizard window, all zero and empty.
struct InstallState {
    int FilesDone = 0;
    int FilesTotal = 0;
    unsigned long LastShown = 0;  // the run's clock when the window was last brought up to date
    StringList CreatedLinks;  // full paths of the links made, in order, duplicates kept
    bool Cancelled = false;       // the user cancelled at a file in use
    bool RestartNeeded = false;   // a file goes in place at the next start
};
