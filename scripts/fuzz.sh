#!/usr/bin/env bash
# Builds the libFuzzer targets (the "fuzz" preset, clang with ASan and UBSan, in build-fuzz/) and
# runs each one in turn from the seeds the project makes and the corpus kept from earlier runs.
#
#   bash scripts/fuzz.sh [-t SECONDS | -r RUNS] [TARGET...]
#
#   -t SECONDS  how long each target runs (default 120)
#   -r RUNS     run each target for this many inputs instead
#   TARGET      any of the targets quillmont_fuzz_seeds --targets lists; all when none is given
#
# An input that crashes, leaks, hangs (10 s) or takes more than 2 GB is copied into
# tests/fuzz-regressions/<target>/, where the test fuzz_regressions replays it in every build;
# commit it with the fix. The script fails when any target found one.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=120
runs=
while getopts "t:r:" option; do
  case $option in
    t) seconds=$OPTARG ;;
    r) runs=$OPTARG ;;
    *) sed -n '2,13p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))

build=build-fuzz
if [ ! -f "$build/build.ninja" ]; then
  cmake --preset fuzz >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target quillmont_fuzzers

seeds=$build/fuzz-seeds
rm -rf "$seeds"
"$build/fuzz/quillmont_fuzz_seeds" "$seeds" >/dev/null

declare -A maxLength
known=()
while read -r name length; do
  maxLength[$name]=$length
  known+=("$name")
done < <("$build/fuzz/quillmont_fuzz_seeds" --targets)
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=("${known[@]}")

# Every report stops the run and is fatal; leaks count as much as crashes.
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0:allocator_may_return_null=0:detect_stack_use_after_return=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen

passed=0
failed=0
summary=()
for target in "${targets[@]}"; do
  if [ -z "${maxLength[$target]:-}" ]; then
    echo "unknown fuzz target: $target (known: ${known[*]})" >&2
    exit 2
  fi
  corpus=$build/fuzz-corpus/$target
  artifacts=$build/fuzz-artifacts/$target
  regressions=tests/fuzz-regressions/$target
  log=$build/fuzz-logs/$target.log
  rm -rf "$artifacts"
  mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
  limit=(-max_total_time="$seconds")
  [ -z "$runs" ] || limit=(-runs="$runs")
  inputs=("$corpus" "$seeds/$target")
  [ ! -d "$regressions" ] || inputs+=("$regressions")

  echo "fuzzing $target (${limit[*]}) ..."
  status=0
  "$build/fuzz/fuzz_$target" "${limit[@]}" -max_len="${maxLength[$target]}" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" "${inputs[@]}" >"$log" 2>&1 || status=$?

  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log" | tail -n 1)
  files=$(find "$corpus" -type f | wc -l)
  if [ "$status" -eq 0 ]; then
    passed=$((passed + 1))
    summary+=("$(printf '%-14s %10s runs %8s/s %6s MB  corpus %5s  ok' "$target" "${executions:-?}" "${speed:-?}" "${rss:-?}" "$files")")
    continue
  fi
  failed=$((failed + 1))
  summary+=("$(printf '%-14s %10s runs %8s/s %6s MB  corpus %5s  FAILED (exit %s)' "$target" "${executions:-?}" "${speed:-?}" "${rss:-?}" "$files" "$status")")
  echo "---- $target failed; the end of $log:" >&2
  tail -n 60 "$log" >&2
  mkdir -p "$regressions"
  for found in "$artifacts"/crash-* "$artifacts"/leak-* "$artifacts"/timeout-* "$artifacts"/oom-*; do
    [ -f "$found" ] || continue
    kind=$(basename "$found" | cut -d- -f1)
    kept=$regressions/$kind-$(sha1sum "$found" | cut -c1-40)
    cp "$found" "$kept"
    echo "kept the input as $kept" >&2
  done
done

echo
printf '%s\n' "${summary[@]}"
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
