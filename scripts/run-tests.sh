#!/usr/bin/env bash
# Runs every test preset: the host unit tests (plain and sanitized), then the
# Windows tests. The checks that only read the shipped 32-bit exe always run on
# it; the tests that run programs under Wine use the build that Wine runs here
# (see wine-env.sh), and the summary says which and why. Extra arguments go to
# every ctest call, e.g. -R 'e2e\.pick'. Fails when any of them fails.
set -uo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
# `make test` stamps its start, so the total below covers the build too.
start=$(cat build/.test-start 2>/dev/null || date +%s)
rm -f build/.test-start
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
run() {  # preset, then ctest's arguments
  local preset=$1
  shift
  ctest --preset "$preset" "$@" | tee -a "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
}
for preset in host host-asan; do
  echo "== $preset"
  run "$preset" "$@"
done
if [ "$PIKURIO_WINE_ARCH" = win32 ]; then
  echo "== win32"
  run win32 "$@"
else
  echo "== win32 (checks of the shipped exe only)"
  run win32 -LE wine "$@"
  echo "== win64 (the same sources under wine64)"
  run win64 -L wine "$@"
fi
echo "== the Wine tests ran build/$PIKURIO_WINE_ARCH: $PIKURIO_WINE_WHY"
echo "== $((($(date +%s) - start) / 60)) min $((($(date +%s) - start) % 60)) s in all; slowest tests:"
sed -n 's/^.*Test *#[0-9]*: \([^ ]*\) .* \([0-9.]*\) sec$/\2 s  \1/p' "$log" | sort -rn | head -n 3
exit $status
