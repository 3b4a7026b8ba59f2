#!/usr/bin/env bash
# Runs the real program on a virtual X server with its own D-Bus session and
# accessibility bus, and reads its windows as a screen reader does
# (accessible_names.py): every control a user acts on must have a name.
# Usage: accessibility_xvfb.sh EXECUTABLE LIBRARY
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
program=$(mktemp -d)
source "$here/xvfb.sh"
cleanup() {
  stop_xvfb
  rm -rf "$program"
}
trap cleanup EXIT
start_xvfb "$program"
cp "$1" "$program/kartoteka"
cp "$2" "$program/7z.so"
touch "$program/.portable"
dbus-run-session -- /usr/bin/python3 "$here/accessible_names.py" "$program"
