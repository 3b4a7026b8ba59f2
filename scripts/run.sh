#!/usr/bin/env bash
# Installs what is missing, builds, installs the program into its program
# directory (default ~/Kartoteka; cards and settings there survive rebuilds),
# puts it into the user's application menu and starts it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
prefix="${KARTOTEKA_HOME:-$HOME/Kartoteka}"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" --target kartoteka
cmake --install "${BUILD_DIR:-$root/build}" --prefix "$prefix" >/dev/null
"$root/scripts/register-desktop.sh" "$prefix"
exec "$prefix/kartoteka"
