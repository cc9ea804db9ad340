#!/usr/bin/env bash
# Writes a PNG of every page of both policy sheets and of the policy
# editor's dialogs, without a desktop (Qt's offscreen platform).
# Usage: scripts/screenshots-policies.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-shots/policies}
cmake --build "$build" --target webloom-policy-shots
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/runtime"
XDG_CONFIG_HOME="$scratch" XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen \
  "$build/src/gui/webloom-policy-shots" "$out" 2> >(grep -v propagateSizeHints >&2)
