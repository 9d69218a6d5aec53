#!/usr/bin/env bash
# tools/sign-update: the signature it writes verifies with the test key's public half (checked by openssl,
# independently of the program), is the base64 text the program reads, and covers the very bytes of the file.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "sign_update_test: $*" >&2; exit 1; }

info="$work/kst_wm_bench.inf"
printf '#version=1.9\r\n#url=http://updates.example.com/files/WildmereBench.exe\r\n' > "$info"
"$root/tools/sign-update" "$info" "$root/keys/update-test-private.pem"
[ -f "$info.sig" ] || fail "no signature file written"
awk 'length($0) > 76 { exit 1 }' "$info.sig" || fail "base64 lines longer than 76 characters"
base64 -d "$info.sig" > "$work/raw"
[ "$(stat -c %s "$work/raw")" = 256 ] || fail "a 2048-bit key signs 256 bytes"
openssl dgst -sha256 -verify "$root/keys/update-test-public.pem" -signature "$work/raw" "$info" >/dev/null ||
    fail "the signature does not verify"
# One byte more and the signature no longer holds.
printf ' ' >> "$info"
if openssl dgst -sha256 -verify "$root/keys/update-test-public.pem" -signature "$work/raw" "$info" >/dev/null 2>&1; then
    fail "the signature verifies for other bytes"
fi
# Wrong use: a usage message and exit 2, nothing written.
set +e
"$root/tools/sign-update" "$info" 2>/dev/null; rc_usage=$?
"$root/tools/sign-update" "$work/missing.inf" "$root/keys/update-test-private.pem" 2>/dev/null; rc_missing=$?
set -e
[ "$rc_usage" = 2 ] && [ "$rc_missing" = 2 ] || fail "wrong use exits $rc_usage and $rc_missing, not 2"
[ ! -e "$work/missing.inf.sig" ] || fail "a signature for a missing file"
echo "sign_update_test: passed"
