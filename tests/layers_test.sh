#!/usr/bin/env bash
# Fails when a source folder includes a folder above it. The folders depend
# one way, from the system up to the program entry:
#   platform <- dib <- store <- core <- clipwatch, scrapbook <- app
set -euo pipefail
cd "$(dirname "$0")/.."

allowed() {
  case "$1" in
    platform) echo "platform" ;;
    dib) echo "platform dib" ;;
    store) echo "platform dib store" ;;
    core) echo "platform dib store core" ;;
    clipwatch) echo "platform clipwatch" ;;
    scrapbook) echo "platform dib store core scrapbook" ;;
    app) echo "platform dib store core clipwatch scrapbook app" ;;
  esac
}

status=0
for folder in platform dib store core clipwatch scrapbook app; do
  while IFS=: read -r file line include; do
    target=${include#*\"}
    target=${target%%/*}
    if ! [[ " $(allowed "$folder") " == *" $target "* ]]; then
      echo "$file:$line: $folder must not include $target"
      status=1
    fi
  done < <(grep -n '^#include "' "$folder"/*.h "$folder"/*.cpp 2>/dev/null | sed 's/:#include /:/' || true)
done
exit $status
