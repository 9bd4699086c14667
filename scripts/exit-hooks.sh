# Sourced, not run: one EXIT trap for a script and everything it sources. Each part registers
# its own clean-up with quill_on_exit instead of setting a trap, which would replace the
# others'; at the end they run latest first, however the script ends (an error, Ctrl-C, a kill).
if [ -z "${quill_exit_hooks_installed:-}" ]; then
  quill_exit_hooks_installed=1
  quill_exit_hooks=()
  quill_on_exit() { quill_exit_hooks+=("$1"); }
  quill_run_exit_hooks() {
    local i
    for ((i = ${#quill_exit_hooks[@]} - 1; i >= 0; i--)); do eval "${quill_exit_hooks[i]}" || true; done
    quill_exit_hooks=()
  }
  trap quill_run_exit_hooks EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM HUP
fi
