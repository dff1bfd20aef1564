#!/usr/bin/env bash
# End to end in a real X server: F1, a credit line, "E-mail" and "HomePage"
# hand the help page and the author's addresses to the desktop's opener (here
# a stand-in that writes down what it gets), and the game goes on. With no
# opener anywhere the same clicks change nothing and show nothing.
GAME=${1:?usage: e2e_links.sh path/to/zandrel}
source "$(dirname "$0")/e2e_common.sh"

MAIL_X=60 MAIL_Y=114 HOMEPAGE_X=80 HOMEPAGE_Y=90 CREDIT_X=270 CREDIT_Y=360

opener_dir="$work/opener"
opened="$work/opened.txt"
mkdir -p "$opener_dir"
cat >"$opener_dir/xdg-open" <<STUB
#!/bin/sh
echo "\$1" >>"$opened"
STUB
chmod +x "$opener_dir/xdg-open"
unset BROWSER DEFAULT_BROWSER XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID

# wait_for_lines N: until the opener has been handed N addresses.
wait_for_lines() {
    for _ in $(seq 1 50); do
        [ -f "$opened" ] && [ "$(wc -l <"$opened")" -ge "$1" ] && return 0
        sleep 0.1
    done
    fail "the opener got $(cat "$opened" 2>/dev/null | wc -l) addresses, not $1"
}

# visible_windows: how many windows show on the screen.
visible_windows() {
    xdotool search --onlyvisible --name '' 2>/dev/null | wc -l
}

# Menu-screen pixels that must not change: the title area and the links.
menu_check() {
    screenshot "$1"
    convert "$work/$1.png" -crop 540x120+0+0 +repage "$work/$1_top.png"
}

start_game PATH="$opener_dir:$PATH"
game_dir=$(dirname "$(readlink -f "$GAME")")

click 270 200 # the bare menu panel: the keys go to the window
xdotool key F1
wait_for_lines 1
click $CREDIT_X $CREDIT_Y
wait_for_lines 2
click $MAIL_X $MAIL_Y
wait_for_lines 3
click $HOMEPAGE_X $HOMEPAGE_Y
wait_for_lines 4
help="file://$game_dir/help.html"
mapfile -t got <"$opened"
[ "${got[0]}" = "$help" ] || fail "F1 opened '${got[0]}', not $help"
[ "${got[1]}" = "$help" ] || fail "the credit line opened '${got[1]}'"
[[ "${got[2]}" == mailto:*@* ]] || fail "E-mail opened '${got[2]}'"
[[ "${got[3]}" == http*://* ]] || fail "HomePage opened '${got[3]}'"

# The game goes on: "Let's Play!" shows the table.
click $LETS_PLAY_X $LETS_PLAY_Y
screenshot table
is_cloth "$(pixel table 270 85)" || fail "no table after the links: $(pixel table 270 85)"
kill "$game_pid"
wait "$game_pid" 2>/dev/null || true

# No opener at all: nothing on the path the desktop could use.
rm -f "$opened"
empty_dir="$work/empty"
mkdir -p "$empty_dir"
start_game PATH="$empty_dir"
# The links' captions change once hovered; compare from there on.
for at in "$MAIL_X $MAIL_Y" "$HOMEPAGE_X $HOMEPAGE_Y" "270 200"; do
    xdotool mousemove --window "$window" $at
    sleep 0.2
done
menu_check before
windows=$(visible_windows)
click 270 200 # the bare menu panel: the keys go to the window
xdotool key F1
click $CREDIT_X $CREDIT_Y
click $MAIL_X $MAIL_Y
click $HOMEPAGE_X $HOMEPAGE_Y
xdotool mousemove --window "$window" 270 200
sleep 0.5
[ "$(visible_windows)" = "$windows" ] || fail "a window appeared: $(visible_windows) instead of $windows"
menu_check after
differing=$(compare -metric AE "$work/before_top.png" "$work/after_top.png" null: 2>&1 || true)
[ "$differing" = "0" ] || fail "the menu screen changed ($differing pixels)"
[ ! -f "$opened" ] || fail "something was opened"
kill -0 "$game_pid" || fail "the game ended"
click $LETS_PLAY_X $LETS_PLAY_Y
screenshot table2
is_cloth "$(pixel table2 270 85)" || fail "no table after the links: $(pixel table2 270 85)"
echo "PASS"
