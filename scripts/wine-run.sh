#!/usr/bin/env bash
# Runs a Windows program under Wine: in the project's prefix on DISPLAY, or,
# on the test screens of with-displays.sh, in that screen's copy of the prefix
# (PIKURIO_SCREEN=24: DISPLAY; PIKURIO_SCREEN=16: the 16-bit display).
# `wine-run.sh --built NAME.exe` runs the program of that name from the build
# that Wine runs here (build/win32 or build/win64, see wine-env.sh).
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
case "${PIKURIO_SCREEN:-}" in
  "") ;;
  24) export WINEPREFIX=$test_prefix24 ;;
  16)
    export WINEPREFIX=$test_prefix16
    export DISPLAY=${PIKURIO_DISPLAY16:?no 16-bit display: run the tests through make test}
    ;;
  *) echo "wine-run: PIKURIO_SCREEN is 24, 16 or unset, not $PIKURIO_SCREEN" >&2; exit 2 ;;
esac
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-run: no X display (DISPLAY is unset); run through 'make test' or 'make run'" >&2
  exit 2
fi
if [ "${1:-}" = --built ]; then
  set -- "$repo_root/build/$PIKURIO_WINE_ARCH/$2" "${@:3}"
fi
exec "$wine_loader" "$@"
