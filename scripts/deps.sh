#!/usr/bin/env bash
# Installs the Debian 12 packages the engine, the console program and the tests need;
# --gui adds Qt 6 for the desktop program (its tests run on the offscreen platform, no X).
# Usage: scripts/deps.sh [--gui | --fuzz | --bench | --validate]   (root or sudo; does nothing when all are present)
set -euo pipefail
pkgs=(g++ cmake ninja-build libgtest-dev libgmock-dev)
case "${1:-}" in
  --gui) pkgs+=(qt6-base-dev) ;;
  --fuzz) pkgs+=(clang libclang-rt-14-dev) ;;
  --bench) pkgs+=(time python3) ;;
  --validate) pkgs+=(opensp sgml-data) ;;
esac
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
