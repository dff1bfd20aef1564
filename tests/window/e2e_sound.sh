#!/usr/bin/env bash
# End to end with sound: the game writes its mixed sound to a file through
# SDL's disk driver. "Let's Play!" names the game tune in the window caption,
# a shot is played, the file holds sound, and SIGTERM still ends the game.
GAME=${1:?usage: e2e_sound.sh path/to/zandrel}
source "$(dirname "$0")/e2e_common.sh"

export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw"
start_game

click $LETS_PLAY_X $LETS_PLAY_Y
title=""
for _ in $(seq 1 50); do
    title=$(xdotool getwindowname "$window")
    [[ $title == *'"A Scent of Wind"'* ]] && break
    sleep 0.1
done
[[ $title == 'Zandrel / BGM:"A Scent of Wind" by Quib' ]] || fail "the caption names no game tune: $title"

click 400 $((100 + TABLE_TOP))
click $SHOT_X $SHOT_Y
wait_until_still
[ -s "$work/audio.raw" ] || fail "no audio was written"
loud=$(tr -d '\000' <"$work/audio.raw" | wc -c)
[ "$loud" -gt 1000 ] || fail "the audio file holds only silence ($loud non-zero bytes)"

kill -TERM "$game_pid"
for _ in $(seq 1 30); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null && fail "SIGTERM did not end the game"
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 143 ] || fail "the game ended with status $status, not by SIGTERM"
echo "PASS"
