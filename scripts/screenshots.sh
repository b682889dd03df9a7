#!/usr/bin/env bash
# Takes the README's screenshots: starts pikurio.exe on a headless screen,
# captures the main dialog, opens the About box with a click on the version
# button and captures it too. Writes docs/main-dialog.png and docs/about-box.png.
# Needs the built exe and the Wine prefix (`make screenshots`).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.."

# Run on private X screens of our own unless we already are.
if [ -z "${PIKURIO_SCREENSHOT_DISPLAY:-}" ]; then
  exec "$here/with-displays.sh" env PIKURIO_SCREENSHOT_DISPLAY=1 "$0" "$@"
fi

. "$here/wine-env.sh"
exe=build/$PIKURIO_WINE_ARCH/pikurio.exe
[ -f "$exe" ] || { echo "screenshots: $exe is missing; run 'make $PIKURIO_WINE_ARCH' first" >&2; exit 1; }
mkdir -p docs

# Geometry "WxH+X+Y" of the top-level window with this caption, or nothing.
window_geometry() {
  xwininfo -root -tree 2>/dev/null |
    sed -n "s/^ *0x[0-9a-f]* \"$1\": ([^)]*) *\([0-9]*x[0-9]*+[0-9-]*+[0-9-]*\).*/\1/p" | head -n1
}

# Waits (at most 30 s) for a window with this caption and prints its geometry.
wait_for_window() {
  local geometry=
  for _ in $(seq 150); do
    geometry=$(window_geometry "$1")
    [ -n "$geometry" ] && break
    sleep 0.2
  done
  [ -n "$geometry" ] || { echo "screenshots: no window \"$1\" within 30 s" >&2; return 1; }
  sleep 1  # let it paint
  echo "$geometry"
}

capture() {  # geometry file
  xwd -root -silent | convert xwd:- -crop "$1" +repage "$2"
  echo "screenshots: wrote $2 ($1)"
}

"$here/wine-run.sh" "$exe" &
program=$!
trap 'kill "$program" 2>/dev/null || true' EXIT

main=$(wait_for_window 'ピクリオ')
capture "$main" docs/main-dialog.png

# The version button sits at the top right of the dialog: 216..254 of its 263
# dialog units across, 6..21 of 175 down, below a caption and frame of about
# 22 pixels. Aim at its middle.
IFS='x+' read -r width height left top <<<"$main"
x=$((left + 3 + (235 * (width - 6)) / 263))
y=$((top + 22 + (27 * (height - 25)) / 350))
xdotool mousemove "$x" "$y" click 1
about=$(wait_for_window 'バージョン情報')
# Move the pointer off the box, so its link shows as it does at rest.
xdotool mousemove 5 700
sleep 0.5
capture "$about" docs/about-box.png
