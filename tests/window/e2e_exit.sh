#!/usr/bin/env bash
# End to end in a real X server: "EXIT" on the menu screen ends the game with
# status 0. In the sanitizer build this is also the leak check of a whole run
# with a real display (the other scripts stop the game with a signal).
GAME=${1:?usage: e2e_exit.sh path/to/zandrel}
source "$(dirname "$0")/e2e_common.sh"

# The menu-screen tests check exactly which part of "EXIT" takes the pointer;
# here it is clicked at the top edge of its box, then in the middle of its
# caption, until the game ends.
start_game
for place in "480 330" "495 345"; do
    click $place
    ended 30 && break
done
ended 1 || fail "the game still runs after EXIT"
reap
[ "$status" -eq 0 ] || fail "the game ended with status $status"
echo "PASS"
