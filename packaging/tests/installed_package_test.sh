#!/usr/bin/env bash
# The Debian package on this machine, as root (CI): lintian and
# desktop-file-validate on it, its contents, then `dpkg -i`; the installed
# qlhost prints the demo's fax job with the build folder hidden; an ordinary
# user whose agent runs as the installed user unit starts it prints a PDF
# with `lp` to the fax queue, and the job reaches a loopback device with its
# fax lines; last the package is purged and its files are gone.
#   installed_package_test.sh BUILD
set -euo pipefail
[ "$(id -u)" -eq 0 ] || { echo "installed_package_test.sh: run as root" >&2; exit 1; }
build=$(cd "${1:-build}" && pwd)
source=$(cd "$(dirname "$0")/../.." && pwd)
shopt -s nullglob
debs=("$build"/telequill_*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "no single package in $build (make package)" >&2; exit 1; }
deb=${debs[0]}
work=$(mktemp -d /tmp/telequill-package.XXXXXX)
chmod 755 "$work"
pids=()
hidden=""
installed=""
# Whatever happens, the machine is left as it was: the package purged, the
# programs started here stopped, the build folder back in its place.
cleanup() {
  [ -z "$installed" ] || dpkg --purge telequill >/dev/null 2>&1 || true
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  [ -z "$hidden" ] || mv "$hidden" "$build"
  rm -rf "$work"
}
trap cleanup EXIT
step() { echo "== $*" >&2; }
wait_for() {  # wait_for SECONDS DESCRIPTION COMMAND...
  local seconds=$1 what=$2
  shift 2
  for _ in $(seq $((seconds * 5))); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  echo "timed out waiting for $what" >&2
  return 1
}

step "lintian (errors fail)"
lintian --fail-on error --tag-display-limit 0 "$deb"

step "contents"
dpkg-deb -c "$deb" >"$work/contents"
for path in ./usr/bin/qlhost ./usr/bin/qlafd ./usr/bin/qlimportn ./usr/bin/qlautocfg ./usr/lib/cups/backend/telequill \
            ./usr/lib/telequill/qlfaxuin.so ./usr/lib/telequill/libtq_kernel.so ./usr/share/telequill/help/qlhelpn.html \
            ./usr/share/man/man1/qlhost.1.gz ./usr/share/man/man8/telequill.8.gz \
            ./usr/share/applications/telequill-phonebook.desktop ./etc/xdg/autostart/telequill-agent.desktop \
            ./usr/lib/systemd/user/telequill-agent.service ./usr/lib/systemd/user/telequill-agent.socket; do
  grep -q " $path\( \|$\)" "$work/contents" || { echo "the package lacks $path" >&2; exit 1; }
done
if grep -E 'tq_user_sample|tq_user_test_resources|VqrApiNo|_tests$|_fuzz$' "$work/contents"; then
  echo "the package holds test files" >&2
  exit 1
fi
dpkg-deb -x "$deb" "$work/extracted"
desktop-file-validate "$work"/extracted/usr/share/applications/*.desktop
while IFS= read -r -d '' file; do
  head -c 4 "$file" | grep -q $'\x7fELF' || continue
  if readelf -d "$file" | grep -E 'R(UN)?PATH' | grep -v '\[\$ORIGIN'; then
    echo "${file#"$work/extracted"} has a search path not relative to itself" >&2
    exit 1
  fi
done < <(find "$work/extracted" -type f -print0)
man -l "$work/extracted/usr/share/man/man1/qlhost.1.gz" 2>/dev/null | grep -q 'qlhost' ||
  { echo "man cannot show qlhost(1)" >&2; exit 1; }

step "dpkg -i"
installed=1
dpkg -i "$deb"
[ -z "$(lpstat -v 2>/dev/null | grep Telequill-Fax)" ] || { echo "installing the package added a queue" >&2; exit 1; }

step "the installed qlhost with the build folder hidden"
hidden="$build.hidden-$$"
mv "$build" "$hidden"
export TELEQUILL_ROOT=$work/root
mkdir -p "$TELEQUILL_ROOT"
unset TELEQUILL_PLUGIN_DIR TELEQUILL_UI TELEQUILL_SCRIPT
examples=/usr/share/telequill/examples
/usr/bin/qlhost print --model n --job fax --doc-name Lettre --ui "script:$examples/scripts/fax-two-recipients.txt" \
  --output "$work/fax.prn" "$examples/documents/lettre.pxl"
grep -a '@PJL TELQUL' "$work/fax.prn" | head -3

step "the fax queue through CUPS, as an ordinary user"
scheduler_runs() { lpstat -r 2>/dev/null | grep -q 'is running'; }
if ! scheduler_runs; then
  /usr/sbin/cupsd -f &
  pids+=($!)
  wait_for 30 "cupsd" scheduler_runs
fi
port=19100
device_out=$work/device.prn
timeout 300 socat -u "TCP-LISTEN:$port,bind=127.0.0.1,reuseaddr" "OPEN:$device_out,creat,append" &
pids+=($!)
/usr/bin/qlhost cups install --device "socket://127.0.0.1:$port"

user=tqfaxci
id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$user"
uid=$(id -u "$user")
runtime=/run/user/$uid
mkdir -p "$runtime"
chown "$user:" "$runtime"
chmod 700 "$runtime"
printf 'dialog 101\ntype 1001 Dupont\ntype 1004 0145678900\nclick 1006\nclick 1\ndialog 108\nclick 801\n' >"$work/answer.txt"
chmod 644 "$work/answer.txt"
# The agent as the installed user unit starts it: its ExecStart line in the
# user's session, with the session's runtime folder.
exec_start=$(sed -n 's/^ExecStart=//p' /usr/lib/systemd/user/telequill-agent.service)
runuser -u "$user" -- env -i HOME="/home/$user" USER="$user" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$runtime" \
  TELEQUILL_UI="script:$work/answer.txt" $exec_start &
pids+=($!)
wait_for 30 "the agent's socket" test -S "$runtime/telequill/agent.sock"
printf '%%!PS\n/Helvetica findfont 24 scalefont setfont\n72 700 moveto (Lettre) show showpage\n' >"$work/doc.ps"
gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite -sOutputFile="$work/doc.pdf" "$work/doc.ps"
chmod 644 "$work/doc.pdf"
runuser -u "$user" -- lp -d Telequill-Fax -t Lettre "$work/doc.pdf"
if ! wait_for 180 "the device's job" grep -aq '@PJL TELQUL FAXNUM' "$device_out"; then
  lpstat -l -o >&2 || true
  tail -n 30 /var/log/cups/error_log >&2 || true
  exit 1
fi
grep -aq '0145678900' "$device_out" || { echo "the job lacks the fax number" >&2; exit 1; }
grep -a '@PJL TELQUL' "$device_out" | head -3

step "purge"
dpkg --purge telequill
installed=""
if lpstat -v 2>/dev/null | grep Telequill-Fax; then
  echo "the queue is left after the purge" >&2
  exit 1
fi
for path in /usr/lib/cups/backend/telequill /usr/lib/systemd/user/telequill-agent.service \
            /etc/xdg/autostart/telequill-agent.desktop /usr/bin/qlhost /usr/lib/telequill; do
  [ ! -e "$path" ] || { echo "$path is left after the purge" >&2; exit 1; }
done
echo "installed package: ok"
