#!/usr/bin/env bash
# The demo: loads model N's two plug-ins into the host stand-in, in a fresh
# Windows directory, shows the job settings the host keeps, then prints a
# sample job to a file and shows the PJL header around it.
set -euo pipefail
build=${1:-build}
bin="$(cd "$build/bin" && pwd)"
TELEQUILL_ROOT=$(mktemp -d "${TMPDIR:-/tmp}/telequill-demo.XXXXXX")
export TELEQUILL_ROOT
unset TELEQUILL_PLUGIN_DIR   # the plug-ins beside qlhost
echo "Windows directory: $TELEQUILL_ROOT"
echo
echo "== Job settings of model N, as the host keeps them"
"$bin/qlhost" settings --model n show

echo
echo "== A sample print job (held for proof) to $TELEQUILL_ROOT/sample.prn"
document="$TELEQUILL_ROOT/sample.pxl"
printf ') HP-PCL XL;2;0\r\n' > "$document"
"$bin/qlhost" settings --model n set secure-user=demo
"$bin/qlhost" print --model n --job sample --doc-name "Demo page" \
  --output "$TELEQUILL_ROOT/sample.prn" "$document"
echo "PJL header (ESC shown as <ESC>, line ends dropped):"
sed -n '1,/@PJL ENTER LANGUAGE/p' "$TELEQUILL_ROOT/sample.prn" | sed 's/\x1b/<ESC>/g; s/\r$//' | sed 's/^/  /'
