// setup-pack: builds setup programs from package descriptions and shows what a setup program holds.
#include <cstring>
#include <iostream>
#include <string>

#include "tools/builder.h"
#include "tools/signing.h"

#ifndef SETUP_PACK_DEFAULT_STUB
#define SETUP_PACK_DEFAULT_STUB "setup.exe"
#endif
#ifndef SETUP_PACK_DEFAULT_UNINSTALLER
#define SETUP_PACK_DEFAULT_UNINSTALLER "Uninstall.exe"
#endif

namespace {

int Usage() {
    std::cerr << "usage: setup-pack build DESCRIPTION -o SETUP.exe [--stub STUB] [--uninstaller FILE]\n"
                 "         [--sign-cert CERT.pem --sign-key KEY.pem | --sign-pkcs12 FILE [--sign-password PASS]]\n"
                 "         [--timestamp URL]\n"
                 "       setup-pack show SETUP.exe\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string command = argv[1];
    if (command == "show" && argc == 3) return ShowSetupProgram(argv[2], std::cout);
    if (command != "build") return Usage();

    std::string description, output, stub = SETUP_PACK_DEFAULT_STUB, uninstaller = SETUP_PACK_DEFAULT_UNINSTALLER;
    SigningKey key;
    for (int i = 2; i < argc; ++i) {
        if (!std::strcmp(argv[i], "-o") && i + 1 < argc) output = argv[++i];
        else if (!std::strcmp(argv[i], "--stub") && i + 1 < argc) stub = argv[++i];
        else if (!std::strcmp(argv[i], "--uninstaller") && i + 1 < argc) uninstaller = argv[++i];
        else if (TakeSigningOption(argc, argv, i, key)) continue;
        else if (description.empty() && argv[i][0] != '-') description = argv[i];
        else return Usage();
    }
    if (description.empty() || output.empty()) return Usage();
    if (const std::string problem = SigningOptionsProblem(key); !problem.empty()) {
        std::cerr << "setup-pack: " << problem << "\n";
        return 2;
    }
    try {
        PackageSource source = ReadDescription(description, uninstaller);
        const SignedUninstaller signedUninstaller(source, uninstaller, key);  // the one users get on disk
        BuildSetupProgram(source, stub, output, [&](const std::string& program) {
            if (key.Given()) SignSetupProgram(program, key);
        });
    } catch (const std::exception& error) {
        std::cerr << "setup-pack: " << error.what() << "\n";
        return 1;
    }
    std::cout << "setup-pack: wrote " << output << "\n";
    return 0;
}
