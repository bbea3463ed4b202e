#!/usr/bin/env bash
# Fails when code outside the tests goes around one of the project's shared
# helpers: the environment is read through win/environment.h alone, and a
# dialog's state is kept through win/dialog_state.h, never by casting the
# DWLP_USER slot. Usage: shared_helpers_check.sh SOURCE_FOLDER
set -uo pipefail
root=${1:?usage: shared_helpers_check.sh SOURCE_FOLDER}
cd "$root" || exit 2

# Source files of the shipped code: not tests, test support, fuzz targets,
# benchmarks or build folders.
sources() {
  find . \( -path './build*' -o -path './.git' -o -path './testing' -o -name tests -o -name fuzz \
            -o -name benchmarks \) -prune -o \( -name '*.cpp' -o -name '*.h' \) -print
}

status=0
report() {
  echo "$1:"
  echo "$2" | sed 's/^/  /'
  status=1
}

found=$(sources | grep -v '^./platform/kernel/src/environment.cpp$' | xargs grep -n 'getenv *(' /dev/null)
[ -z "$found" ] || report "the environment is read outside win/environment.h (use EnvironmentValue)" "$found"

found=$(sources | grep -v '^./platform/user/' | xargs grep -n 'DWLP_USER' /dev/null)
[ -z "$found" ] || report "a dialog keeps its state in DWLP_USER (use win/dialog_state.h)" "$found"

exit $status
