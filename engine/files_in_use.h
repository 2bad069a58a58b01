#pragma once
// Files that another program holds while the run must replace them: who holds one, and the
// question loop that lets the user close it and try again.
#include <string>

#include "engine/installation.h"

// Whether the system's error for a file that could not be opened or moved means that another
// program holds it (not a read-only file, a folder in its place or a missing right).
bool IsHeldByAnotherProgram(unsigned long error, const std::string& path);

// The name of a program that holds the file, as the system's restart manager tells it; empty where
// it cannot tell (or has no restart manager).
std::string ProgramHoldingFile(const std::string& path);

// The question shown while another program holds the file: its path, who holds it, what to do.
std::string FileInUseQuestion(const std::string& path, const std::string& program);

enum class Way { Clear, AtRestart, Stop };

// Makes way for a file the run writes at path: a file there is moved into the kept folder, asking
// the view while another program holds it. Clear: the path is free. AtRestart: the view chose to
// have the new file put in place at the next start (only extraction offers it; elsewhere it reads
// as Stop). Stop: the user cancelled; the run is to be undone. A file that cannot be moved for
// another reason ends in "Cannot create file".
Way MakeWayForFile(Installation& run, const std::string& path);
