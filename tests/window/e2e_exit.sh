#!/usr/bin/env bash
# End to end in a real X server: "EXIT" on the menu screen ends the game with
# status 0. In the sanitizer build this is also the leak check of a whole run
# with a real display (the other scripts stop the game with a signal).
GAME=${1:?usage: e2e_exit.sh path/to/zandrel}
source "$(dirname "$0")/e2e_common.sh"

# game_ended SECONDS: whether the game has ended within that time.
game_ended() {
    for _ in $(seq 1 $(($1 * 10))); do
        kill -0 "$game_pid" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# Where the menu-screen tests check exactly which part of "EXIT" takes the
# pointer; here it is clicked at the top edge of its box, then in the middle of
# its caption, until the game ends.
start_game
for place in "480 330" "495 345"; do
    click $place
    game_ended 3 && break
done
kill -0 "$game_pid" 2>/dev/null && fail "the game still runs after EXIT"
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "the game ended with status $status"
echo "PASS"
