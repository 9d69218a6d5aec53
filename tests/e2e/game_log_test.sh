#!/usr/bin/env bash
# The substitute game started by hand in a sandbox with the benchmark's command line for 1024 x 768 and
# three runs writes a timedemo log the benchmark reads as three finished runs with a score each.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
dir="${1:?usage: game_log_test.sh WORK_FOLDER}"
rm -rf "$dir"
game="$("$root/tools/make-sandbox" "$dir" --with-demos)"
bin32="${game}Bin32\\"
cd "$dir/Bin32"
"$root/tools/wine" "$dir/Bin32/Wildmere.exe" -DEVMODE '' '#demo_num_runs=2' '#demo_quit=1' '#r_Width=1024' \
    '#r_Height=768' '#r_Fullscreen=1' '#s_SoundEnable=0' '#s_MusicEnable=0' '#r_HDRRendering=0' \
    '#r_TexNormalMapCompressed=0' 'map pier' 'demo 1' >/dev/null 2>&1
log="$dir/Levels/Pier/1.log"
[ -f "$log" ] || { echo "no log at $log"; exit 1; }
mapfile -t lines < <(tr -d '\r' < "$log")
status=0
for j in 0 1 2; do
    line="${lines[$((3 + 5 * j))]:-}"
    score="${line#*,}"
    score="${score#*:}"
    if ! [[ "$score" =~ ^\ *[0-9]+([.,][0-9]+)?\ *$ ]]; then
        echo "run $((j + 1)): no score in result line '$line'"
        status=1
    fi
done
grep -qx '!TimeDemo Run 2 Finished.' <(tr -d '\r' < "$log") || { echo "no finish line for the third run"; status=1; }
[ "$status" = 0 ] && echo "three finished runs with a score each (${bin32}Wildmere.exe)"
exit "$status"
