#!/usr/bin/env bash
# Installs the build into a staging root as the package does (prefix /usr)
# and checks the installed layout: every deliverable where it belongs with
# the mode it needs, no test program or library, no RPATH naming the build
# folder; then runs the installed programs and checks that they load
# nothing from the build folder, and that an installed `qlhost cups install`
# adds the queue without installing any file.
#   installed_layout_test.sh BUILD SOURCE
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
# Outside the build folder, so that a path into it stands out.
work=$(mktemp -d "${TMPDIR:-/tmp}/telequill-installed.XXXXXX")
trap 'rm -rf "$work"' EXIT
stage=$work/stage
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

DESTDIR=$stage cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; exit 1; }

mode_is() {  # mode_is MODE PATH
  [ -e "$stage/$2" ] || { fail "$2 is not installed"; return; }
  local mode
  mode=$(stat -c %a "$stage/$2")
  [ "$mode" = "$1" ] || fail "$2 has mode $mode, not $1"
}
for program in qlhost qlafd qlimportn qlimportp qlautocfg; do mode_is 755 usr/bin/$program; done
for library in qlfaxuin.so qlfaxuip.so qlfaxgfxn.so qlfaxgfxp.so qlresn.so qlresp.so libtq_kernel.so libtq_user.so \
               libtq_registry.so libtq_gdi.so libtq_comdlg.so libtq_ipc.so tq_ui_headless.so kdwcif.so addreso.so \
               mapi32.so wab32.so VqrApi.so; do
  mode_is 644 usr/lib/telequill/$library
done
mode_is 700 usr/lib/cups/backend/telequill
for file in etc/xdg/autostart/telequill-agent.desktop usr/lib/systemd/user/telequill-agent.socket \
            usr/lib/systemd/user/telequill-agent.service usr/share/applications/telequill-phonebook.desktop \
            usr/share/applications/telequill-properties.desktop usr/share/man/man1/qlhost.1.gz \
            usr/share/man/man1/qlafd.1.gz usr/share/man/man1/qlimportn.1.gz usr/share/man/man1/qlautocfg.1.gz \
            usr/share/man/man8/telequill.8.gz usr/share/telequill/help/qlhelpn.html \
            usr/share/telequill/examples/scripts/fax-two-recipients.txt usr/share/doc/telequill/copyright; do
  mode_is 644 "$file"
done
# The plug-ins look for their help file beside themselves.
[ -f "$stage/usr/lib/telequill/qlhelpn.html" ] || fail "the help page is not reachable beside the plug-ins"
grep -qx 'ExecStart=/usr/bin/qlhost agent' "$stage/usr/lib/systemd/user/telequill-agent.service" ||
  fail "the agent's service does not start the installed qlhost"
grep -qx 'Exec=/usr/bin/qlhost agent' "$stage/etc/xdg/autostart/telequill-agent.desktop" ||
  fail "the agent's autostart entry does not start the installed qlhost"

# Nothing the tests alone use.
leftovers=$(cd "$stage" && find . -name 'tq_user_sample*' -o -name 'tq_user_test_resources*' -o -name 'VqrApiNo*' \
  -o -name '*_tests' -o -name '*_fuzz' -o -name '*_benchmark*' -o -name 'ipc_window_peer' -o -name 'import_launcher' \
  -o -name 'tqtestmod*' -o -name '*.a' -o -path '*fake-plugins*')
[ -z "$leftovers" ] || fail "test files are installed: $leftovers"

