#!/usr/bin/env bash
# Pictures of the desktop program for review: builds webloom, converts the
# sample guide through its main window on Qt's offscreen platform (no X
# server) and saves out/screenshots/main-window.png and status-window.png.
# Usage: scripts/screenshots.sh [directory]   (default out/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --gui
shots=$(realpath -m "${1:-out/screenshots}")
cmake -S . -B build -G Ninja -DWEBLOOM_GUI=ON >/dev/null
cmake --build build -j "$(nproc)" --target webloom
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config" "$work/runtime" "$shots"
chmod 700 "$work/runtime"
cp samples/guide.txt "$work/guide.txt"
XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen \
  build/src/gui/webloom --screenshot "$shots" "$work/guide.txt" 2>/dev/null
ls "$shots"/*.png
