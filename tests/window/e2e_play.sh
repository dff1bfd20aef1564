#!/usr/bin/env bash
# End to end in a real X server: start the game, "Let's Play!", aim on the
# table, shoot, and check that the balls have moved.
GAME=${1:?usage: e2e_play.sh path/to/zandrel}
source "$(dirname "$0")/e2e_common.sh"

start_game
screenshot menu
is_cloth "$(pixel menu 270 85)" || is_white "$(pixel menu $CUE_START_X $CUE_START_Y)" &&
    fail "the menu screen is not shown: the table shows"
play_shot
rest() { pixel still_a $CUE_START_X $CUE_START_Y; }
is_white "$(rest)" && fail "the cue ball did not move"
is_cloth "$(rest)" || fail "no cloth where the cue ball stood: $(rest)"
white=$(count_in still_a 480x240+30+$((30 + TABLE_TOP)) '(r>0.67&&g>0.67&&b>0.67)?1:0')
[ "$white" -gt 20 ] || fail "the cue ball is nowhere on the table ($white white pixels)"
echo "PASS"
