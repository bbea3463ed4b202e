#!/usr/bin/env bash
# Runs every benchmark program of the build folder given as the first
# argument (the list CMake wrote to <build>/benchmarks/programs.txt) and
# prints one table of their figures: each a ratio to its baseline measured
# in the same run, with its target. Each program's own output is kept in
# <build>/benchmarks/<program>.log. Google Benchmark flags can be given in
# BENCH_FLAGS (for example --benchmark_repetitions=5 for medians of five).
# Exit status 1 when a program failed or a figure could not be measured;
# a target that is missed is shown in the table but does not fail the run.
set -uo pipefail
build=${1:-build}
list=$build/benchmarks/programs.txt
if [ ! -s "$list" ]; then
  echo "no benchmarks in $build (configured with TELEQUILL_BENCHMARKS=OFF?)" >&2
  exit 1
fi
rows=$(mktemp)
trap 'rm -f "$rows"' EXIT
status=0
while IFS= read -r program; do
  [ -n "$program" ] || continue
  name=$(basename "$program")
  log=$build/benchmarks/$name.log
  echo "running $name (output in $log)" >&2
  # shellcheck disable=SC2086 # BENCH_FLAGS holds several flags
  if ! TELEQUILL_BENCH_TABLE=$rows "$program" ${BENCH_FLAGS:-} >"$log" 2>&1; then
    echo "$name failed; see $log" >&2
    status=1
  fi
done <"$list"

awk -F'\t' '
  BEGIN { split("Benchmark|Figure|Against|Value|Target|Met", head, "|") }
  { for (i = 1; i <= 6; i++) { cell[NR, i] = $i; if (length($i) > width[i]) width[i] = length($i) } }
  END {
    for (i = 1; i <= 6; i++) if (length(head[i]) > width[i]) width[i] = length(head[i])
    line(head, 0)
    for (i = 1; i <= 6; i++) rule[i] = sprintf("%" width[i] "s", "")
    for (i = 1; i <= 6; i++) gsub(/ /, "-", rule[i])
    line(rule, 0)
    for (r = 1; r <= NR; r++) { for (i = 1; i <= 6; i++) row[i] = cell[r, i]; line(row, 1) }
  }
  function line(c, numbers,   i, out) {
    out = "|"
    for (i = 1; i <= 6; i++) {
      if (numbers && (i == 4 || i == 5)) out = out sprintf(" %" width[i] "s |", c[i])
      else out = out sprintf(" %-" width[i] "s |", c[i])
    }
    print out
  }
' "$rows"
exit $status
