#pragma once
// Signing setup programs (Authenticode) through osslsigncode, and what show says about a signature.
#include <cstdint>
#include <iosfwd>
#include <string>

#include "package/image_end.h"
#include "tools/description.h"

// The publisher's key: a certificate and key in PEM files, or a PKCS#12 file and its password.
struct SigningKey {
    std::string cert, key, pkcs12, password, timestampUrl;
    bool Given() const { return !cert.empty() || !pkcs12.empty(); }
};

// Takes a signing option at argv[i] and its value (moving i onto it): --sign-cert FILE,
// --sign-key FILE, --sign-pkcs12 FILE, --sign-password PASS, --timestamp URL. False for any other.
bool TakeSigningOption(int argc, char** argv, int& i, SigningKey& key);
// What is wrong with the options taken together, or "" when they can be used.
std::string SigningOptionsProblem(const SigningKey& key);

// Signs the setup program at path in place, then checks that it still finds its package (as show
// does). Throws std::runtime_error with osslsigncode's reason or the signed program's damage.
void SignSetupProgram(const std::string& path, const SigningKey& key);

// A signed copy of the uninstaller that the package carries as its last file, put in its place;
// removed again when this goes. Does nothing for a package without the uninstaller.
class SignedUninstaller {
public:
    SignedUninstaller(PackageSource& source, const std::string& uninstaller, const SigningKey& key);
    ~SignedUninstaller();
    SignedUninstaller(const SignedUninstaller&) = delete;
    SignedUninstaller& operator=(const SignedUninstaller&) = delete;

private:
    std::string copy_;
};

// show's line about the signature: "signature: N bytes at offset X" or "signature: none (not signed)".
std::string SignatureLine(const CertificateTable& table, std::int64_t fileSize);
// When the certificate table ends the file but the package ends 1 to 7 bytes before it (zeros that
// signing put in to align the table), why the setup program would not find its package; else "".
std::string GapBeforeSignature(std::istream& in, const unsigned char (&headers)[kImageHeadersSize],
                               std::int64_t fileSize);
