#!/usr/bin/env bash
# Installs the program into a program directory whose name needs quoting in a
# desktop entry, checks the menu entry, icons and AppStream metainfo there with
# the desktop's own validators, then registers the program directory for a
# fresh user as scripts/run.sh does and checks what the user's menu gets.
# Usage: desktop_files.sh BUILD_DIR SOURCE_DIR PROJECT_VERSION
set -euo pipefail
build=$1
source=$2
version=$3
app_id="cz.pelvarin.kartoteka"
sizes=(16 22 24 32 48 64 128 256)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix="$work/Moje Kartotéka"
cmake --install "$build" --prefix "$prefix" >/dev/null
entry="$prefix/share/applications/$app_id.desktop"
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
for file in kartoteka 7z.so .portable "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" \
  "share/icons/hicolor/scalable/apps/$app_id.svg"; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done

# Prints the value of KEY in the entry FILE.
key() { sed -n "s/^$2=//p" "$1"; }

# 1. The installed files pass the validators and say what the menu shows.
desktop-file-validate "$entry" || fail "desktop-file-validate: $entry"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate: $metainfo"
appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli validate-tree: $prefix"
[ "$(key "$entry" Name)" = "Pelvarin Kartotéka" ] || fail "Name: $(key "$entry" Name)"
[ "$(key "$entry" GenericName)" = "Kartotéka" ] || fail "GenericName: $(key "$entry" GenericName)"
[ -n "$(key "$entry" Comment)" ] || fail "no Comment"
[ "$(key "$entry" Categories)" = "Office;" ] || fail "Categories: $(key "$entry" Categories)"
[ "$(key "$entry" Icon)" = "$app_id" ] || fail "Icon: $(key "$entry" Icon)"
[ "$(key "$entry" StartupWMClass)" = "kartoteka" ] || fail "StartupWMClass: $(key "$entry" StartupWMClass)"
# The blank in the program directory's name makes the desktop entry quote it.
[ "$(key "$entry" Exec)" = "\"$prefix/kartoteka\"" ] || fail "Exec: $(key "$entry" Exec)"
[ -x "$(key "$entry" TryExec)" ] || fail "TryExec: $(key "$entry" TryExec)"
grep -q "<id>$app_id</id>" "$metainfo" || fail "metainfo id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "metainfo launchable"
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo names no release $version"
for size in "${sizes[@]}"; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] ||
    fail "icon $icon is not ${size}x${size}"
done

# 2. Registered for a fresh user: the entry and icons land in the user's data
# folder, the entry still naming the program in the program directory.
home="$work/home"
mkdir "$home"
HOME="$home" XDG_DATA_HOME="" "$source/scripts/register-desktop.sh" "$prefix"
user_data="$home/.local/share"
cmp -s "$entry" "$user_data/applications/$app_id.desktop" || fail "the user's entry differs"
desktop-file-validate "$user_data/applications/$app_id.desktop" || fail "the user's entry is invalid"
for size in "${sizes[@]}"; do
  cmp -s "$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png" \
    "$user_data/icons/hicolor/${size}x${size}/apps/$app_id.png" || fail "the user's ${size}px icon"
done
[ -f "$user_data/icons/hicolor/scalable/apps/$app_id.svg" ] || fail "the user's scalable icon"
echo "PASS"
