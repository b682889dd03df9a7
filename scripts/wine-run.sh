#!/usr/bin/env bash
# Runs a Windows program in the project's Wine prefix on the test display.
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
exec wine "$@"
