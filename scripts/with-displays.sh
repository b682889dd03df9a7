#!/usr/bin/env bash
# Runs a command with two headless X screens: DISPLAY at 24 bits per pixel and
# PIKURIO_DISPLAY16 at 16. Each screen has a Wine prefix of its own, a copy of
# the project's prepared prefix (a Wine desktop belongs to one display), and
# wine-run.sh picks it by PIKURIO_SCREEN: 24 unless the caller set it. The
# prepared prefix is left to `make run`, so a Pikurio started there keeps
# running through the tests. The Wine servers of the copies are restarted
# around the command, so a desktop from an earlier run never lingers.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

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

stop_wine_servers() {
  WINEPREFIX=$test_prefix24 "$wine_server" -k 2>/dev/null || true
  WINEPREFIX=$test_prefix16 "$wine_server" -k 2>/dev/null || true
}

stop_all() {
  stop_wine_servers
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap stop_all EXIT

stop_wine_servers
for copy in "$test_prefix24" "$test_prefix16"; do
  if [ ! -f "$copy/.pikurio-ready" ] || [ "$WINEPREFIX/.pikurio-ready" -nt "$copy/.pikurio-ready" ]; then
    remove_own_prefix "$copy"
    cp -a "$WINEPREFIX" "$copy"
  fi
done
start_xvfb 24
DISPLAY=$display
# The 24-bit screen's server, whose CPU time the bench counts.
PIKURIO_XVFB_PID=${pids[0]}
start_xvfb 16
PIKURIO_DISPLAY16=$display
PIKURIO_SCREEN=${PIKURIO_SCREEN:-24}
export DISPLAY PIKURIO_DISPLAY16 PIKURIO_XVFB_PID PIKURIO_SCREEN
"$@"
