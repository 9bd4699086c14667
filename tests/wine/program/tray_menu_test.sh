#!/usr/bin/env bash
# Quillora.exe's notification icon under Wine: hovering it opens the popup menu;
# "バージョン情報" shows the about box centred on the screen and its "Close" text closes it;
# "終了" ends the program.
#   tray_menu_test.sh <Quillora.exe> <Lumoscope.dll> <Pointer.bmp> <window_probe.exe>
# Needs WINEPREFIX and DISPLAY (scripts/wine-env.sh).
set -euo pipefail
exe=$1 dll=$2 bmp=$3 probe=$4
source "$(dirname "$0")/test_lib.sh"
install_program "$work"
probe() { wine "$probe" "$@" 2>/dev/null | tr -d "\r"; }

wine "$work/Quillora.exe" &
pid=$!
# Where the icon is, as Win32 lays it out: the tray's frame differs from run to run.
icon_found() { probe tray - >"$work/icon.txt" && grep -q . "$work/icon.txt"; }
poll icon_found || fail "no notification icon appeared"
read -r tx ty <"$work/icon.txt"

# Hovers over the icon until its menu is open, then clicks the item (0 or 1) in it.
menu_open() { probe menu - >"$work/menu.txt" && grep -q . "$work/menu.txt"; }
hover_icon() { xdotool mousemove "$tx" "$ty" sleep 0.1 mousemove $((tx + 1)) "$ty"; menu_open; }
choose() {
  poll hover_icon || fail "hovering the icon opened no menu"
  read -r l t r b <"$work/menu.txt"
  xdotool mousemove $((l + 20)) $((t + (b - t) * (2 * $1 + 1) / 4)) sleep 0.2 click 1
}

choose 1
# The about box is the visible 532 by 326 window (a title would not survive Wine's argv).
about_rect() {
  local w
  for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$WIDTH" = 532 ] && [ "$HEIGHT" = 326 ] && { echo "$X $Y $((X + WIDTH)) $((Y + HEIGHT))"; return 0; }
  done
  return 1
}
about_shown() { about_rect >"$work/about.txt"; }
poll about_shown || fail "the about box did not appear"
read -r l t r b <"$work/about.txt"
read -r sw sh < <(xdotool getdisplaygeometry)
[ "$l" -eq $(((sw - 532) / 2)) ] && [ "$t" -eq $(((sh - 326) / 2)) ] && [ $((r - l)) -eq 532 ] ||
  fail "about box at $l,$t-$r,$b on a ${sw}x$sh screen"
xdotool mousemove $((l + 450)) $((t + 273)) sleep 0.2 click 1  # its "Close" text
about_gone() { ! about_rect >/dev/null; }
poll about_gone || fail "the about box did not close from its Close text"
echo "about box: shown at $l,$t, closed"

choose 0
ended() { ! kill -0 "$pid" 2>/dev/null; }
poll ended || fail "the program still runs after 終了"
pid=
echo "exit: the program ended from its menu"
