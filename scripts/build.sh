#!/usr/bin/env bash
# Configures (once) and builds one preset; shows the compiler's output only
# when the build fails.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=$1
dir=build/$preset
mkdir -p build
log=build/$preset.log
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake --preset "$preset" >"$log" 2>&1 || { cat "$log"; exit 1; }
fi
cmake --build "$dir" -j"$(nproc)" >"$log" 2>&1 || { cat "$log"; echo "build: $preset failed"; exit 1; }
