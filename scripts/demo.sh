#!/usr/bin/env bash
# The demo: loads model N's two plug-ins into the host stand-in, in a fresh
# Windows directory, and shows the job settings the host keeps.
set -euo pipefail
build=${1:-build}
bin="$(cd "$build/bin" && pwd)"
export TELEQUILL_ROOT=${TELEQUILL_ROOT:-$(mktemp -d "${TMPDIR:-/tmp}/telequill-demo.XXXXXX")}
echo "Windows directory: $TELEQUILL_ROOT"
"$bin/qlhost" settings --model n show
