#!/usr/bin/env bash
# Fuzzes the colour model and the reading of a pasted colour code with
# libFuzzer (the `fuzz` preset, clang with AddressSanitizer and UBSan).
#   scripts/fuzz.sh [seconds]   each target for that long (default 60) over a
#                               working corpus in build/fuzz/corpus that grows
#                               from the committed seeds between runs
#   scripts/fuzz.sh --smoke     each target for 5 s with a fixed seed over a
#                               fresh copy of the committed seeds
# Prints one line per target; on a failure also the fuzzer's report and the
# saved input. Exits non-zero when any target fails.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(fuzz_model_ops fuzz_pasted_code)
build=build/fuzz
seconds=60
smoke=0
case "${1:-}" in
  "") ;;
  --smoke) smoke=1; seconds=5 ;;
  *[!0-9]*|0) echo "usage: $0 [seconds | --smoke]" >&2; exit 2 ;;
  *) seconds=$1 ;;
esac

scripts/build.sh fuzz || { echo "fuzz: building failed"; exit 1; }

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=0:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  artifacts=$build/artifacts/$target
  log=$build/$target.log
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$artifacts/")
  if [ "$smoke" = 1 ]; then
    # Same seeds, same random seed: a smoke run depends on the committed files only.
    corpus=$build/smoke-corpus/$target
    rm -rf "$corpus"
    options+=(-seed=1)
  fi
  mkdir -p "$corpus" "$artifacts"
  cp -n tests/fuzz/corpus/"$target"/* "$corpus"/
  if "$build/tests/fuzz/$target" "${options[@]}" "$corpus" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    size=$(find "$corpus" -type f | wc -l)
    echo "fuzz: $target ok: ${runs:-?} runs in ${seconds} s, coverage ${coverage:-?}, corpus $size"
  else
    status=1
    echo "fuzz: $target FAILED (full log: $log)"
    # The failed check with its values, the sanitizer's verdict, our own
    # frames of the stack, and where the input was saved.
    grep -A5 ': Failure$' "$log" | head -6 || true
    grep -E 'runtime error|ERROR: |^SUMMARY|Test unit written' "$log" | head -6 || true
    grep -E "^ +#[0-9]+ .* $PWD/(core|tests)/" "$log" | head -8 || true
    saved=$(sed -n 's/.*Test unit written to //p' "$log" | tail -1)
    [ -z "$saved" ] || echo "  reproduce: $build/tests/fuzz/$target $saved"
  fi
done
exit $status
