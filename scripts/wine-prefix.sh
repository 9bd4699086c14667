# Sourced, not run: quill_prepare_prefix readies the Wine prefix in $WINEPREFIX (new or empty)
# for the program and its tests. Used by wine-env.sh, and by tests that need a prefix of their
# own where nothing was ever registered.
quill_prepare_prefix() {
  # A server that already runs makes this exit 2; that is fine.
  wineserver -p >/dev/null 2>&1 || true
  wineboot -i >/dev/null 2>&1
  # No window manager: unmanaged windows avoid a 2 s stall on every hide. A crash must end the
  # process instead of opening a dialog that would hang the run.
  LANG=C.UTF-8 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  LANG=C.UTF-8 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  local font
  for font in "MS UI Gothic" "MS Gothic" "ＭＳ ゴシック"; do
    LANG=C.UTF-8 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /t REG_SZ /d IPAGothic /f >/dev/null 2>&1
  done
  # Wine ends its desktop and RPC services a few seconds after the last program exits, and the
  # next program waits about 14 s for them to start again. A program that waits for input that
  # never comes keeps them for as long as the prefix lives (wineserver -k ends it).
  mkfifo "$WINEPREFIX/keep-alive"
  wine cmd.exe <>"$WINEPREFIX/keep-alive" >/dev/null 2>&1 &
}
