// The setup program's entry point.
#include "package/loader.h"
#include "package/single_instance.h"
#include "runtime/platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (!ClaimSingleInstance()) {
        ShowAlreadyRunningMessage();
        return 0;
    }
    PackageData package;
    LoadPackage(package);
    return 0;
}
