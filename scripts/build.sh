#!/usr/bin/env bash
# Configures and builds one preset; shows the compiler's output only when the
# build fails. A preset is configured afresh when the presets or the toolchain
# files have changed since it was last configured, so that such a change
# takes effect without `make clean`.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=$1
dir=build/$preset
mkdir -p build
log=build/$preset.log
inputs=$(cat CMakePresets.json cmake/*.cmake | sha256sum | cut -d' ' -f1)
stamp=$dir/.configured-from
if [ ! -f "$dir/CMakeCache.txt" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$inputs" ]; then
  rm -f "$stamp"
  cmake --preset "$preset" --fresh >"$log" 2>&1 || { cat "$log"; exit 1; }
  echo "$inputs" >"$stamp"
fi
cmake --build --preset "$preset" -j"$(nproc)" >"$log" 2>&1 || { cat "$log"; echo "build: $preset failed"; exit 1; }
