# Sourced first, before any cd, by each script that starts Wine: runs the script again with
# address-space randomisation off for it and everything it starts (a personality flag, kept
# across exec), where the system allows that.
#
# Why: Debian's 64-bit Wine starts without a preloader, so nothing holds the fixed page Wine
# needs for the shared user data (0x7ffe0000) while the C library sets up. The loader is
# linked at 0x7d000000 and the kernel places its heap anywhere in the GiB above it; about one
# start in four thousand finds the heap on that page and dies at once with "failed to map the
# shared user data: c0000018" (seen as a test failing in 0.01 s, or "ShellExecuteEx failed").
# A suite that starts Wine some hundreds of times then fails one run in ten by chance.
if [ -z "${QUILL_ASLR_CHECKED:-}" ]; then
  export QUILL_ASLR_CHECKED=1
  if setarch "$(uname -m)" -R true 2>/dev/null; then
    exec setarch "$(uname -m)" -R bash "$0" "$@"
  fi
  echo "note: address-space randomisation stays on (setarch -R is not allowed here);" \
    "one Wine start in a few thousand may fail" >&2
fi
