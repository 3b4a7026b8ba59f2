#!/usr/bin/env bash
# Makes the Debian package from the build tree with CPack, runs lintian on it
# (any error fails) and checks what it holds: the program under /usr with the
# links to it and to Debian's 7z.so, the desktop files, the copyright file,
# its dependencies, and no marker that would make /usr a portable program
# directory.
# Usage: package_check.sh BUILD_DIR
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack --config CPackConfig.cmake -B "$out" >"$out/cpack.log" 2>&1) ||
  { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/kartoteka_*.deb)

echo "== lintian"
lintian --fail-on error --tag-display-limit 0 "$deb" | tee "$out/lintian.txt" ||
  fail "lintian reports errors"
grep -q '^E:' "$out/lintian.txt" && fail "lintian reports errors"

echo "== files"
dpkg-deb -c "$deb" | awk '{ print $1, $6, $7, $8 }' | sed 's/ *$//' | tee "$out/files.txt"
has() { grep -qE "$1" "$out/files.txt" || fail "the package lacks: $1"; }
has '^-rwxr-xr-x \./usr/lib/kartoteka/kartoteka$'
has '^lrwxrwxrwx \./usr/lib/kartoteka/7z\.so -> \.\./p7zip/7z\.so$'
has '^lrwxrwxrwx \./usr/bin/kartoteka -> \.\./lib/kartoteka/kartoteka$'
has '^-rw-r--r-- \./usr/share/applications/cz\.pelvarin\.kartoteka\.desktop$'
has '^-rw-r--r-- \./usr/share/metainfo/cz\.pelvarin\.kartoteka\.metainfo\.xml$'
has '^-rw-r--r-- \./usr/share/icons/hicolor/scalable/apps/cz\.pelvarin\.kartoteka\.svg$'
has '^-rw-r--r-- \./usr/share/icons/hicolor/256x256/apps/cz\.pelvarin\.kartoteka\.png$'
has '^-rw-r--r-- \./usr/share/doc/kartoteka/copyright$'
has '^-rw-r--r-- \./usr/share/doc/kartoteka/changelog\.Debian\.gz$'
has '^-rw-r--r-- \./usr/share/man/man1/kartoteka\.1\.gz$'
awk '{ print $2 }' "$out/files.txt" | grep -vE '^\./(usr(/.*)?)?$' && fail "files outside /usr"
grep -q 'portable' "$out/files.txt" && fail "the package holds the portable marker"

echo "== control"
dpkg-deb -f "$deb" Depends | tee "$out/depends.txt"
for dependency in p7zip-full libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo libc6; do
  grep -qE "(^|, )$dependency( |,|$)" "$out/depends.txt" || fail "no dependency on $dependency"
done

dpkg-deb -x "$deb" "$out/root"
entry="$out/root/usr/share/applications/cz.pelvarin.kartoteka.desktop"
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
grep -qx 'Exec=kartoteka' "$entry" || fail "Exec: $(grep '^Exec=' "$entry")"
file "$out/root/usr/lib/kartoteka/kartoteka" | grep -q 'stripped' || fail "not an ELF executable"
file "$out/root/usr/lib/kartoteka/kartoteka" | grep -q 'not stripped' && fail "not stripped"
echo "PASS"
