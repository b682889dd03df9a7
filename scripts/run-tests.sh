#!/usr/bin/env bash
# Runs every test preset: the host unit tests (plain and sanitized), then the
# Windows end-to-end tests under Wine. Fails when any of them fails.
set -uo pipefail
cd "$(dirname "$0")/.."
status=0
for preset in host host-asan win32; do
  echo "== $preset"
  ctest --preset "$preset" || status=1
done
exit $status
