#!/usr/bin/env bash
# Runs a Windows program in the project's Wine prefix on the test display.
# `wine-run.sh --built NAME.exe` runs the program of that name from the build
# that Wine runs here (build/win32 or build/win64, see wine-env.sh).
# PIKURIO_SCREEN=16 runs it instead in the second prefix, on the 16-bit display.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
if [ "${PIKURIO_SCREEN:-}" = 16 ]; then
  export WINEPREFIX=$WINEPREFIX-16bpp
  export DISPLAY=${PIKURIO_DISPLAY16:?no 16-bit display: run the tests through make test}
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-run: no X display (DISPLAY is unset); run through 'make test' or 'make run'" >&2
  exit 2
fi
if [ "${1:-}" = --built ]; then
  set -- "$repo_root/build/$PIKURIO_WINE_ARCH/$2" "${@:3}"
fi
exec "$wine_loader" "$@"
