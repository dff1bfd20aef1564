#!/usr/bin/env bash
# End to end in a real X server: the opening picture shows centred on the
# 800 x 600 screen; a click closes it and brings up the main window. Left
# alone, it closes by itself after about six seconds.
GAME=${1:?usage: e2e_opening.sh path/to/zandrel}
source "$(dirname "$0")/e2e_common.sh"
picture="$(dirname "$0")/../../resources/opening.png"

launch
# 800 x 600 pixels are 12000 x 9000 twips: (12000 - 3990) \ 2 and (9000 - 3345) \ 2.
at=$(xdotool getwindowgeometry --shell "$opening" | awk -F= '{v[$1]=$2} END {print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]}')
[ "$at" = "267 188 266 223" ] || fail "opening picture at $at"
sleep 0.3
import -window root -crop 266x223+267+188 +repage "$work/opening.png"
convert "$picture" -crop 266x223+0+0 +repage "$work/expected.png"
differing=$(differing opening expected -fuzz 3%)
[ "$differing" -lt 500 ] || fail "the screen does not show the opening picture there ($differing pixels differ)"
xdotool mousemove --window "$opening" 130 110 click 1
[ -n "$(find_window '^Zandrel')" ] || fail "no main window after the click"
stop_game

launch
started=$(date +%s%N)
[ -n "$(find_window '^Zandrel' 120)" ] || fail "the opening picture never closed by itself"
waited=$((($(date +%s%N) - started) / 1000000))
[ "$waited" -ge 4500 ] && [ "$waited" -le 9000 ] || fail "it closed after $waited ms"
echo "PASS"
