# Sourced by the program's scripts: a scratch folder that is cleaned up with whatever the
# script registered or started, waiting for asynchronous effects, and failing with a reason.

work=$(mktemp -d)
registered=  # the Lumoscope.dll to unregister at the end
pid=         # the program still running at the end
cleanup() {
  [ -n "$registered" ] && wine regsvr32 /u /s "$registered" >/dev/null 2>&1 || true
  [ -n "$pid" ] && kill "$pid" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

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
fail() { echo "FAIL: $*"; exit 1; }
