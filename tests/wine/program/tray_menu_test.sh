#!/usr/bin/env bash
# Quillora.exe's notification icon under Wine: hovering it opens the popup menu, which closes
# again on a click elsewhere or on Esc; "バージョン情報" shows the about box centred on the screen;
# a close request from another program and its "Close" text both close it, and the menu opens
# it again; "終了" ends the program.
#   tray_menu_test.sh <Quillora.exe> <Lumoscope.dll> <Pointer.bmp> <window_probe.exe> <target_window.exe>
# Needs WINEPREFIX and DISPLAY (scripts/wine-env.sh).
set -euo pipefail
exe=$1 dll=$2 bmp=$3 probe=$4 target=$5
source "$(dirname "$0")/test_lib.sh"
source "$(dirname "$0")/replay_lib.sh"
source "$(dirname "$0")/tray_lib.sh"
quill_on_exit stop_target
start_beside_target

# A menu left open by a click elsewhere or by Esc would hold the user's input.
open_menu
xdotool mousemove 1100 700 sleep 0.2 click 1
poll menu_closed || fail "the menu stayed open after a click elsewhere"
poll hover_icon || fail "hovering the icon opened no menu again"
# Off the icon first: the pointer over the icon would open the menu again at once.
xdotool mousemove 1100 700 sleep 0.3 key Escape
poll menu_closed || fail "the menu stayed open after Esc"
echo "menu: closes on a click elsewhere and on Esc"

# The about box is the visible 532 by 326 window (a title would not survive Wine's argv).
about_window() { probe windows - | awk '$2 == 1 && $5 - $3 == 532 && $6 - $4 == 326'; }
about_shown() { about_window >"$work/about.txt" && grep -q . "$work/about.txt"; }
about_gone() { ! about_shown; }
choose 1
poll about_shown || fail "the about box did not appear"
read -r about _ <"$work/about.txt"
probe close "$about"
poll about_gone || fail "the about box did not close when asked to"
kill -0 "$pid" || fail "closing the about box ended the program"
choose 1
poll about_shown || fail "the about box did not open again after it was closed"
read -r _ _ l t r b _ <"$work/about.txt"
read -r sw sh < <(xdotool getdisplaygeometry)
[ "$l" -eq $(((sw - 532) / 2)) ] && [ "$t" -eq $(((sh - 326) / 2)) ] && [ $((r - l)) -eq 532 ] ||
  fail "about box at $l,$t-$r,$b on a ${sw}x$sh screen"
xdotool mousemove $((l + 450)) $((t + 273)) sleep 0.2 click 1  # its "Close" text
poll about_gone || fail "the about box did not close from its Close text"
echo "about box: closed on request, shown again at $l,$t, closed from its Close text"

choose 0
poll program_ended || fail "the program still runs after 終了"
pid=
echo "exit: the program ended from its menu"
