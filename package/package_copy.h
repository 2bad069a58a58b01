#pragma once
// The temporary package copy, held open from its creation to its deletion: an elevated program
// installs from it minutes after writing it, so no other process may write, rename or delete it
// in between (reading it is allowed). What the loader checked is what extraction installs.
#include <string>

#include "runtime/file.h"

class PackageCopy {
public:
    // Creates the copy at path, replacing a stale one: a file or link left there goes first (a link
    // goes, not what it names), and the copy is made anew, so nothing prepared beforehand is
    // written through. False when that cannot be done.
    bool Create(const std::string& path);
    // Holds a copy that exists already (tests write theirs).
    bool Open(const std::string& path);
    bool IsHeld() const { return bytes_.IsOpen(); }
    File& Bytes() { return bytes_; }
    // Lets go of the copy and deletes it; nothing when none is held.
    void Remove();

private:
    File bytes_;
    std::string path_;
};

// The program's one package copy.
PackageCopy& ThePackageCopy();

// Makes the folder of the package copy a real folder: a link or junction found in its place is
// removed (what it points at stays) and a folder made. False when no real folder is there after.
bool PrepareCopyFolder(const std::string& folder);
