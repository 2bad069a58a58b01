#pragma once
// The log of a silent run (/LOG=file): one line per step and per file, and the error that ended
// the run; the wizard writes there only what it starts, and which way. Administrators read it with
// tools of any language, so it is UTF-8, with a byte-order mark that tells them so. Until a log is
// opened, lines go nowhere.
#include <string>

// Creates the file, replacing an old one, and writes the byte-order mark; false when it cannot be
// created.
bool OpenSilentLog(const std::string& path);

// Writes the line (UTF-8, as all the program's text) at once, so that it survives the run ending
// right after.
void WriteLogLine(const std::string& text);

// Closes the log; later lines go nowhere. (The program leaves that to the system at its end.)
void CloseSilentLog();
