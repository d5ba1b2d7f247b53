#!/bin/sh
# Signs a program as a publisher would, with certificates made for the test: one certificate
# (single.exe), a chain of four (chain.exe), and the chain signed again with a nested second signature
# (nested.exe). The Windows side cannot wait for this process: it waits for "done" (or "failed") in
# OUTDIR, which appears only when everything else is there.
# Usage: sign-installer.sh PROGRAM OUTDIR
set -u
in=$1 out=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*" > "$out/failed"; exit 1; }
command -v osslsigncode >/dev/null || fail "osslsigncode is missing (scripts/test installs it)"

for name in leaf ca1 ca2 ca3; do
  openssl req -x509 -newkey rsa:3072 -nodes -keyout "$work/$name.key" -out "$work/$name.pem" \
    -subj "/CN=Zembra Test $name" -days 2 >/dev/null 2>&1 || fail "openssl cannot make a certificate"
done
cat "$work/ca1.pem" "$work/ca2.pem" "$work/ca3.pem" > "$work/chain.pem"
sign() {
  osslsigncode sign -certs "$work/leaf.pem" -key "$work/leaf.key" "$@" >/dev/null 2>&1 || fail "osslsigncode failed: $*"
}
sign -in "$in" -out "$work/single.exe"
sign -ac "$work/chain.pem" -in "$in" -out "$work/chain.exe"
sign -ac "$work/chain.pem" -nest -h sha256 -in "$work/chain.exe" -out "$work/nested.exe"
mv "$work/single.exe" "$work/chain.exe" "$work/nested.exe" "$out/" || fail "cannot write to $out"
touch "$out/done"
