#pragma once
// The wizard window SetupForm: every control of every page exists from the start; the pages are
// panels on top of each other that the wizard shows, hides, moves and re-labels.
#include <cstdint>

#include "engine/install_view.h"
#include "toolkit/toolkit.h"
#include "wizard/navigation.h"

struct Program;

struct SetupFormRecord {
    Form* SetupForm = nullptr;
    Panel* HeaderPanel = nullptr;
    Label* HeaderTitle = nullptr;
    Label* HeaderText = nullptr;
    Panel* HeaderLine = nullptr;
    Button* CancelButton = nullptr;
    Panel* BottomLine = nullptr;
    Panel* WelcomePage = nullptr;
    Button* BackButton = nullptr;
    Button* NextButton = nullptr;
    Panel* FinishPage = nullptr;
    Panel* ReadyPage = nullptr;
    Panel* GroupPage = nullptr;
    Panel* FolderPage = nullptr;
    Panel* LicencePage = nullptr;
    Edit* LicenceMemo = nullptr;
    RadioButton* AcceptRadio = nullptr;
    RadioButton* DeclineRadio = nullptr;
    Edit* FolderEdit = nullptr;
    Button* BrowseButton = nullptr;
    Label* FolderLabel = nullptr;
    Edit* GroupEdit = nullptr;
    Label* ExtraShortcutsLabel = nullptr;
    Label* GroupLabel = nullptr;
    Edit* SummaryMemo = nullptr;
    Label* ReadyLine1 = nullptr;
    Label* ReadyLine2 = nullptr;
    Label* FinishExitLabel = nullptr;
    CheckBox* RunAppCheck = nullptr;
    CheckBox* ReadmeCheck = nullptr;
    Label* WelcomeLine1 = nullptr;
    Label* WelcomeLine2 = nullptr;
    Label* WelcomeLine3 = nullptr;
    Label* WelcomeLine4 = nullptr;
    Label* WelcomeLine5 = nullptr;
    Label* WelcomeLine6 = nullptr;
    Label* FinishStartMenuLabel = nullptr;
    Panel* ProgressPage = nullptr;
    Label* StatusCaption = nullptr;
    Label* StatusLabel = nullptr;
    Panel* ShortcutBox = nullptr;
    CheckBox* ProgramsCheck = nullptr;
    CheckBox* DesktopCheck = nullptr;
    CheckBox* StartCheck = nullptr;
    CheckBox* TaskbarCheck = nullptr;
    Panel* ProgressBar = nullptr;
    Edit* WelcomeTitle = nullptr;
    Edit* WelcomeText = nullptr;
    Edit* FolderText = nullptr;
    Edit* ProgressText = nullptr;
    Edit* FinishText = nullptr;
    ImageView* HeaderIcon = nullptr;
    ImageList* ImageList = nullptr;
    Panel* WelcomeSidePanel = nullptr;
    GradientPanel* WelcomeGradient = nullptr;
    Panel* FinishSidePanel = nullptr;
    GradientPanel* FinishGradient = nullptr;
    Label* CompanyLabel = nullptr;
    std::uint8_t WizardStep = 0;
    // The page showing; once it is the finish page, leaving asks nothing.
    Page CurrentPage = Page::Welcome;
    // Set by the first showing: the pages are filled from the package once, so showing the
    // window again keeps the user's edits and the current page.
    bool PagesFilled = false;
    // Set when the user confirmed leaving: a running installation stops at its next file or step.
    bool StopRequested = false;

    // The install engine's shared state: FilesDone, FilesTotal, CreatedLinks.
    InstallState Engine;
    // The program the wizard belongs to: the package it installs, the background it hides.
    Program* TheProgram = nullptr;
};

// Builds the hidden wizard window with all its pages and controls and attaches the handlers.
SetupFormRecord& CreateSetupForm(Application& app, Program& program);
