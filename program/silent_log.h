#pragma once
// The log of a silent run (/LOG=file): one line per step and per file, and the error that ended
// the run. Administrators read it with tools of any language, so it is UTF-8. Until a log is
// opened, lines go nowhere.
#include <string>

// Creates the file, replacing an old one; false when it cannot be created.
bool OpenSilentLog(const std::string& path);

// Writes the line at once, so that it survives the run ending right after. text: Windows-1251.
void WriteLogLine(const std::string& text);
