# Sourced, not run: gives the caller a throw-away Wine prefix and an X display.
#   source scripts/wine-env.sh            # a virtual display (Xvfb)
#   QUILL_USE_DISPLAY=1 source ...        # the user's own $DISPLAY
# Everything is torn down by quill_wine_cleanup, run at the caller's exit (exit-hooks.sh).
# Scripts source without-aslr.sh first: one Wine start in thousands fails by chance otherwise.

quill_wine_cleanup() {
  if [ -n "${QUILL_WINEPREFIX:-}" ]; then
    WINEPREFIX="$QUILL_WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
    rm -rf "$QUILL_WINEPREFIX"
  fi
  if [ -n "${QUILL_XVFB_PID:-}" ]; then
    kill "$QUILL_XVFB_PID" >/dev/null 2>&1 || true
  fi
}
source "$(dirname "${BASH_SOURCE[0]}")/exit-hooks.sh"
quill_on_exit quill_wine_cleanup

# Errors only: a Wine process that fails while it starts then says why in the test's log.
export WINEDEBUG=${WINEDEBUG:--all,err+all}
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="
QUILL_WINEPREFIX=$(mktemp -d /tmp/quill-wine.XXXXXX)
export WINEPREFIX="$QUILL_WINEPREFIX"

if [ -z "${QUILL_USE_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
  # Xvfb writes the display number it picked to fd 3 once it is ready.
  displayfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
  QUILL_XVFB_PID=$!
  for _ in $(seq 1 100); do
    [ -s "$displayfile" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$displayfile")"
  rm -f "$displayfile"
fi

source "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
quill_prepare_prefix
