#!/usr/bin/env bash
# Takes the README's screenshots: starts pikurio.exe on a headless screen,
# captures the main dialog, then the dialog with the preview's contrast tooltip
# while the pointer rests on the preview, then the preview's menu opened there
# with text 2's submenu open, then the dialog in the P-type colour-vision view
# chosen from that menu, then opens the About box with a click on the version
# button and captures it too, and last pick mode with its loupe over the
# prompt. Writes docs/main-dialog.png, docs/contrast-tooltip.png,
# docs/preview-menu.png, docs/color-view-p.png, docs/about-box.png and
# docs/pick-loupe.png.
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

# Waits (at most 10 s) for a second visible window of pikurio.exe beside the
# dialog whose X window id is given, and prints its geometry.
wait_for_second_window() {
  local window=
  for _ in $(seq 50); do
    window=$(xdotool search --onlyvisible --class pikurio.exe 2>/dev/null | grep -vx "$1" | head -n1) || true
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "screenshots: no tooltip within 10 s" >&2; return 1; }
  sleep 0.5  # let it paint
  xwininfo -id "$window" | sed -n 's/^ *-geometry //p'
}

capture() {  # geometry file
  xwd -root -silent | convert xwd:- -crop "$1" +repage "$2"
  echo "screenshots: wrote $2 ($1)"
}

# The dialog (its place in left, top, width, height) and whatever of the
# program's other windows, a menu or the loupe, reaches beyond it: one picture.
capture_with_popups() {  # file
  local right=$((left + width)) bottom=$((top + height)) window w h x y
  for window in $(xdotool search --onlyvisible --class pikurio.exe); do
    IFS='x+' read -r w h x y <<<"$(xwininfo -id "$window" | sed -n 's/^ *-geometry //p')"
    [ $((x + w)) -gt "$right" ] && right=$((x + w))
    [ $((y + h)) -gt "$bottom" ] && bottom=$((y + h))
  done
  capture "$((right - left))x$((bottom - top))+$left+$top" "$1"
}

"$here/wine-run.sh" "$exe" &
program=$!
trap 'kill "$program" 2>/dev/null || true' EXIT

main=$(wait_for_window 'ピクリオ')
capture "$main" docs/main-dialog.png
IFS='x+' read -r width height left top <<<"$main"

# The pointer rests in the middle of the preview (107..255 of the dialog's 263
# units across, 54..166 of 175 down); the contrast tooltip shows centred below
# the preview. The picture is the dialog and the tooltip together.
dialog=$(xdotool search --onlyvisible --class pikurio.exe | head -n1)
xdotool mousemove $((left + 3 + (181 * (width - 6)) / 263)) $((top + 22 + (220 * (height - 25)) / 350))
tip=$(wait_for_second_window "$dialog")
IFS='x+' read -r tip_width tip_height tip_left tip_top <<<"$tip"
right=$((left + width > tip_left + tip_width ? left + width : tip_left + tip_width))
bottom=$((top + height > tip_top + tip_height ? top + height : tip_top + tip_height))
capture "$((right - left))x$((bottom - top))+$left+$top" docs/contrast-tooltip.png

# A right click where the pointer rests opens the preview's menu there (the
# tooltip goes); Down twice comes to text 2 and Right opens its submenu. The
# picture is the dialog and the menus together, whatever of them reaches
# beyond the dialog included. (Opened from the keyboard, at the preview's
# top-left corner, the menu lies wholly inside the dialog, and there Wine on
# a headless screen leaves it unpainted.)
xdotool click 3
sleep 1
xdotool key Down Down Right
sleep 1
capture_with_popups docs/preview-menu.png
xdotool key Escape Escape
sleep 0.5

# The same menu again: the views are its last four items, and Up three times
# from the end comes to the P view. The pointer then leaves the dialog, so
# that no tooltip covers the picture.
xdotool click 3
sleep 1
xdotool key Up Up Up Return
xdotool mousemove 5 700
sleep 1
capture "$main" docs/color-view-p.png

# The version button sits at the top right of the dialog: 216..254 of its 263
# dialog units across, 6..21 of 175 down, below a caption and frame of about
# 22 pixels. Aim at its middle.
x=$((left + 3 + (235 * (width - 6)) / 263))
y=$((top + 22 + (27 * (height - 25)) / 350))
xdotool mousemove "$x" "$y" click 1
about=$(wait_for_window 'バージョン情報')
# Move the pointer off the box, so its link shows as it does at rest.
xdotool mousemove 5 700
sleep 0.5
capture "$about" docs/about-box.png

# The About box closes with Esc, and the preview's menu gives back the first
# view (four up from its end). Then the pick button (216..254 of 263 units
# across, 33..48 of 175 down) starts pick mode, and the pointer rests on a
# stroke of the prompt's first line, so that the loupe shows its pixels. The
# picture is the dialog and the loupe together. Pick mode is left waiting:
# the program ends with the script.
xdotool key Escape
sleep 0.5
xdotool mousemove $((left + 3 + (181 * (width - 6)) / 263)) $((top + 22 + (220 * (height - 25)) / 350)) click 3
sleep 1
xdotool key Up Up Up Up Return
sleep 0.5
xdotool mousemove $((left + 3 + (235 * (width - 6)) / 263)) $((top + 22 + (81 * (height - 25)) / 350)) click 1
sleep 0.5
xdotool mousemove $((left + 1 + (150 * (width - 6)) / 263)) $((top + 22 + (200 * (height - 25)) / 350))
sleep 1
capture_with_popups docs/pick-loupe.png
