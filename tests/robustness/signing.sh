#!/usr/bin/env bash
# Signing with scripts/sign.sh and a throw-away certificate made here: the signatures verify,
# a second signing replaces the first, and the signed installer's items still decode to the
# manifest's files and it still installs under Wine.
#
# usage: signing.sh <installer.exe> <uninstaller.exe> <manifest> <payload build folder> <scratch>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$here/../..
installer=$1 unins=$2 manifest=$3 payload=$4 scratch=$5
rm -rf "$scratch"
mkdir -p "$scratch"
cd "$scratch"

fail() { echo "FAIL: $*"; exit 1; }

openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 \
  -subj "/CN=Quillon test signer" -addext "extendedKeyUsage=codeSigning" 2>/dev/null
openssl pkcs12 -export -in cert.pem -inkey key.pem -out bundle.p12 -passout pass:test-only 2>/dev/null

verify() {
  local out
  out=$(osslsigncode verify -in "$1" -CAfile cert.pem 2>&1) || fail "$1 does not verify: $out"
  grep -q "Signature verification: ok" <<<"$out" || fail "$1: $out"
  [ "$(grep -c "^Signer's certificate:" <<<"$out")" -eq 1 ] || fail "$1 does not hold exactly one signature"
}

CERT=cert.pem KEY=key.pem "$root/scripts/sign.sh" --file "$installer" signed.exe
verify signed.exe
PFX=bundle.p12 PASS=test-only "$root/scripts/sign.sh" --file "$unins" unins-signed.exe
verify unins-signed.exe
CERT=cert.pem KEY=key.pem "$root/scripts/sign.sh" --file signed.exe resigned.exe
verify resigned.exe
cmp -s "$installer" signed.exe && fail "signing left the installer as it was"
# One byte changed in the middle of the file (inside the payload items) breaks the signature.
cp signed.exe tampered.exe
size=$(stat -c %s tampered.exe)
printf '\x5a' | dd of=tampered.exe bs=1 seek=$((size * 3 / 4)) conv=notrunc status=none
if osslsigncode verify -in tampered.exe -CAfile cert.pem >/dev/null 2>&1; then
  fail "a changed byte went unnoticed by the signature"
fi
if CERT=cert.pem KEY=missing.pem "$root/scripts/sign.sh" --file "$installer" never.exe 2>/dev/null; then
  fail "signing with a missing key succeeded"
fi
[ ! -e never.exe ] || fail "a failed signing left a file behind"

python3 "$root/tests/payload/decode_payload.py" signed.exe "$manifest" "$payload" >decoded.txt ||
  fail "the signed installer's items do not decode: $(tail -3 decoded.txt)"

rm -rf "$root/build/wine64/drive_c/qlxsigned"
code=0
"$root/scripts/wine-run" "$scratch/signed.exe" "/dir=c:\\qlxsigned" /verysilent /suppressmsgboxes || code=$?
installed=$root/build/wine64/drive_c/qlxsigned
[ "$code" -eq 0 ] || fail "the signed installer ended with exit code $code"
[ -f "$installed/qlx.exe" ] && [ -f "$installed/unins.exe" ] || fail "the signed installer installed nothing"
rm -rf "$installed"
echo "signed installer and uninstaller verify; items decode; the signed installer installs"
