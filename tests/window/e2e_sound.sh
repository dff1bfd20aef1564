#!/usr/bin/env bash
# End to end with sound: the game writes its mixed sound to a file through
# SDL's disk driver. "Let's Play!" names the game tune in the window caption,
# a shot is played, the file holds sound, and SIGTERM still ends the game.
GAME=${1:?usage: e2e_sound.sh path/to/zandrel}
source "$(dirname "$0")/e2e_common.sh"

export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw"
start_game
play_shot
tune_named() { [[ $(xdotool getwindowname "$window") == 'Zandrel / BGM:"A Scent of Wind" by Quib' ]]; }
wait_for "the game tune in the window caption" tune_named
[ -s "$work/audio.raw" ] || fail "no audio was written"
loud=$(tr -d '\000' <"$work/audio.raw" | wc -c)
[ "$loud" -gt 1000 ] || fail "the audio file holds only silence ($loud non-zero bytes)"

kill -TERM "$game_pid"
ended 30 || fail "SIGTERM did not end the game"
reap
[ "$status" -eq 143 ] || fail "the game ended with status $status, not by SIGTERM"
echo "PASS"
