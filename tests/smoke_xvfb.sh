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
xvfb_pid=""
cleanup() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$program"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# An X server of our own on a display number it picks itself (-displayfd), so
# that test runs side by side never race for one number.
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$program/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$program/display" ] && break
  sleep 0.1
done
[ -s "$program/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$program/display")"
rm "$program/display"
cp "$executable" "$program/kartoteka"

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
