# Sourced after replay_lib.sh: the program's notification icon, found where Win32 lays it out
# (the tray's frame differs from run to run), and its popup menu, driven with real X input.

# The program installed and started while the user works in a window of their own (the
# target, which has the keyboard), its icon shown. The caller registers stop_target.
start_beside_target() {
  install_program "$work/app"
  start_target
  start_program "$work/app"
  activate_target
  wait_for_icon
}

# The icon's screen centre, in tx and ty once it is shown.
icon_found() { probe tray - >"$work/icon.txt" && grep -q . "$work/icon.txt" && read -r tx ty <"$work/icon.txt"; }
wait_for_icon() { poll icon_found || fail "${1:-no notification icon appeared}"; }
icons_shown() { [ "$(probe trayicons -)" = "$1" ]; }

# Hovers over the icon until its menu is open; its rectangle is then in menu.txt.
menu_open() { probe menu - >"$work/menu.txt" && grep -q . "$work/menu.txt"; }
menu_closed() { ! probe menu - >/dev/null; }
hover_icon() { xdotool mousemove "$tx" "$ty" sleep 0.1 mousemove $((tx + 1)) "$ty"; menu_open; }
open_menu() { poll hover_icon || fail "hovering the icon opened no menu"; }
# Clicks the item (0 "終了", 1 "バージョン情報") of the open menu.
click_item() {
  local l t r b
  read -r l t r b <"$work/menu.txt"
  xdotool mousemove $((l + 20)) $((t + (b - t) * (2 * $1 + 1) / 4)) sleep 0.2 click 1
}
choose() {
  open_menu
  click_item "$1"
}
