# Sourced by the program's scripts: a scratch folder that is cleaned up with whatever the
# script registered or started, however it ends; waiting for what the program shows; failing
# with a reason, a screenshot and the logs.
#
# Rules every script here keeps, so that no outcome depends on how busy the machine is:
#  - one gesture is one xdotool run (the gap between two xdotool processes is not ours);
#  - nothing waits a fixed time for an outcome: poll for what the program shows, bounded;
#  - a check reads only what the window under test owns (its opaque pixels, its labels).

work=$(mktemp -d)
test_name=${test_name:-$(basename "$0" .sh)}
registered=  # the Lumoscope.dll to unregister at the end
pid=         # the program still running at the end
cleanup() {
  stop_program
  [ -n "$registered" ] && wine regsvr32 /u /s "$registered" >/dev/null 2>&1 || true
  rm -rf "$work"
}
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/exit-hooks.sh"
quill_on_exit cleanup

# Copies the program, the control and the artwork into a folder and registers the control there.
install_program() {
  mkdir -p "$1"
  cp "$exe" "$dll" "$bmp" "$1/"
  registered="$1/Lumoscope.dll"
  wine regsvr32 /s "$registered"
}

# Polls a command until it succeeds, for up to QUILL_POLL_SECONDS (60 s): xdotool and Wine
# are both asynchronous, and the first Wine start on a fresh machine is slow.
poll() {
  local deadline=$((SECONDS + ${QUILL_POLL_SECONDS:-60}))
  while [ "$SECONDS" -lt "$deadline" ]; do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  "$@" >/dev/null 2>&1
}

# With QUILL_TEST_ARTIFACTS set (scripts/repeat-wine-tests.sh sets it), a failure keeps the
# screen as it was and the scratch folder's pictures and logs.
save_artifacts() {
  [ -n "${QUILL_TEST_ARTIFACTS:-}" ] || return 0
  local dest="$QUILL_TEST_ARTIFACTS/$test_name"
  mkdir -p "$dest"
  import -window root "$dest/screen-at-failure.png" >/dev/null 2>&1 || true
  find "$work" -maxdepth 1 -type f \( -name '*.png' -o -name '*.log' -o -name '*.txt' \) \
    -exec cp {} "$dest/" \; 2>/dev/null || true
}
fail() {
  echo "FAIL: $*"
  save_artifacts
  exit 1
}

# Ends the program the way a close request from another program does (WM_CLOSE to the body
# ends the whole program, icon and all), and by force only when it will not go: after a forced
# end of a Wine program with windows, the X display was seen to keep clicks from the next one.
# Needs $probe, the window probe.
program_ended() { ! kill -0 "$pid" 2>/dev/null; }
stop_program() {
  [ -n "$pid" ] || return 0
  if ! program_ended; then
    wine "$probe" closeprogram - >/dev/null 2>&1 || true
    QUILL_POLL_SECONDS=20 poll program_ended || kill "$pid" >/dev/null 2>&1 || true
  fi
  wait "$pid" 2>/dev/null || true
  pid=
}
