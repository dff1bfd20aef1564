#!/usr/bin/env bash
# End to end in a real X server: "４つ球のデモ" shows Tovi's caption over the
# table and moves the balls; a click on the table ends it. After a game to 3
# points a whole demonstration scores past them, opens no end-of-game box and
# brings the menu screen back. "EXIT" ends the game with status 0: in the
# sanitizer build the leak check of a whole run (the other scripts end by signal).
GAME=${1:?usage: e2e_demo.sh path/to/zandrel}
source "$(dirname "$0")/e2e_common.sh"

TOVI_BAND=429x25+48+$((32 + TABLE_TOP))
DEMO_X=440 DEMO_Y=312 POINTS_X=28 POINTS_Y=276 MENU_X=500 MENU_Y=12 # "４つ球のデモ", the points box, "Menu"
menu_shown() { ! is_cloth "$(pixel now 270 85)" && ! is_white "$(pixel now $CUE_START_X $CUE_START_Y)"; }
# Tovi's caption: a black band over the top of the table with green writing.
caption_shown() {
    [ "$(count_in now $TOVI_BAND '(r<0.1&&g<0.1&&b<0.1)?1:0')" -gt 2000 ] &&
        [ "$(count_in now $TOVI_BAND '(g>0.6&&r<0.3&&b<0.3)?1:0')" -gt 100 ]
}
cue_ball_gone() { ! is_white "$(pixel now $CUE_START_X $CUE_START_Y)"; }
# A message box carries the bare title "Zandrel"; the main window never does.
no_box() { [ -z "$(visible '^Zandrel$')" ] || fail "a message box opened during the demonstration"; }
menu_back_without_box() { no_box && menu_shown; }

start_game
wait_for "the menu screen" menu_shown
click $DEMO_X $DEMO_Y
wait_for "Tovi's caption" caption_shown
wait_for "the first shot" cue_ball_gone
click 270 $((200 + TABLE_TOP))
wait_for "the menu screen after the click" menu_shown

click $POINTS_X $POINTS_Y
xdotool key Home Return
sleep 0.3
click $LETS_PLAY_X $LETS_PLAY_Y
click $MENU_X $MENU_Y
wait_for "the menu screen after a game to 3" menu_shown
click $DEMO_X $DEMO_Y
wait_for "Tovi's caption" caption_shown
poll 900 shot_and menu_back_without_box || fail "the menu screen did not come back after the demonstration"
click 495 345 # "EXIT"; the menu-screen tests check which part takes the pointer
ended 30 || fail "the game still runs after EXIT"
reap
[ "$status" -eq 0 ] || fail "the game ended with status $status"
echo "PASS"
