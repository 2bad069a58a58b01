// setup-pack: builds setup programs from package descriptions and shows what a setup program holds.
#include <cstdint>
#include <cstdlib>
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
// The same programs for a package for the user, which ask for no administrator rights.
#ifndef SETUP_PACK_DEFAULT_USER_STUB
#define SETUP_PACK_DEFAULT_USER_STUB "setup-user.exe"
#endif
#ifndef SETUP_PACK_DEFAULT_USER_UNINSTALLER
#define SETUP_PACK_DEFAULT_USER_UNINSTALLER "Uninstall-user.exe"
#endif

namespace {

constexpr const char* kVersion = "setup-pack 2.0";

constexpr const char* kUsage =
    "usage: setup-pack build DESCRIPTION -o SETUP.exe [--stub STUB] [--uninstaller FILE]\n"
    "                        [--store | --dictionary MiB]\n"
    "                        [--sign-cert CERT.pem --sign-key KEY.pem | --sign-pkcs12 FILE\n"
    "                         [--sign-password PASS]] [--timestamp URL]\n"
    "       setup-pack show SETUP.exe\n"
    "       setup-pack --help | --version\n"
    "\n"
    "build   writes the stub followed by the package DESCRIPTION describes; the files are\n"
    "        compressed as one LZMA stream (--store: as they are; --dictionary: the window\n"
    "        in MiB, 1 to 256, default 64)\n"
    "        the stub and uninstaller are by default the build's setup.exe and Uninstall.exe\n"
    "        (install-for = machine) or setup-user.exe and Uninstall-user.exe (install-for = user)\n"
    "        --sign-*: signs the program and the uninstaller it carries through osslsigncode\n"
    "show    prints what a setup program holds and checks it as the setup program does\n";

int Usage() {
    std::cerr << kUsage;
    return 2;
}

// A whole number of MiB from 1 to 256, or 0.
std::uint32_t DictionaryMiB(const char* text) {
    char* end = nullptr;
    const unsigned long n = std::strtoul(text, &end, 10);
    return *text >= '0' && *text <= '9' && *end == 0 && n >= 1 && n <= 256 ? static_cast<std::uint32_t>(n) : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string command = argv[1];
    if (command == "--help" || command == "-h") return std::cout << kUsage, 0;
    if (command == "--version") return std::cout << kVersion << "\n", 0;
    if (command == "show" && argc == 3) return ShowSetupProgram(argv[2], std::cout);
    if (command != "build") return Usage();

    std::string description, output;
    ProgramChoice stub{SETUP_PACK_DEFAULT_STUB, SETUP_PACK_DEFAULT_USER_STUB};
    ProgramChoice uninstaller{SETUP_PACK_DEFAULT_UNINSTALLER, SETUP_PACK_DEFAULT_USER_UNINSTALLER};
    BuildOptions options;
    bool dictionaryGiven = false;
    SigningKey key;
    for (int i = 2; i < argc; ++i) {
        if (!std::strcmp(argv[i], "-o") && i + 1 < argc) output = argv[++i];
        else if (!std::strcmp(argv[i], "--store")) options.compress = false;
        else if (!std::strcmp(argv[i], "--dictionary") && i + 1 < argc && DictionaryMiB(argv[i + 1]))
            options.dictionarySize = DictionaryMiB(argv[++i]) << 20, dictionaryGiven = true;
        else if (!std::strcmp(argv[i], "--stub") && i + 1 < argc) stub = {argv[i + 1], argv[i + 1]}, ++i;
        else if (!std::strcmp(argv[i], "--uninstaller") && i + 1 < argc) uninstaller = {argv[i + 1], argv[i + 1]}, ++i;
        else if (TakeSigningOption(argc, argv, i, key)) continue;
        else if (description.empty() && argv[i][0] != '-') description = argv[i];
        else return Usage();
    }
    if (description.empty() || output.empty() || (dictionaryGiven && !options.compress)) return Usage();
    if (const std::string problem = SigningOptionsProblem(key); !problem.empty()) {
        std::cerr << "setup-pack: " << problem << "\n";
        return 2;
    }
    try {
        PackageSource source = ReadDescription(description, uninstaller);
        // The one users get on disk.
        const SignedUninstaller signedUninstaller(source, uninstaller.For(source.forUser), key);
        if (key.Given()) options.finish = [&](const std::string& program) { SignSetupProgram(program, key); };
        BuildSetupProgram(source, stub.For(source.forUser), output, options);
    } catch (const std::exception& error) {
        std::cerr << "setup-pack: " << error.what() << "\n";
        return 1;
    }
    std::cout << "setup-pack: wrote " << output << "\n";
    return 0;
}
