#pragma once
// Reading Uninstall.ini. The setup program writes it in Windows-1251 wherever its text fits there,
// as earlier versions always did, and otherwise in UTF-8 behind a byte-order mark. The uninstaller
// reads both, into UTF-8, and so does the setup program installing over an earlier installation.
#include <string>

// The record's text in UTF-8; false when the file cannot be read or is larger than any record.
bool ReadRecordText(const std::string& path, std::string& text);
