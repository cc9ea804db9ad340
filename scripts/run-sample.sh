#!/usr/bin/env bash
# Builds the console converter and converts the bundled sample document.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DWEBLOOM_TESTS=OFF >/dev/null
cmake --build build -j "$(nproc)" --target webloomcon
mkdir -p out
cp samples/guide.txt out/guide.txt
(cd out && ../build/src/driver/webloomcon guide.txt)
echo "HTML written to $(pwd)/out/guide.html"
