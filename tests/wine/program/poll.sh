# Sourced by the program's scripts: waiting for asynchronous effects and failing with a reason.

# Polls a command for up to 15 s; xdotool and Wine are both asynchronous.
poll() {
  for _ in $(seq 1 150); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
fail() { echo "FAIL: $*"; exit 1; }
