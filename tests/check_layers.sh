#!/usr/bin/env bash
# Fails when a source file includes a project header from a folder it may not
# use. The folders and what each may include, lowest layer first:
#   storage/                    storage/
#   core/                       storage/ core/
#   widgets/                    storage/ core/ widgets/
#   settings/ search/ print/    storage/ core/ widgets/ and their own folder
#   history/ conflict/ import/ overview/
#   mainwindow/                 everything
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
cd "$root"

allowed() {
  case "$1" in
  storage) echo "storage" ;;
  core) echo "storage core" ;;
  widgets) echo "storage core widgets" ;;
  settings | search | print | history | conflict | import | overview) echo "storage core widgets $1" ;;
  *) echo "*" ;;
  esac
}

status=0
for folder in storage core widgets settings search print history conflict import overview; do
  permitted="$(allowed "$folder")"
  while IFS=: read -r file line include; do
    target="${include#*\"}"
    target="${target%%/*}"
    if [[ " $permitted " != *" $target "* ]]; then
      echo "$file:$line: $folder/ may not include $target/ ($include)"
      status=1
    fi
  done < <(grep -rn --include='*.h' --include='*.cpp' -E '^#include "[^"]+/' "$folder" |
    sed -E 's/^([^:]+):([0-9]+):(.*)$/\1:\2:\3/')
done
[ $status -eq 0 ] && echo "layering: every include stays in its layer"
exit $status
