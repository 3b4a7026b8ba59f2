#!/usr/bin/env bash
# Starts the real program under a virtual X server, as a new user would: waits
# for its window, checks its window class and icon, closes it with F10
# ("Konec") and checks the exit code, the directories and the layout files.
# Then starts it without 7z.so: it must say why, end with exit code 0 and
# create nothing.
# Usage: smoke_xvfb.sh EXECUTABLE LIBRARY
set -euo pipefail
executable=$1
library=$2
title="Pelvarin Kartotéka"
program=$(mktemp -d)
source "$(dirname "$0")/xvfb.sh"
cleanup() {
  stop_xvfb
  rm -rf "$program"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

start_xvfb "$program" || exit 1
cp "$executable" "$program/kartoteka"
# A program directory of its own, as `cmake --install` makes it.
touch "$program/.portable"

# Prints the id of a visible window named exactly $1, waiting up to 10 s.
wait_for_window() {
  local id=""
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Sends key $2 to window $1 (there is no window manager to give it the focus).
press() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  xdotool key --clearmodifiers "$2"
}

# Presses key $3 on window $2 until process $1 has ended (a key sent while the
# window is still settling can be lost), then sets code to its exit code.
press_until_ended() {
  for _ in $(seq 10); do
    press "$2" "$3" || true
    for _ in $(seq 20); do
      kill -0 "$1" 2>/dev/null || break 2
      sleep 0.1
    done
  done
  code=0
  wait "$1" || code=$?
}

# 1. A normal start and exit.
cp "$library" "$program/7z.so"
"$program/kartoteka" &
pid=$!
window=$(wait_for_window "$title") || { kill "$pid"; fail "the main window did not appear"; }
[ "$(xdotool getwindowname "$window")" = "$title" ] || fail "window title is '$(xdotool getwindowname "$window")'"
# The window class is ASCII (window managers read it as Latin-1) and matches
# the menu entry's StartupWMClass; the window carries the program's icon.
wm_class=$(xprop -id "$window" WM_CLASS)
[ "$wm_class" = 'WM_CLASS(STRING) = "kartoteka", "kartoteka"' ] || fail "$wm_class"
icon=$(xprop -id "$window" _NET_WM_ICON)
[[ $icon == "_NET_WM_ICON(CARDINAL) = "* ]] || fail "the window has no icon: ${icon:0:80}"
[ -d "$program/FILES" ] && [ -d "$program/TEMP" ] || fail "FILES and TEMP were not created"
press_until_ended "$pid" "$window" F10
[ "$code" -eq 0 ] || fail "exit code $code after F10"
[ "$(od -An -c "$program/colw.ini" | tr -d ' \n')" = '167\r\n387\r\n' ] || fail "colw.ini: $(od -c "$program/colw.ini")"
[ "$(tr -d '\r' < "$program/cbar.ini" | paste -sd,)" = "11,563,728,629,395,182" ] || fail "cbar.ini: $(cat "$program/cbar.ini")"
[ "$(sed -n 3p "$program/winpos.ini" | tr -d '\r')" = "0" ] || fail "winpos.ini: $(cat "$program/winpos.ini")"

# 2. Without the archive library: only the message, then exit code 0.
rm -rf "$program/FILES" "$program/TEMP" "$program/7z.so" "$program"/*.ini
"$program/kartoteka" &
pid=$!
box=$(wait_for_window "$title") || { kill "$pid"; fail "the refusal message did not appear"; }
press_until_ended "$pid" "$box" Return
[ "$code" -eq 0 ] || fail "exit code $code after the refusal"
[ ! -e "$program/FILES" ] && [ ! -e "$program/TEMP" ] || fail "directories were created without 7z.so"
echo "PASS"
