#!/usr/bin/env bash
# Builds the program (BUILD_DIR, default build/) and its Debian package with
# CPack, and prints the path of the .deb as its last line.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh" --package >&2
"$root/scripts/build.sh" --target kartoteka >&2
rm -rf "$build/package"
(cd "$build" && cpack --config CPackConfig.cmake -B "$build/package" >&2)
ls "$build"/package/kartoteka_*.deb
