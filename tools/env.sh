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
