# Shared settings of the tools; sourced, not run.
WMB_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WMB_BUILD="$WMB_ROOT/build"
export WINEPREFIX="${WMB_WINEPREFIX:-$WMB_BUILD/wineprefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree="
export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$WMB_ROOT/tools/alsa-null.conf"
# The display the tests and the bench use: an Xvfb screen large enough for every fixed resolution.
WMB_XVFB_DISPLAY="${WMB_XVFB_DISPLAY:-:91}"
WMB_SCREEN="2048x1536"

# The Xvfb that wmb_start_xvfb started for a display is recorded here (its PID), so whoever started
# the screen can stop exactly that process.
wmb_xvfb_pid_file() { echo "$WMB_BUILD/xvfb-${WMB_XVFB_DISPLAY#:}.pid"; }

wmb_xvfb_running() { xdpyinfo -display "$WMB_XVFB_DISPLAY" >/dev/null 2>&1; }

wmb_start_xvfb() {
    local n="${WMB_XVFB_DISPLAY#:}"
    if ! wmb_xvfb_running; then
        rm -f "/tmp/.X${n}-lock" "/tmp/.X11-unix/X${n}"
        mkdir -p "$WMB_BUILD"
        nohup Xvfb "$WMB_XVFB_DISPLAY" -screen 0 "${WMB_SCREEN}x24" -nolisten tcp -ac >/dev/null 2>&1 &
        echo "$!" > "$(wmb_xvfb_pid_file)"
        for _ in $(seq 100); do
            wmb_xvfb_running && break
            sleep 0.1
        done
    fi
}

# Stops the Xvfb recorded for this display, if that process is still an Xvfb on this display.
wmb_stop_xvfb() {
    local file pid
    file="$(wmb_xvfb_pid_file)"
    [ -f "$file" ] || return 0
    pid="$(cat "$file")"
    if [ -n "$pid" ] && tr '\0' ' ' < "/proc/$pid/cmdline" 2>/dev/null | grep -q "^Xvfb $WMB_XVFB_DISPLAY "; then
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do
            [ -d "/proc/$pid" ] || break
            sleep 0.1
        done
    fi
    rm -f "$file"
}

# Whether this machine can run the 32-bit Wine loader at all. Some virtual machines refuse 32-bit x86
# programs outright ("Exec format error"): Wine, and with it every Windows test, cannot run there.
wmb_can_run_win32() {
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

wmb_start_wineserver() {
    wineserver -p >/dev/null 2>&1 || true
}

# The DISPLAY each running Wine process of this prefix was started with, one line each (empty for
# none). Every Wine process of a prefix, the server included, carries the WINEPREFIX the tools export;
# a Wine process is one whose executable is Wine's loader or server.
wmb_prefix_displays() {
    local exe
    for exe in $(find /proc -mindepth 2 -maxdepth 2 -name exe \( -lname '*/wine/wine*' -o -lname '*/bin/wine*' \) \
                     2>/dev/null); do
        awk -v RS='\0' -v prefix="WINEPREFIX=$WINEPREFIX" '
            $0 == prefix { ours = 1 }
            /^DISPLAY=/ { display = substr($0, 9) }
            END { if (ours) print display }' "${exe%/exe}/environ" 2>/dev/null || true
    done
}

# Exports DISPLAY for the Wine processes of this prefix. The first Wine process of a prefix starts its
# server and desktop with the DISPLAY it finds, and a later program on another display (or a server
# started without one) never shows a window: a server of this prefix that runs for another display is
# stopped first. Call it before the first wine, wineserver or `wine reg` of a script.
wmb_use_display() {
    export DISPLAY="$1"
    if wmb_prefix_displays | grep -qvxF "$DISPLAY"; then
        echo "tools: stopping the Wine server of $WINEPREFIX, which was started for another display" >&2
        wmb_stop_wineserver
    fi
}

# Stops the Wine server of this prefix (and with it every Wine process of the prefix) and waits until
# they are gone.
wmb_stop_wineserver() {
    wineserver -k >/dev/null 2>&1 || true
    for _ in $(seq 100); do
        [ -z "$(wmb_prefix_displays)" ] && break
        sleep 0.1
    done
}
