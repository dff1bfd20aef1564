#!/usr/bin/env bash
# End to end in a real X server: "EXIT" on the menu screen ends the game with
# status 0. In the sanitizer build this is also the leak check of a whole run
# with a real display (the other scripts stop the game with a signal).
GAME=${1:?usage: e2e_exit.sh path/to/zandrel}
source "$(dirname "$0")/e2e_common.sh"

EXIT_X=480 EXIT_Y=331 # the top of the "EXIT" caption

start_game
click $EXIT_X $EXIT_Y
for _ in $(seq 1 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null && fail "the game still runs after EXIT"
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "the game ended with status $status"
echo "PASS"
