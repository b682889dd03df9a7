#!/usr/bin/env bash
# Runs every test preset: the host unit tests (plain and sanitized), then the
# Windows tests. The checks that only read the shipped 32-bit exe always run on
# it; the tests that run programs under Wine use the build that Wine runs here
# (see wine-env.sh). Extra arguments go to every ctest call, e.g. -R 'e2e\.pick'.
# Fails when any of them fails.
set -uo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
status=0
for preset in host host-asan; do
  echo "== $preset"
  ctest --preset "$preset" "$@" || status=1
done
if [ "$PIKURIO_WINE_ARCH" = win32 ]; then
  echo "== win32"
  ctest --preset win32 "$@" || status=1
else
  echo "== win32 (checks of the shipped exe; this machine runs no 32-bit code)"
  ctest --preset win32 -LE wine "$@" || status=1
  echo "== win64 (the same sources under wine64)"
  ctest --preset win64 -L wine "$@" || status=1
fi
exit $status
