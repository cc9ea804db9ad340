#!/usr/bin/env bash
# Builds Webloom twice (normal, and with AddressSanitizer + UndefinedBehaviorSanitizer)
# and runs every test in both builds, the desktop program's included (a missing Qt 6
# is an error here). Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --gui
jobs=$(nproc)
for kind in normal sanitize; do
  dir=build-test-$kind
  san=OFF; [ $kind = sanitize ] && san=ON
  echo "=== $kind build ($dir)"
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DWEBLOOM_WERROR=ON -DWEBLOOM_SANITIZE=$san -DWEBLOOM_GUI=ON
  cmake --build "$dir" -j "$jobs"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 300
done
echo "=== all tests passed in both builds"
