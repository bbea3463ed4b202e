#!/usr/bin/env bash
# The demo: loads model N's two plug-ins into the host stand-in, in a fresh
# Windows directory, shows the job settings the host keeps, then prints a
# sample job to a file and shows the PJL header around it; last, a fax job
# to two recipients with a delayed send, answered on the headless face by an
# example script, announced to the stand-in document monitor.
set -euo pipefail
build=${1:-build}
bin="$(cd "$build/bin" && pwd)"
examples="$(cd "$(dirname "$0")/../examples" && pwd)"
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

echo
echo "== A fax job to two recipients, sent at 18:30, to $TELEQUILL_ROOT/fax.prn"
echo "   (answered by $examples/scripts/fax-two-recipients.txt)"
"$bin/qlhost" monitor install
TELEQUILL_TRANSCRIPT="$TELEQUILL_ROOT/fax-transcript.txt" \
  "$bin/qlhost" print --model n --job fax --monitor on --doc-name "Lettre" \
  --ui "script:$examples/scripts/fax-two-recipients.txt" \
  --output "$TELEQUILL_ROOT/fax.prn" "$examples/documents/lettre.pxl"
echo "What the prompt showed:"
sed 's/^/  /' "$TELEQUILL_ROOT/fax-transcript.txt"
echo "PJL header (ESC shown as <ESC>, line ends dropped):"
sed -n '1,/@PJL ENTER LANGUAGE/p' "$TELEQUILL_ROOT/fax.prn" | sed 's/\x1b/<ESC>/g; s/\r$//' | sed 's/^/  /'
echo "The announcement the document monitor received:"
sed 's/^/  /' "$TELEQUILL_ROOT/monitor/announcements.jsonl"
