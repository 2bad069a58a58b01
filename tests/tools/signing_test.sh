#!/usr/bin/env bash
# setup-pack signs the setup program and the uninstaller it carries, with PEM files or a PKCS#12
# file, for a package for the machine or for the user: osslsigncode verifies both against the
# throwaway certificate, and show finds the package right in front of the signature. Signing again,
# or after removing the signature, keeps the program sound; a key that cannot sign leaves the old
# output as it was and says why.
#   tests/tools/signing_test.sh SETUP_PACK STUB UNINSTALLER
set -euo pipefail
pack=$1 stub=$2 uninstaller=$3 root=$(cd "$(dirname "$0")/../.." && pwd)
work=signing-test-$(basename "$(dirname "$stub")")
rm -rf "$work" && mkdir "$work" && cd "$work"
source "$root/tests/tools/signing_setup.sh"
openssl pkcs12 -export -in cert.pem -inkey key.pem -out key.p12 -passout pass:secret
fail() { echo "FAIL: $*" >&2; exit 1; }
build() { "$pack" build package/package.txt --stub "$stub" --uninstaller "$uninstaller" "$@"; }
verify() { osslsigncode verify -CAfile cert.pem -in "$1" >verify.log 2>&1 || { cat verify.log; fail "$1 does not verify"; }; }
# Verified, sound, and the signature right after the package.
check_signed() {
    verify "$1" && "$pack" show "$1" >shown.txt || { cat shown.txt; fail "$1 is not sound"; }
    local length start
    read -r length start < <(sed -n 's/^package: \([0-9]*\) bytes at offset \([0-9]*\)$/\1 \2/p' shown.txt)
    grep -qx "signature: [0-9]* bytes at offset $((start + length))" shown.txt || { cat shown.txt; fail "$1: not after the package"; }
}

build -o pem.exe --sign-cert cert.pem --sign-key key.pem >/dev/null
build -o p12.exe --store --sign-pkcs12 key.p12 --sign-password secret >/dev/null
check_signed pem.exe && check_signed p12.exe
# The uninstaller as the stored package carries it: its last file, at an offset in the package.
start=$(sed -n 's/^package: [0-9]* bytes at offset //p' shown.txt)
read -r offset size < <(sed -n 's/^ *[0-9]*: "Uninstall.exe" offset \([0-9]*\) size \([0-9]*\) .*/\1 \2/p' shown.txt)
tail -c +$((start + offset + 1)) p12.exe | head -c "$size" >Uninstall.exe && verify Uninstall.exe
# A package for the user, on the twins that ask for no administrator rights, signs alike.
sed 's/^\[settings\]$/&\ninstall-for = user/' package/package.txt >package/user.txt
"$pack" build package/user.txt -o user.exe --stub "${stub%.exe}-user.exe" --uninstaller "${uninstaller%.exe}-user.exe" \
    --sign-cert cert.pem --sign-key key.pem >/dev/null && check_signed user.exe

osslsigncode sign -certs cert.pem -key key.pem -in pem.exe -out again.exe >/dev/null && check_signed again.exe
osslsigncode remove-signature -in pem.exe -out bare.exe >/dev/null
"$pack" show bare.exe >shown.txt && grep -qx 'signature: none (not signed)' shown.txt || fail "bare.exe: not as unsigned"
osslsigncode sign -certs cert.pem -key key.pem -in bare.exe -out resigned.exe >/dev/null && check_signed resigned.exe

# A key that is not one, and a wrong password: the old output stays, nothing is left beside it.
while IFS='|' read -r options reason; do
    echo old >out.exe
    # shellcheck disable=SC2086
    ! build -o out.exe $options 2>error.txt >/dev/null || fail "$options signed"
    grep -q "^setup-pack: cannot sign .*: $reason" error.txt || { cat error.txt; fail "$options: not why"; }
    [ "$(cat out.exe)" = old ] && [ -z "$(ls out.exe.* 2>/dev/null)" ] || fail "$options: the output changed"
done <<'ROWS'
--sign-cert cert.pem --sign-key cert.pem|Failed to decode private key file: cert.pem
--sign-pkcs12 key.p12 --sign-password wrong|Failed to parse PKCS#12 file: key.p12 (Wrong password?)
ROWS
echo "signing: 5 signed programs and a signed uninstaller verify and are sound; 2 bad keys refused"
