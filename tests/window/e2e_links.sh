#!/usr/bin/env bash
# End to end in a real X server: F1, a credit line, "E-mail" and "HomePage" hand
# their addresses to the desktop's opener (a stand-in that writes them down).
# With no opener anywhere the same clicks change nothing and show nothing.
GAME=${1:?usage: e2e_links.sh path/to/zandrel}
source "$(dirname "$0")/e2e_common.sh"

MAIL="60 114" HOMEPAGE="80 90" CREDIT="270 360" PANEL="270 200"
opened="$work/opened.txt"
mkdir -p "$work/opener" "$work/empty"
printf '#!/bin/sh\necho "$1" >>"%s"\n' "$opened" >"$work/opener/xdg-open"
chmod +x "$work/opener/xdg-open"
unset BROWSER DEFAULT_BROWSER XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID

handed() { [ "$(cat "$opened" 2>/dev/null | wc -l)" -ge "$1" ]; }
# use_links: F1 (after a click on the bare panel, so the keys go to the
# window), then the credit line, "E-mail" and "HomePage"; with "wait", after
# each until the opener has been handed one more address.
use_links() {
    local n=0
    click $PANEL
    xdotool key F1
    for at in "" "$CREDIT" "$MAIL" "$HOMEPAGE"; do
        [ -n "$at" ] && click $at
        n=$((n + 1))
        [ "${1:-}" != wait ] || poll 50 handed $n || true
    done
}

start_game PATH="$work/opener:$PATH"
use_links wait
help="file://$(dirname "$(readlink -f "$GAME")")/help.html"
got=$(tr '\n' ' ' <"$opened")
[[ $got == "$help $help mailto:"*@*" http"*://*" " ]] || fail "F1, credit, E-mail, HomePage opened: $got"
stop_game

# No opener at all. The links' captions change once hovered, so the screen is
# compared from there on.
rm -f "$opened"
start_game PATH="$work/empty"
for at in "$MAIL" "$HOMEPAGE" "$PANEL"; do
    xdotool mousemove --window "$window" $at
    sleep 0.2
done
screenshot before
windows=$(xdotool search --onlyvisible --name '' | wc -l)
use_links
xdotool mousemove --window "$window" $PANEL
sleep 0.5
screenshot after
[ "$(xdotool search --onlyvisible --name '' | wc -l)" = "$windows" ] || fail "a window appeared"
differing=$(differing before after)
[ "$differing" = "0" ] || fail "the menu screen changed ($differing pixels)"
[ ! -f "$opened" ] || fail "something was opened"
echo "PASS"
