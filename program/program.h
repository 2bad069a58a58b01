#pragma once
// The program: its three windows' records and the package they show, for the handlers that reach
// across windows (the background's close question asks about the wizard, the wizard installs the
// package that the splash loaded). One object lives for the whole run, outliving its windows.
#include "package/package_data.h"

struct SplashRecord;
struct GroundRecord;
struct SetupFormRecord;

struct Program {
    SplashRecord* splash = nullptr;
    GroundRecord* ground = nullptr;
    SetupFormRecord* setup = nullptr;
    // Read by the splash timer's first tick.
    PackageData package;
    // Set once the package has been copied and read: the copy is ours to remove at the end.
    bool packageLoaded = false;
};
