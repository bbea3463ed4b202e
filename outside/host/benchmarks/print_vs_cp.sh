#!/usr/bin/env bash
# Times `qlhost print --job print` of a large PCL XL document against cp of
# the same file, and reports qlhost's peak memory. Usage:
#   outside/host/benchmarks/print_vs_cp.sh BUILD [MEGABYTES]
set -euo pipefail
build=${1:?build folder}
megabytes=${2:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TELEQUILL_ROOT=$work/root
mkdir -p "$TELEQUILL_ROOT"
{ printf ') HP-PCL XL;2;0\r\n'; head -c $((megabytes << 20)) /dev/urandom; } > "$work/doc.pxl"
sync
seconds() { local start end; start=$(date +%s.%N); "$@"; end=$(date +%s.%N); echo "$end - $start" | bc; }
cp_time=$(seconds cp "$work/doc.pxl" "$work/copy.pxl")
# qlhost flushes its output to disk before renaming it; cp does not.
cp_sync_time=$(seconds sh -c 'cp "$1" "$2" && sync "$2"' sh "$work/doc.pxl" "$work/copy2.pxl")
print_time=$(seconds "$build/bin/qlhost" print --job print --output "$work/job.prn" "$work/doc.pxl")
peak=$(/usr/bin/time -f %M "$build/bin/qlhost" print --job print --output "$work/job2.prn" "$work/doc.pxl" 2>&1 >/dev/null | tail -1)
echo "document: ${megabytes} MiB"
echo "cp:               ${cp_time} s"
echo "cp + sync:        ${cp_sync_time} s"
echo "qlhost print:     ${print_time} s (ratio $(echo "scale=2; $print_time / $cp_time" | bc))"
echo "qlhost peak RSS:  $((peak / 1024)) MiB"
