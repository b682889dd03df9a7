#!/usr/bin/env bash
# Runs a command with two headless X screens: DISPLAY at 24 bits per pixel and
# PIKURIO_DISPLAY16 at 16. Wine's servers for the project's prefixes are
# restarted around it, so a desktop from an earlier run never lingers.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

prefix16=$WINEPREFIX-16bpp
# The 16-bit screen gets a prefix of its own: a Wine desktop belongs to one display.
if [ ! -f "$prefix16/.pikurio-ready" ] || [ "$WINEPREFIX/.pikurio-ready" -nt "$prefix16/.pikurio-ready" ]; then
  remove_own_prefix "$prefix16"
  cp -a "$WINEPREFIX" "$prefix16"
fi

# Started in this shell, not in a $(...) subshell, so that the ids reach stop_all.
pids=()
display=
start_xvfb() {  # depth -> sets display to the new screen's name
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 1 -screen 0 1024x768x"$1" -nolisten tcp -noreset >"$fd_file" 2>/dev/null &
  pids+=($!)
  for _ in $(seq 100); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  [ -s "$fd_file" ] || { rm -f "$fd_file"; echo "with-displays: Xvfb did not start" >&2; return 1; }
  display=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
}

stop_all() {
  WINEPREFIX=$WINEPREFIX "$wine_server" -k 2>/dev/null || true
  WINEPREFIX=$prefix16 "$wine_server" -k 2>/dev/null || true
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap stop_all EXIT

WINEPREFIX=$WINEPREFIX "$wine_server" -k 2>/dev/null || true
WINEPREFIX=$prefix16 "$wine_server" -k 2>/dev/null || true

start_xvfb 24
DISPLAY=$display
start_xvfb 16
PIKURIO_DISPLAY16=$display
export DISPLAY PIKURIO_DISPLAY16
"$@"
