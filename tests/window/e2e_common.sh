# Shared steps of the end-to-end tests, sourced by the e2e_*.sh scripts with
# $GAME (the built game): a fresh X server of their own, clicks, screenshots.

for tool in Xvfb xdpyinfo xdotool import convert compare; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

set -euo pipefail

work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
game_pid="" xvfb_pid=""

cleanup() {
    for pid in $game_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    [ -z "${KEEP_SHOTS:-}" ] || cp "$work"/*.png "$KEEP_SHOTS"/ 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# poll TENTHS COMMAND...: whether COMMAND succeeds within that many tenths of a second.
poll() {
    for _ in $(seq 1 "$1"); do
        "${@:2}" && return 0
        sleep 0.1
    done
    return 1
}

# start_server: an X server of our own. It picks a free display itself and
# writes its number when it is ready, so tests starting servers at the same
# time never share one. It never resets: a server that resets when its last
# client leaves refuses whoever connects meanwhile, and xdotool comes and goes
# all the time. The game starts only once the server has answered a client of
# ours; one that does not answer within five seconds is replaced (three tries).
answers() { xdpyinfo >/dev/null 2>&1; }
stop_server() { kill "$xvfb_pid" 2>/dev/null || true && wait "$xvfb_pid" 2>/dev/null || true && xvfb_pid=""; }
start_server() {
    for _ in 1 2 3; do
        : >"$work/display"
        Xvfb -displayfd 3 -noreset -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
        xvfb_pid=$!
        if poll 100 test -s "$work/display"; then
            export DISPLAY=":$(head -1 "$work/display")"
            poll 50 answers && return 0
        fi
        echo "the X server on ${DISPLAY:-no display} did not answer; starting another" >&2
        stop_server
    done
    fail "no X server answered: $(cat "$work/xvfb.log")"
}
start_server

# visible NAME: the id of the visible window whose title matches NAME ("" when none).
# find_window NAME [TENTHS]: visible NAME, waited for up to ten seconds (or TENTHS).
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true; }
shows() { [ -n "$(visible "$1")" ]; }
find_window() { poll "${2:-100}" shows "$1" || true && visible "$1"; }

# launch [VAR=value...]: starts the game (with those variables set for it
# alone) on a server that answers and waits for the opening picture.
launch() {
    answers || { echo "the X server on $DISPLAY stopped answering; starting another" >&2 && stop_server && start_server; }
    env "$@" "$GAME" &
    game_pid=$!
    opening=$(find_window '^opening$' 300)
    [ -n "$opening" ] || fail "the opening picture did not appear$(answers || echo " (the X server on $DISPLAY stopped answering)")"
}

# start_game [VAR=value...]: launch, then click the opening picture away and
# wait for the main window.
start_game() {
    launch "$@"
    xdotool mousemove --window "$opening" 100 100 click 1
    window=$(find_window '^Zandrel' 300)
    [ -n "$window" ] || fail "the game window did not appear"
    sleep 0.5
}

# ended TENTHS: whether the game has ended within that many tenths of a second.
# stop_game: ends the running game. reap: the status the ended game left, into $status.
gone() { ! kill -0 "$game_pid" 2>/dev/null; }
ended() { poll "$1" gone; }
stop_game() { kill "$game_pid" && wait "$game_pid" 2>/dev/null || true && game_pid=""; }
reap() { status=0 && wait "$game_pid" || status=$? && game_pid=""; }

# click X Y: a left click at (X, Y) of the window's client area.
# screenshot NAME: the window's client area into $work/NAME.png.
click() { xdotool mousemove --window "$window" "$1" "$2" && sleep 0.1 && xdotool click 1 && sleep 0.3; }
screenshot() { import -window "$window" "$work/$1.png"; }

# count_in NAME GEOMETRY FX: pixels of a screenshot's area for which FX holds.
# pixel NAME X Y: "R G B" of a pixel of a screenshot.
# differing A B [OPTIONS]: how many pixels screenshots A and B differ in.
count_in() { convert "$work/$1.png" -crop "$2" +repage -fx "$3" -format '%[fx:int(mean*w*h+0.5)]' info:; }
pixel() {
    convert "$work/$1.png" -format '%[fx:int(255*p{'"$2,$3"'}.r)] %[fx:int(255*p{'"$2,$3"'}.g)] %[fx:int(255*p{'"$2,$3"'}.b)]' info:
}
differing() { compare -metric AE "${@:3}" "$work/$1.png" "$work/$2.png" null: 2>&1 || true; }

# is_white "R G B": a ball's bright face. is_cloth "R G B": the blue-green cloth (or the
# demonstration's green captions on it), not the menu screen, a ball or a dark frame.
is_white() { read -r r g b <<<"$1" && [ "$r" -gt 170 ] && [ "$g" -gt 170 ] && [ "$b" -gt 170 ]; }
is_cloth() { read -r r g b <<<"$1" && [ "$g" -gt $((r + 30)) ] && [ "$g" -ge "$b" ]; }

# wait_for WHAT TEST...: screenshots as "now" until the command succeeds (10 s at most).
shot_and() { screenshot now && "$@"; }
wait_for() { poll 100 shot_and "${@:2}" || fail "$1 never showed"; }

# Places in the window's client area.
LETS_PLAY_X=250 LETS_PLAY_Y=305 TABLE_TOP=25
CUE_START_X=90 CUE_START_Y=$((150 + TABLE_TOP)) # the four-ball rack's cue ball
