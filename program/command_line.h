#pragma once
// The options administrators pass to install without a window:
//
//   setup.exe /S [/LOG=file] [/RESTART] [/D=C:\Some Folder]
//
// Options are case-insensitive. /D= takes the rest of the line, blanks included and no quotes
// needed, so it comes last; quotes around the folder or the whole option are dropped. A command
// line without /S leaves the program as it always was: the wizard, whatever else the line holds;
// its /LOG= gets the lines of what the wizard starts.
#include <string>

enum class RunMode { Wizard, Silent, BadCommandLine };

struct CommandLine {
    RunMode mode = RunMode::Wizard;
    std::string folder;  // /D=: the install folder; empty: the package's own
    std::string log;     // /LOG=: the log file; empty: none
    bool restart = false;  // /RESTART: the package may restart the computer at the end
};

// Reads the arguments that follow the program's name.
CommandLine ParseCommandLine(const std::string& arguments);

// The arguments of a whole command line as the system gives it (GetCommandLineW, in UTF-8): what
// follows the program's name, quoted or not, and the blanks after it.
std::string ArgumentsAfterProgramName(const std::string& commandLine);
