#include "tools/signing.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <istream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "package/length_trailer.h"
#include "tools/builder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// What osslsigncode said on its standard error, without OpenSSL's stack of internal error lines.
std::string Reason(const std::string& errors, int status) {
    std::istringstream lines(errors);
    std::string reason;
    for (std::string line; std::getline(lines, line);)
        if (!line.empty() && line.find(":error:") == std::string::npos) reason += (reason.empty() ? "" : "; ") + line;
    return reason.empty() ? "osslsigncode ended with status " + std::to_string(status) : reason;
}

// Runs osslsigncode with the arguments, as a child process without a shell. Throws with its
// reason when it fails.
void RunOsslsigncode(std::vector<std::string> arguments) {
    std::vector<char*> argv{const_cast<char*>("osslsigncode")};
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    int pipe[2];
    if (pipe2(pipe, O_CLOEXEC) != 0)
        throw std::runtime_error(std::string("cannot start osslsigncode: ") + std::strerror(errno));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int started = posix_spawnp(&child, "osslsigncode", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipe[1]);
    std::string errors;
    char buffer[4096];
    for (ssize_t n; started == 0 && ((n = read(pipe[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR));)
        if (n > 0) errors.append(buffer, static_cast<std::size_t>(n));
    close(pipe[0]);
    if (started == ENOENT) throw std::runtime_error("osslsigncode is not installed (apt-get install osslsigncode)");
    if (started != 0) throw std::runtime_error(std::string("cannot start osslsigncode: ") + std::strerror(started));
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(Reason(errors, status));
}

// Signs inPath into outPath, which must not exist yet (osslsigncode never overwrites).
void SignInto(const std::string& inPath, const std::string& outPath, const SigningKey& key) {
    std::vector<std::string> arguments{"sign", "-h", "sha256"};
    if (!key.pkcs12.empty()) {
        arguments.insert(arguments.end(), {"-pkcs12", key.pkcs12});
        if (!key.password.empty()) arguments.insert(arguments.end(), {"-pass", key.password});
    } else {
        arguments.insert(arguments.end(), {"-certs", key.cert, "-key", key.key});
    }
    // An RFC 3161 timestamp keeps the signature valid after the certificate expires.
    if (!key.timestampUrl.empty()) arguments.insert(arguments.end(), {"-ts", key.timestampUrl});
    arguments.insert(arguments.end(), {"-in", inPath, "-out", outPath});
    try {
        RunOsslsigncode(std::move(arguments));
    } catch (const std::runtime_error& error) {
        std::error_code ignored;
        fs::remove(outPath, ignored);
        throw std::runtime_error("cannot sign " + inPath + ": " + error.what());
    }
}

// Signs the file at path in place: osslsigncode writes a signed copy beside it, which replaces it.
void SignFile(const std::string& path, const SigningKey& key) {
    std::string signedPath = path + ".signed";
    std::error_code error;
    for (int n = 1; fs::exists(fs::symlink_status(signedPath, error)); ++n)
        signedPath = path + ".signed" + std::to_string(n);
    SignInto(path, signedPath, key);
    fs::rename(signedPath, path, error);
    if (error) {
        fs::remove(signedPath, error);
        throw std::runtime_error("cannot replace " + path + " by its signed copy");
    }
}

}  // namespace

bool TakeSigningOption(int argc, char** argv, int& i, SigningKey& key) {
    static const std::pair<const char*, std::string SigningKey::*> kOptions[] = {
        {"--sign-cert", &SigningKey::cert},       {"--sign-key", &SigningKey::key},
        {"--sign-pkcs12", &SigningKey::pkcs12},   {"--sign-password", &SigningKey::password},
        {"--timestamp", &SigningKey::timestampUrl}};
    for (const auto& [name, field] : kOptions) {
        if (std::strcmp(argv[i], name) != 0 || i + 1 >= argc) continue;
        key.*field = argv[++i];
        return true;
    }
    return false;
}

std::string SigningOptionsProblem(const SigningKey& key) {
    if (!key.pkcs12.empty() && !(key.cert + key.key).empty())
        return "sign with --sign-cert and --sign-key or with --sign-pkcs12, not both";
    if (key.cert.empty() != key.key.empty() && key.pkcs12.empty()) return "--sign-cert and --sign-key go together";
    if (!key.password.empty() && key.pkcs12.empty()) return "--sign-password goes with --sign-pkcs12";
    if (!key.timestampUrl.empty() && !key.Given()) return "--timestamp needs a key to sign with";
    return "";
}

void SignSetupProgram(const std::string& path, const SigningKey& key) {
    SignFile(path, key);
    // Signing a program whose size is not a multiple of 8 pads it before the signature, where the
    // setup program looks for its package's length.
    std::ostringstream shown;
    if (ShowSetupProgram(path, shown) == 0) return;
    const std::string text = shown.str();
    const std::size_t at = text.find("damaged: ");
    throw std::runtime_error("the signed setup program would not find its package: " +
                             text.substr(at + 9, text.find('\n', at) - at - 9));
}

SignedUninstaller::SignedUninstaller(PackageSource& source, const std::string& uninstaller, const SigningKey& key) {
    if (!key.Given() || source.fileSources.empty() || source.fileSources.back() != uninstaller ||
        source.layout.files.back().path != kUninstallerFile)
        return;
    std::string folder = (fs::temp_directory_path() / "setup-pack-XXXXXX").string();
    if (!mkdtemp(folder.data())) throw std::runtime_error("cannot make a folder for the signed uninstaller");
    copy_ = folder + "/" + kUninstallerFile;
    try {
        SignInto(uninstaller, copy_, key);
    } catch (...) {
        fs::remove_all(folder);
        throw;
    }
    source.inputs.push_back(uninstaller);  // still never to be overwritten by the output
    source.fileSources.back() = copy_;
    source.layout.files.back().size = static_cast<std::int64_t>(fs::file_size(copy_));
}

SignedUninstaller::~SignedUninstaller() {
    std::error_code ignored;
    if (!copy_.empty()) fs::remove_all(fs::path(copy_).parent_path(), ignored);
}

std::string SignatureLine(const CertificateTable& table, std::int64_t fileSize) {
    if (table.size == 0) return "signature: none (not signed)";
    std::string line = "signature: " + std::to_string(table.size) + " bytes at offset " + std::to_string(table.offset);
    if (table.offset + table.size != fileSize)
        line += ", not at the end of the file: the package is looked for at the end";
    return line;
}

std::string GapBeforeSignature(std::istream& in, const unsigned char (&headers)[kImageHeadersSize],
                               std::int64_t fileSize) {
    const CertificateTable table = CertificateTableOf(headers);
    const std::int64_t imageEnd = ImageEnd(headers);
    if (table.size == 0 || table.offset + table.size != fileSize || imageEnd < 0) return "";
    for (std::int64_t gap = 0; gap < 8 && table.offset - gap - 4 >= imageEnd; ++gap) {
        unsigned char bytes[4] = {};
        in.clear();
        in.seekg(table.offset - gap - 4);
        if (!in.read(reinterpret_cast<char*>(bytes), 4)) break;
        if (table.offset - gap - ReadLengthTrailer(bytes) != imageEnd) continue;
        if (gap == 0) break;
        return "the package does not sit right in front of the signature: " + std::to_string(gap) +
               " bytes between (signed when the program's size was not a multiple of 8)";
    }
    in.clear();
    return "";
}
