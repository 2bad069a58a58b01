// The setup program's entry point.
#include "package/loader.h"
#include "runtime/platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    PackageData package;
    LoadPackage(package);
    return 0;
}
