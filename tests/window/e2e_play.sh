#!/usr/bin/env bash
# End to end in a real X server: start the game, "Let's Play!", aim on the
# table, shoot, and check that the balls have moved.
GAME=${1:?usage: e2e_play.sh path/to/zandrel}
source "$(dirname "$0")/e2e_common.sh"

start_game
screenshot menu
is_cloth "$(pixel menu 270 85)" && fail "the menu screen is not shown: the table shows"
is_white "$(pixel menu $CUE_START_X $CUE_START_Y)" && fail "the menu screen is not shown: a ball shows"

click $LETS_PLAY_X $LETS_PLAY_Y
table_shown() { is_white "$(pixel now $CUE_START_X $CUE_START_Y)" && is_cloth "$(pixel now 270 85)"; }
wait_for "the table with the cue ball at its rack place" table_shown

click 400 $((100 + TABLE_TOP)) # aim up and to the right
click $SHOT_X $SHOT_Y
wait_until_still
screenshot rest
is_white "$(pixel rest $CUE_START_X $CUE_START_Y)" && fail "the cue ball did not move"
is_cloth "$(pixel rest $CUE_START_X $CUE_START_Y)" || fail "no cloth where the cue ball stood: $(pixel rest $CUE_START_X $CUE_START_Y)"
# The cue ball is somewhere else on the cloth now.
white=$(convert "$work/rest.png" -crop 480x240+30+$((30 + TABLE_TOP)) +repage \
    -fx '(r>0.67&&g>0.67&&b>0.67)?1:0' -format '%[fx:int(mean*w*h+0.5)]' info:)
[ "$white" -gt 20 ] || fail "the cue ball is nowhere on the table ($white white pixels)"
echo "PASS"
