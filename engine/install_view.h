#pragma once
// What the install engine needs from the wizard window, and the engine state the wizard owns.
#include <string>

#include "package/package_data.h"

// Shortcut places, in the order the engine tests them; each has a check box on the wizard.
enum ShortcutPlace { kProgramsPlace = 0, kStartPlace = 1, kDesktopPlace = 2, kTaskbarPlace = 3 };

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
    // file or step.
    virtual bool StopRequested() { return false; }

protected:
    ~InstallView() = default;
};

// Created with the wizard window, all zero and empty.
struct InstallState {
    int FilesDone = 0;
    int FilesTotal = 0;
    unsigned long LastShown = 0;  // the run's clock when the window was last brought up to date
    StringList CreatedLinks;  // full paths of the links made, in order, duplicates kept
};
