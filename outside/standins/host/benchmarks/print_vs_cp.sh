#!/usr/bin/env bash
# Times `qlhost print --job print` of a large PCL XL document against cp of
# the same file (and cp followed by sync of the copy, since qlhost flushes
# its output to disk before renaming it into place), each the median of
# RUNS runs into a fresh file, and reports qlhost's peak memory. Usage:
#   outside/standins/host/benchmarks/print_vs_cp.sh BUILD [MEGABYTES] [RUNS]
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
megabytes=${2:-200}
runs=${3:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TELEQUILL_ROOT=$work/root
mkdir -p "$TELEQUILL_ROOT"
{ printf ') HP-PCL XL;2;0\r\n'; head -c $((megabytes << 20)) /dev/urandom; } > "$work/doc.pxl"
sync

# The median wall time in seconds of RUNS runs of the command; the file it
# writes ($work/out) is removed before each run.
median() {
  local times=() start end
  for ((i = 0; i < runs; i++)); do
    rm -f "$work/out"
    sync
    start=$(date +%s%N)
    "$@" > /dev/null
    end=$(date +%s%N)
    times+=($((end - start)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { printf "%.3f", t[int((NR + 1) / 2)] / 1e9 }'
}

cp_time=$(median cp "$work/doc.pxl" "$work/out")
cp_sync_time=$(median sh -c 'cp "$1" "$2" && sync "$2"' sh "$work/doc.pxl" "$work/out")
print_time=$(median "$build/bin/qlhost" print --job print --output "$work/out" "$work/doc.pxl")
rm -f "$work/out"
peak=$(/usr/bin/time -f %M "$build/bin/qlhost" print --job print --output "$work/out" "$work/doc.pxl" 2>&1 >/dev/null | tail -1)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "document: ${megabytes} MiB, median of ${runs} runs"
echo "cp:               ${cp_time} s"
echo "cp + sync:        ${cp_sync_time} s"
echo "qlhost print:     ${print_time} s ($(ratio "$print_time" "$cp_time") x cp, $(ratio "$print_time" "$cp_sync_time") x cp + sync)"
echo "qlhost peak RSS:  $((peak / 1024)) MiB"
