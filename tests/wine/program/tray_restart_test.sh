#!/usr/bin/env bash
# Quillora.exe's notification icon outlives a restart of the taskbar. Another program removes it
# as a restarted taskbar loses it (NIM_DELETE for the icon's hidden owner and id 1) and tells
# every top-level window that the taskbar was created: the icon is shown again, once. A second
# announcement while the icon is still there leaves one icon, and its menu's "終了" still ends
# the program.
#   tray_restart_test.sh <Quillora.exe> <Lumoscope.dll> <Pointer.bmp> <window_probe.exe>
# Needs WINEPREFIX and DISPLAY (scripts/wine-env.sh).
set -euo pipefail
exe=$1 dll=$2 bmp=$3 probe=$4
source "$(dirname "$0")/test_lib.sh"
source "$(dirname "$0")/replay_lib.sh"
source "$(dirname "$0")/tray_lib.sh"
install_program "$work/app"
start_program "$work/app"
wait_for_icon
poll icons_shown 1 || fail "$(probe trayicons -) icons shown at start, not 1"

# The taskbar restarts: the icon is gone (Wine's tray hides once it holds none), then the
# taskbar says so to every top-level window.
probe untray - >/dev/null || fail "the icon could not be removed from outside"
poll icons_shown 0 || fail "the icon was still shown after it was removed"
probe taskbarcreated - >/dev/null || fail "TaskbarCreated could not be broadcast"
wait_for_icon "the icon did not come back after TaskbarCreated"
poll icons_shown 1 || fail "$(probe trayicons -) icons shown after the restart, not 1"
echo "restart: the icon came back"

# Announced again while the taskbar still holds the icon: still one icon. The menu opens only
# once the program has handled what came before the hover.
probe taskbarcreated - >/dev/null || fail "TaskbarCreated could not be broadcast"
open_menu
icons_shown 1 || fail "$(probe trayicons -) icons shown after a second announcement, not 1"
click_item 0
poll program_ended || fail "the program still runs after 終了 from the icon that came back"
pid=
poll icons_shown 0 || fail "the icon stayed after the program ended"
echo "exit: 終了 from the icon that came back ended the program; no icon left"
