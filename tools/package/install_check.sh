#!/usr/bin/env bash
# Installs the Debian package on this machine with apt, starts the installed
# program for two new users with fresh homes, checks that each got their own
# cards folder under ~/.local/share/kartoteka (readable by them alone) and that
# nothing new appeared under /usr, then removes and purges the package and
# checks that its files are gone and the users' cards stay.
# It changes the machine (a package, two users, both removed at the end), so
# ctest does not run it. Run as root: tools/package/install_check.sh [DEB]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
deb="${1:-$("$root/scripts/package.sh" | tail -n 1)}"
users=(kartoteka-test1 kartoteka-test2)
work=$(mktemp -d)
cleanup() {
  for user in "${users[@]}"; do userdel -r "$user" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "run as root"
dpkg-query -W kartoteka >/dev/null 2>&1 && fail "kartoteka is installed already"

echo "== apt-get install $deb"
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$(realpath "$deb")" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; fail "apt-get install"; }
[ "$(command -v kartoteka)" = /usr/bin/kartoteka ] || fail "kartoteka is not on the PATH"
dpkg -L kartoteka | sort >"$work/installed.txt"

# Everything under /usr after installing; a start must add nothing to it.
touch "$work/before-starts"
for user in "${users[@]}"; do
  useradd --create-home --shell /bin/bash "$user"
  echo "== $user starts the program"
  runuser -u "$user" -- env -i HOME="/home/$user" PATH=/usr/bin:/bin LC_ALL=C.UTF-8 \
    QT_QPA_PLATFORM=offscreen KARTOTEKA_QUIT_WHEN_SHOWN=1 timeout 60 kartoteka |
    grep -qx shown || fail "the program did not show its window for $user"
  data="/home/$user/.local/share/kartoteka"
  for folder in FILES TEMP; do
    [ -d "$data/$folder" ] || fail "$data/$folder was not created"
  done
  [ "$(stat -c '%a %U' "$data")" = "700 $user" ] || fail "$data: $(stat -c '%a %U' "$data")"
  # A card of this user's own, which removing the package must leave.
  cp "$root/tests/data/cards/InfoZip.krt" "$data/FILES/Karta $user.krt"
  chown "$user:" "$data/FILES/Karta $user.krt"
done
# Root too keeps its cards in its home, never beside the program.
echo "== root starts the program"
mkdir "$work/root-home"
env -i HOME="$work/root-home" PATH=/usr/bin:/bin LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen \
  KARTOTEKA_QUIT_WHEN_SHOWN=1 timeout 60 kartoteka | grep -qx shown ||
  fail "the program did not show its window for root"
[ -d "$work/root-home/.local/share/kartoteka/FILES" ] || fail "root's cards folder was not created"
new=$(find /usr -newer "$work/before-starts" -not -type d | head)
[ -z "$new" ] || fail "written under /usr: $new"
[ -z "$(ls -A /usr/lib/kartoteka | grep -vx -e kartoteka -e 7z.so)" ] ||
  fail "/usr/lib/kartoteka holds: $(ls -A /usr/lib/kartoteka)"

echo "== apt-get remove, dpkg --purge"
apt-get remove -y -qq kartoteka >"$work/remove.log" 2>&1 || { cat "$work/remove.log"; fail "remove"; }
# A package without configuration files is gone for good after remove; dpkg
# purges whatever might be left and accepts a package that is not installed.
dpkg --purge kartoteka >>"$work/remove.log" 2>&1 || { cat "$work/remove.log"; fail "purge"; }
dpkg-query -W kartoteka >/dev/null 2>&1 && fail "the package is still known to dpkg"
while read -r path; do
  [ -d "$path" ] && continue
  [ -e "$path" ] || [ -L "$path" ] && fail "left after purge: $path"
done <"$work/installed.txt"
[ ! -e /usr/lib/kartoteka ] || fail "/usr/lib/kartoteka is left"
for user in "${users[@]}"; do
  [ -f "/home/$user/.local/share/kartoteka/FILES/Karta $user.krt" ] || fail "$user's card is gone"
done
echo "PASS"
