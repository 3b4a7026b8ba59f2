#!/usr/bin/env bash
# Installs the Debian 12 packages the program, its build and its tests need,
# skipping what is already there.
set -euo pipefail

packages=(
  g++ cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins qt6-gtk-platformtheme qt6-translations-l10n
  adwaita-icon-theme fonts-dejavu-core
  p7zip-full libjpeg62-turbo-dev
  cups printer-driver-cups-pdf poppler-utils
  xvfb xauth x11-utils xdotool imagemagick
  zip unzip python3 strace
)

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
