#!/usr/bin/env bash
# Installs the Debian 12 packages that building and running the program need,
# skipping what is already there. With --tests, also those only the test suite
# needs: a real printer (CUPS and its PDF printer), an X server to drive the
# real program, image and PDF tools, Zip and Python for independent test cards,
# the validators of the desktop files, and a real sync engine (Syncthing) for
# the tests of a shared card folder, and an accessibility bus. With --package,
# what making and checking the Debian package needs.
# Usage: install-deps.sh [--tests|--package]
set -euo pipefail

packages=(
  g++ cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins qt6-gtk-platformtheme qt6-translations-l10n
  adwaita-icon-theme fonts-dejavu-core
  p7zip-full libjpeg62-turbo-dev
)
# What scripts/package.sh needs to make and check the Debian package.
package_packages=(dpkg-dev file fakeroot lintian)
test_packages=(
  cups printer-driver-cups-pdf poppler-utils
  xvfb xauth x11-utils xdotool imagemagick
  zip unzip python3 strace libzip-dev
  desktop-file-utils appstream
  syncthing
  dbus at-spi2-core python3-dbus
  "${package_packages[@]}"
)

case "${1:-}" in
  "") ;;
  --tests) packages+=("${test_packages[@]}") ;;
  --package) packages+=("${package_packages[@]}") ;;
  *) echo "usage: $0 [--tests|--package]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
