#!/usr/bin/env bash
# Runs every test of the build folder given as the first argument.
set -euo pipefail
build=${1:-build}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 300
