#!/usr/bin/env bash
# End to end in a real X server: the opening picture shows centred on the
# 800 x 600 screen; a click closes it and brings up the main window. A second
# run left alone closes it by itself after about six seconds.
GAME=${1:?usage: e2e_opening.sh path/to/zandrel}
source "$(dirname "$0")/e2e_common.sh"
picture="$(dirname "$0")/../../resources/opening.png"

# geometry ID: "X Y WIDTH HEIGHT" of a window on the screen.
geometry() {
    xdotool getwindowgeometry --shell "$1" | awk -F= '{v[$1]=$2} END {print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]}'
}

"$GAME" &
game_pid=$!
opening=$(find_window '^opening$')
[ -n "$opening" ] || fail "the opening picture did not appear"
# 800 x 600 pixels are 12000 x 9000 twips: (12000 - 3990) \ 2 and (9000 - 3345) \ 2.
[ "$(geometry "$opening")" = "267 188 266 223" ] || fail "opening picture at $(geometry "$opening")"
[ -z "$(xdotool search --onlyvisible --name '^Zandrel' 2>/dev/null || true)" ] || fail "the main window shows too early"
sleep 0.3
import -window root -crop 266x223+267+188 +repage "$work/opening.png"
convert "$picture" -crop 266x223+0+0 +repage "$work/expected.png"
differing=$(compare -metric AE -fuzz 3% "$work/opening.png" "$work/expected.png" null: 2>&1 || true)
[ "$differing" -lt 500 ] || fail "the screen does not show the opening picture there ($differing pixels differ)"

xdotool mousemove --window "$opening" 130 110 click 1
window=$(find_window '^Zandrel')
[ -n "$window" ] || fail "no main window after the click"
[ -z "$(xdotool search --onlyvisible --name '^opening$' 2>/dev/null || true)" ] || fail "the picture stayed up"
kill "$game_pid"
wait "$game_pid" 2>/dev/null || true

# Left alone: the main window comes on the sixth one-second tick.
"$GAME" &
game_pid=$!
opening=$(find_window '^opening$')
[ -n "$opening" ] || fail "the opening picture did not appear the second time"
started=$(date +%s%N)
window=""
for _ in $(seq 1 120); do
    window=$(xdotool search --onlyvisible --name '^Zandrel' 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "the opening picture never closed by itself"
elapsed=$((($(date +%s%N) - started) / 1000000))
[ "$elapsed" -gt 4500 ] && [ "$elapsed" -lt 8000 ] || fail "the picture closed after $elapsed ms"
[ -z "$(xdotool search --onlyvisible --name '^opening$' 2>/dev/null || true)" ] || fail "the picture stayed up"
sleep 1
kill -0 "$game_pid" 2>/dev/null || fail "the game ended with the picture"
echo "PASS"