# Every file the build puts in bin is installed, unless only tests use it.
installed_names=$(find "$stage" -type f -printf '%f\n' -o -type l -printf '%f\n' | sort -u)
for file in "$build"/bin/*; do
  name=$(basename "$file")
  grep -qxF "$name" <<<"$installed_names" && continue
  grep -qxF "$name" "$build/packaging/test-only-files.txt" && continue
  fail "$name is built into bin but neither installed nor marked as used only by tests"
done

# No RPATH or RUNPATH names the build folder; each is relative to its file.
while IFS= read -r -d '' file; do
  head -c 4 "$file" | grep -q $'\x7fELF' || continue
  paths=$(readelf -d "$file" | sed -n 's/.*R\(UN\)\{0,1\}PATH).*\[\(.*\)\]/\2/p')
  case "$paths" in
    *"$build"* | *"$source"*) fail "${file#"$stage"} has the search path $paths" ;;
    '' | '$ORIGIN'*) ;;
    *) fail "${file#"$stage"} has a search path not relative to itself: $paths" ;;
  esac
done < <(find "$stage" -type f -print0)

# The installed programs load nothing from the build or source folders.
unset TELEQUILL_PLUGIN_DIR TELEQUILL_UI TELEQUILL_SCRIPT TELEQUILL_CHILD_UI TELEQUILL_TRANSCRIPT
export TELEQUILL_ROOT=$work/root
mkdir -p "$TELEQUILL_ROOT"
bin=$stage/usr/bin
LD_DEBUG=files LD_DEBUG_OUTPUT=$work/loads "$bin/qlhost" print --model n --job fax \
  --ui "script:$source/examples/scripts/fax-two-recipients.txt" \
  --output "$work/fax.prn" "$source/examples/documents/lettre.pxl" >"$work/print.log" 2>&1 ||
  { cat "$work/print.log" >&2; fail "the installed qlhost could not print the fax job"; }
grep -q '@PJL TELQUL FAXNUM' "$work/fax.prn" 2>/dev/null || fail "the installed fax job has no fax lines"
if grep -h 'file=' "$work"/loads.* | grep -e "$build" -e "$source"; then
  fail "the installed qlhost loaded files of the build"
fi
grep -qh "file=$stage/usr/lib/telequill/qlfaxuin.so" "$work"/loads.* || fail "the installed plug-in was not loaded"
"$bin/qlafd" new "$work/new.afd" && "$bin/qlafd" check "$work/new.afd" >/dev/null || fail "the installed qlafd fails"

# Installed, `qlhost cups install` only adds the queue: a stand-in lpadmin
# takes its arguments, and no file of the staging root changes.
mkdir -p "$work/path"
cat >"$work/path/lpadmin" <<'SCRIPT'
#!/bin/sh
echo "$@" >>"$LPADMIN_LOG"
SCRIPT
chmod 755 "$work/path/lpadmin"
before=$(cd "$stage" && find . -printf '%p %m %s %T@\n' | sort)
PATH=$work/path:$PATH LPADMIN_LOG=$work/lpadmin.log TELEQUILL_INSTALL_ROOT=$stage \
  "$bin/qlhost" cups install --device socket://127.0.0.1:9100 || fail "the installed qlhost cups install failed"
grep -q -- '-p Telequill-Fax -E -v telequill:/socket://127.0.0.1:9100?model=n' "$work/lpadmin.log" ||
  fail "cups install did not add the queue: $(cat "$work/lpadmin.log")"
PATH=$work/path:$PATH LPADMIN_LOG=$work/lpadmin.log TELEQUILL_INSTALL_ROOT=$stage \
  "$bin/qlhost" cups remove || fail "the installed qlhost cups remove failed"
grep -q -- '-x Telequill-Fax' "$work/lpadmin.log" || fail "cups remove did not take the queue away"
after=$(cd "$stage" && find . -printf '%p %m %s %T@\n' | sort)
[ "$before" = "$after" ] || fail "cups install or remove changed the package's files: $(diff <(echo "$before") <(echo "$after"))"
# Without the package's backend there is nothing to add the queue with.
rm "$stage/usr/lib/cups/backend/telequill"
if PATH=$work/path:$PATH LPADMIN_LOG=$work/lpadmin.log TELEQUILL_INSTALL_ROOT=$stage \
  "$bin/qlhost" cups install 2>"$work/missing.log"; then
  fail "cups install succeeded without the backend"
fi
grep -q 'backend is not installed' "$work/missing.log" || fail "no clear message without the backend: $(cat "$work/missing.log")"

[ "$failures" -eq 0 ] || exit 1
echo "installed layout: ok"
