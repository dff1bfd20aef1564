#!/usr/bin/env bash
# End to end in a real X server: start, "Let's Play!", shoot, take the shot
# back with "Back", and check that the table shows the cue ball at its place.
GAME=${1:?usage: e2e_back.sh path/to/zandrel}
source "$(dirname "$0")/e2e_common.sh"

start_game
play_shot
is_white "$(pixel still_a $CUE_START_X $CUE_START_Y)" && fail "the cue ball did not move"
click $BACK_X $BACK_Y
screenshot back
is_cloth "$(pixel back 270 85)" || fail "the menu screen shows instead of the table: $(pixel back 270 85)"
is_white "$(pixel back $CUE_START_X $CUE_START_Y)" || fail "the cue ball is not back: $(pixel back $CUE_START_X $CUE_START_Y)"
echo "PASS"
