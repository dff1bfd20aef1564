#!/usr/bin/env bash
# Idle cost of the running game on its menu screen, with the music on and off:
# CPU in percent of one core over a measuring period, and the resident memory.
# The game runs in a virtual X server; its sound goes through SDL's disk driver
# into /dev/null, so the music is mixed exactly as on a real device.
#   bench/idle_cost.sh build/zandrel [seconds]
# Keep the seconds at 25 or below: after 30 idle seconds the menu starts its
# demonstration, which is play, not idling. With the music off the sound device
# rests 2 s after start-up, before the measuring begins.
# SDL_AUDIODRIVER picks another driver; ONLY_OFF=1 or ONLY_ON=1 measures one run alone.
set -euo pipefail
GAME=$(realpath "${1:?usage: idle_cost.sh path/to/zandrel [seconds]}")
SECONDS_MEASURED=${2:-20}
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing" >&2; exit 1; }
command -v xdotool >/dev/null || { echo "xdotool is missing" >&2; exit 1; }

if [ -z "${IDLE_IN_XVFB:-}" ]; then
    export IDLE_IN_XVFB=1
    exec xvfb-run -a -s "-screen 0 800x600x24" bash "$0" "$GAME" "$SECONDS_MEASURED"
fi

work=$(mktemp -d)
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-disk} SDL_DISKAUDIOFILE=/dev/null
ticks_per_second=$(getconf CLK_TCK)

# cpu_ticks PID: user + system time so far, in clock ticks.
cpu_ticks() {
    local stat
    stat=$(cat "/proc/$1/stat")
    stat=${stat##*) }
    read -r -a fields <<<"$stat"
    echo $((fields[11] + fields[12]))
}

# measure LABEL BGM: one run with the music switch stored as BGM.
measure() {
    local home="$work/$1"
    mkdir -p "$home/config/zandrel" "$home/runtime"
    chmod 700 "$home/runtime"
    printf '[PINDOR]\nBGM=%s\nSOUND= 1\n' "$2" >"$home/config/zandrel/ZANDREL.INI"
    XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" HOME="$home" "$GAME" 2>/dev/null &
    game_pid=$!
    for _ in $(seq 1 100); do
        xdotool search --onlyvisible --name '^Zandrel' >/dev/null 2>&1 && break
        sleep 0.1
    done
    sleep 2 # start-up done and the first tune playing
    local before after rss
    before=$(cpu_ticks "$game_pid")
    sleep "$SECONDS_MEASURED"
    after=$(cpu_ticks "$game_pid")
    rss=$(awk '/^VmRSS/ {print $2}' "/proc/$game_pid/status")
    kill "$game_pid"
    wait "$game_pid" 2>/dev/null || true
    game_pid=""
    awk -v l="$1" -v d=$((after - before)) -v t="$ticks_per_second" -v s="$SECONDS_MEASURED" -v r="$rss" \
        'BEGIN { printf "%-10s CPU %6.2f %% of one core   RSS %6.1f MB\n", l, 100 * d / (t * s), r / 1024 }'
}

[ -z "${ONLY_OFF:-}" ] && measure "music on" -1
[ -z "${ONLY_ON:-}" ] && measure "music off" " 0"
