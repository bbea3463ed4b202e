#!/usr/bin/env bash
# Fuzzes every target of a TELEQUILL_FUZZ build (the list CMake wrote to
# <build>/fuzz/targets.txt) for the given number of seconds each, on a copy
# of its seed corpus so that the source folder is left alone, and prints one
# line per target: executions, corpus size at the end, result. An input that
# crashes a target, trips a sanitizer or runs longer than 10 s is kept as
# <build>/fuzz/findings/<target>-crash-..., and the run fails.
#   scripts/run-fuzz.sh BUILD [SECONDS [TARGET...]]   (default 20 s, every target)
set -uo pipefail
build=${1:-build-sanitize}
seconds=${2:-20}
only=("${@:3}")
list=$build/fuzz/targets.txt
if [ ! -s "$list" ]; then
  echo "no fuzz targets in $build" >&2
  exit 1
fi
work=$build/fuzz/work
findings=$build/fuzz/findings
mkdir -p "$work" "$findings"
status=0
printf '%-34s %12s %8s  %s\n' target executions corpus result
while IFS=$'\t' read -r program corpus dict; do
  [ -n "$program" ] || continue
  name=$(basename "$program")
  if [ ${#only[@]} -gt 0 ] && [[ " ${only[*]} " != *" $name "* ]]; then
    continue
  fi
  help=$("$program" -help=1 2>&1)
  if [[ $help != *libFuzzer* ]]; then
    echo "$name is not a libFuzzer program: configure $build with TELEQUILL_FUZZ=ON" >&2
    exit 1
  fi
  copy=$work/$name
  rm -rf "$copy"
  mkdir -p "$copy"
  cp "$corpus"/* "$copy"/ 2>/dev/null
  log=$build/fuzz/$name.log
  flags=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix="$findings/$name-")
  [ -n "$dict" ] && flags+=(-dict="$dict")
  # The bound holds even when a target hangs before libFuzzer's own clock.
  timeout --kill-after=10 $((seconds + 120)) "$program" "${flags[@]}" "$copy" >"$log" 2>&1
  code=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  size=$(find "$copy" -type f | wc -l)
  if [ "$code" -eq 0 ]; then
    result=ok
  else
    result="FAILED (exit $code, see $log)"
    status=1
  fi
  printf '%-34s %12s %8s  %s\n' "$name" "${runs:-?}" "$size" "$result"
done <"$list"
exit $status
