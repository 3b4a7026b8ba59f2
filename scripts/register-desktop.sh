#!/usr/bin/env bash
# Makes an installed program directory known to the user's desktop: copies its
# menu entry (whose Exec names the program there by its absolute path) and its
# icons into the user's data folder (${XDG_DATA_HOME:-~/.local/share}), where
# application menus look. Installs nothing system-wide; quick to run again.
# Usage: register-desktop.sh PROGRAM_DIR
set -euo pipefail
program_dir="$(cd "$1" && pwd)"
app_id="cz.pelvarin.kartoteka"
data_home="${XDG_DATA_HOME:-$HOME/.local/share}"
entry="$program_dir/share/applications/$app_id.desktop"

[ -f "$entry" ] || { echo "register-desktop: $entry is missing (cmake --install first)" >&2; exit 1; }
install -D -m 644 "$entry" "$data_home/applications/$app_id.desktop"
(cd "$program_dir/share/icons" && find hicolor -name "$app_id.*" -type f) | while read -r icon; do
  install -D -m 644 "$program_dir/share/icons/$icon" "$data_home/icons/$icon"
done

# Menus and icon themes notice the change sooner when their caches are told.
touch "$data_home/icons/hicolor"
if command -v update-desktop-database >/dev/null; then
  update-desktop-database -q "$data_home/applications" || true
fi
