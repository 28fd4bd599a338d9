#!/usr/bin/env bash
# Signs the uninstaller and the installer with Authenticode (osslsigncode).
#
# The uninstaller travels inside the installer as a payload item, so it is signed first, in the
# build tree where the packing step reads it; the cross build then packs the signed copy and
# links the installer again, and the installer is signed last (its signature covers the items).
#
# The key comes from the environment (or make variables of the same names):
#   CERT=cert.pem KEY=key.pem [PASS=...]     certificate chain (PEM or DER) and private key
#   PFX=bundle.p12 [PASS=...]                a PKCS#12 bundle instead
#   TSA=http://...                           a time-stamping service (none by default)
#   SIGN_NAME="Quillon"  SIGN_URL=https://...  description and link shown by Windows
#
#   sign.sh                  the build: build/cross/payload/bin/unins.exe, re-pack, build/qlx355.exe
#   sign.sh --file IN OUT    signs one file (IN may already be signed: its signature is replaced)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

die() { echo "sign: $*" >&2; exit 1; }
command -v osslsigncode >/dev/null || die "osslsigncode is missing (scripts/bootstrap.sh installs it)"

key_args=()
if [ -n "${PFX:-}" ]; then
  key_args=(-pkcs12 "$PFX")
elif [ -n "${CERT:-}" ] && [ -n "${KEY:-}" ]; then
  key_args=(-certs "$CERT" -key "$KEY")
else
  die "give CERT=<certificate> KEY=<private key>, or PFX=<bundle.p12> (with PASS=<password> when it has one)"
fi
[ -n "${PASS:-}" ] && key_args+=(-pass "$PASS")
[ -n "${TSA:-}" ] && key_args+=(-ts "$TSA")
[ -n "${SIGN_URL:-}" ] && key_args+=(-i "$SIGN_URL")

sign_file() {
  local in=$1 out=$2 unsigned
  unsigned=$(mktemp "${out}.unsigned.XXXXXX")
  # A second signing replaces the first rather than failing or nesting it.
  if ! osslsigncode remove-signature -in "$in" -out "$unsigned" >/dev/null 2>&1; then
    cp "$in" "$unsigned"
  fi
  osslsigncode sign "${key_args[@]}" -h sha256 -n "${SIGN_NAME:-Quillon}" \
    -in "$unsigned" -out "$out.signing" >/dev/null || { rm -f "$unsigned" "$out.signing"; die "could not sign $in"; }
  rm -f "$unsigned"
  mv -f "$out.signing" "$out"
  echo "sign: signed $out"
}

if [ "${1:-}" = "--file" ]; then
  [ $# -eq 3 ] || die "usage: sign.sh --file IN OUT"
  sign_file "$2" "$3"
  exit 0
fi

build=$root/build
unins=$build/cross/payload/bin/unins.exe
[ -f "$unins" ] && [ -f "$build/qlx355.exe" ] || die "build first (make build)"
sign_file "$unins" "$unins"
# The signed uninstaller is newer than what was packed: this re-packs and links the installer.
(cd "$root" && cmake --build --preset cross -j "${JOBS:-2}" >/dev/null)
cp "$unins" "$build/unins.exe"
sign_file "$build/qlx355.exe" "$build/qlx355.exe"
