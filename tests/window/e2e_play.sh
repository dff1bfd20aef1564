#!/usr/bin/env bash
# End to end in a real X server, the sound written to a file by SDL's disk
# driver: "Let's Play!" (the game tune named in the caption), aim, shoot, see the
# balls move and the file hold sound, "Back", and SIGTERM ends the game.
GAME=${1:?usage: e2e_play.sh path/to/zandrel}
source "$(dirname "$0")/e2e_common.sh"

export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw"
SHOT_X=272 SHOT_Y=350 BACK_X=388 BACK_Y=12
# The table counts as still once a second has left it as it was.
still() { screenshot still_a && sleep 1 && screenshot still_b && [ "$(differing still_a still_b)" = "0" ]; }

start_game
click $LETS_PLAY_X $LETS_PLAY_Y
click 400 $((100 + TABLE_TOP)) # aim up and to the right
click $SHOT_X $SHOT_Y
poll 40 still || fail "the balls never came to rest"
rest() { pixel still_a $CUE_START_X $CUE_START_Y; }
is_white "$(rest)" && fail "the cue ball did not move"
is_cloth "$(rest)" || fail "no cloth where the cue ball stood: $(rest)"
tune_named() { [[ $(xdotool getwindowname "$window") == 'Zandrel / BGM:"A Scent of Wind" by Quib' ]]; }
wait_for "the game tune in the window caption" tune_named
[ -s "$work/audio.raw" ] || fail "no audio was written"
loud=$(tr -d '\000' <"$work/audio.raw" | wc -c)
[ "$loud" -gt 1000 ] || fail "the audio file holds only silence ($loud non-zero bytes)"

click $BACK_X $BACK_Y
screenshot back
is_white "$(pixel back $CUE_START_X $CUE_START_Y)" || fail "the cue ball is not back: $(pixel back $CUE_START_X $CUE_START_Y)"

kill -TERM "$game_pid"
ended 30 || fail "SIGTERM did not end the game"
reap
[ "$status" -eq 143 ] || fail "the game ended with status $status, not by SIGTERM"
echo "PASS"
