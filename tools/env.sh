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

wmb_start_xvfb() {
    local n="${WMB_XVFB_DISPLAY#:}"
    if ! xdpyinfo -display "$WMB_XVFB_DISPLAY" >/dev/null 2>&1; then
        rm -f "/tmp/.X${n}-lock" "/tmp/.X11-unix/X${n}"
        nohup Xvfb "$WMB_XVFB_DISPLAY" -screen 0 "${WMB_SCREEN}x24" -nolisten tcp -ac >/dev/null 2>&1 &
        for _ in $(seq 100); do
            xdpyinfo -display "$WMB_XVFB_DISPLAY" >/dev/null 2>&1 && break
            sleep 0.1
        done
    fi
}

wmb_start_wineserver() {
    wineserver -p >/dev/null 2>&1 || true
}
