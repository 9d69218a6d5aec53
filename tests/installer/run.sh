#!/usr/bin/env bash
# Runs the installer test in a fresh 32-bit Wine prefix of its own under the build folder, so that the
# installation meets no settings key and no earlier installation: run.sh BUILD_FOLDER.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:?usage: run.sh BUILD_FOLDER}"
work="$build/installer-test"
export WMB_WINEPREFIX="$work/prefix"
source "$root/tools/env.sh"
rm -rf "$work"
mkdir -p "$work"
wmb_start_xvfb
export DISPLAY="$WMB_XVFB_DISPLAY"
# Wine's programs keep the descriptors they inherit: everything of Wine writes into files, never into
# ctest's pipe, and the prefix's wineserver is ended at the end.
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wineboot -i >"$work/wineboot.log" 2>&1
# As on a Windows machine, the monitor offers the usual modes (800 x 600 among them) through Wine's virtual
# desktop; the report the benchmark opens goes to a browser that does nothing.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >>"$work/wineboot.log" 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$WMB_SCREEN" /f >>"$work/wineboot.log" 2>&1
wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d /bin/true /f >>"$work/wineboot.log" 2>&1
wineserver -w
rc=0
WMB_INSTALLER="$build/WildmereBenchSetup.exe" WMB_TEST_BIN="$build" \
    wine "$build/tests/installer/installer_tests.exe" >"$work/test.log" 2>&1 </dev/null || rc=$?
cat "$work/test.log"
exit "$rc"
