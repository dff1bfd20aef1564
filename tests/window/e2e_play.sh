#!/usr/bin/env bash
# End to end in a real X server, the mixed sound written to a file through
# SDL's disk driver: start the game, "Let's Play!" (the game tune named in the
# window caption), aim, shoot, see the balls move and the file hold sound, take
# the shot back with "Back", and end the game with SIGTERM.
GAME=${1:?usage: e2e_play.sh path/to/zandrel}
source "$(dirname "$0")/e2e_common.sh"

export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw"
start_game
play_shot
rest() { pixel still_a $CUE_START_X $CUE_START_Y; }
is_white "$(rest)" && fail "the cue ball did not move"
is_cloth "$(rest)" || fail "no cloth where the cue ball stood: $(rest)"
white=$(count_in still_a 480x240+30+$((30 + TABLE_TOP)) '(r>0.67&&g>0.67&&b>0.67)?1:0')
[ "$white" -gt 20 ] || fail "the cue ball is nowhere on the table ($white white pixels)"
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
