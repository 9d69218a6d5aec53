#!/usr/bin/env bash
# wmb_use_display of tools/env.sh: the Wine server of the prefix is stopped exactly when one of the prefix's
# Wine processes runs for another display or for none. The stand-ins are copies of sleep named as Wine's
# programs are, and a wineserver command that records -k and ends the stand-ins of the prefix as the real
# one ends every process of its prefix.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$(mktemp -d)"
pids=()
cleanup() {
    local p
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/lib/wine" "$work/other" "$work/bin"
server="$work/lib/wine/wineserver64"
sleeper="$work/other/sleeper"
cp "$(command -v sleep)" "$server"
cp "$(command -v sleep)" "$sleeper"
cat > "$work/bin/wineserver" <<EOF
#!/bin/sh
[ "\$1" = -k ] || exit 0
echo stopped >> "$work/stopped"
for p in \$(cat "$work/ours"); do kill "\$p" 2>/dev/null; done
exit 0
EOF
chmod +x "$work/bin/wineserver"
export PATH="$work/bin:$PATH"
export WMB_WINEPREFIX="$work/prefix"
# shellcheck source=../../tools/env.sh
source "$root/tools/env.sh"
other_prefix="$work/other-prefix"

# Starts a stand-in: PROGRAM (server or sleeper), PREFIX (ours or other), DISPLAY ("-" for none), and waits
# until it runs as that program.
start() {
    local exe prefix
    case "$1" in server) exe="$server" ;; *) exe="$sleeper" ;; esac
    case "$2" in ours) prefix="$WINEPREFIX" ;; *) prefix="$other_prefix" ;; esac
    if [ "$3" = - ]; then
        env -u DISPLAY WINEPREFIX="$prefix" "$exe" 60 &
    else
        env DISPLAY="$3" WINEPREFIX="$prefix" "$exe" 60 &
    fi
    local pid=$!
    pids+=("$pid")
    [ "$2" = ours ] && echo "$pid" >> "$work/ours"
    for _ in $(seq 100); do
        [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$exe" ] && return 0
        sleep 0.05
    done
    echo "the stand-in $exe did not start" >&2
    exit 1
}

failures=0
# check NAME WANTED_DISPLAY EXPECTED_STOP "PROGRAM PREFIX DISPLAY"...
check() {
    local name="$1" wanted="$2" expected="$3" entry p
    shift 3
    : > "$work/ours"
    rm -f "$work/stopped"
    for entry in "$@"; do
        # shellcheck disable=SC2086
        start $entry
    done
    (wmb_use_display "$wanted") 2>/dev/null
    local got=no
    [ -f "$work/stopped" ] && got=yes
    if [ "$got" = "$expected" ]; then
        echo "ok: $name"
    else
        echo "FAILED: $name: stopped $got, expected $expected" >&2
        failures=$((failures + 1))
    fi
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    pids=()
}

check "a server for the same display stays" :5 no "server ours :5"
check "a server started without a display is stopped" :5 yes "server ours -"
check "a server for another display is stopped" :5 yes "server ours :7"
check "another prefix's server stays" :5 no "server other :7" "server other -"
check "a program of the prefix that is not Wine's does not count" :5 no "sleeper ours -"
check "one process without a display among others is enough" :5 yes "server ours :5" "server ours -"
check "no process of the prefix at all" :5 no

[ "$failures" = 0 ]
