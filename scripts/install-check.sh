#!/usr/bin/env bash
# Installs Webloom into a temporary prefix and checks what a user gets there:
# the console converter runs and converts a document, and the user manual,
# the manual page and (with the desktop program) the desktop file lie where a
# Debian system looks for them.
#
# Usage: scripts/install-check.sh [BUILD_DIR]
#   BUILD_DIR  a configured build to install from (default: build-test-normal,
#              the normal build of scripts/test.sh, when it exists, else
#              build); configured here when it is not yet
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-}
if [ -z "$build" ]; then
  build=$root/build
  [ -d "$root/build-test-normal" ] && build=$root/build-test-normal
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
  "$root/scripts/deps.sh"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j "$(nproc)"

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
status=0
fail() { echo "FAIL: $*" >&2; status=1; }
installed() { [ -s "$prefix/$1" ] || fail "$1 is not installed"; }

installed bin/webloomcon
installed share/doc/webloom/manual.html
installed share/man/man1/webloomcon.1
if [ -x "$build/src/gui/webloom" ]; then
  installed bin/webloom
  installed share/applications/webloom.desktop
  grep -q '^Exec=webloom %F$' "$prefix/share/applications/webloom.desktop" 2>/dev/null ||
    fail "the desktop file does not start webloom with the files dropped on it"
fi

# The installed converter on the bundled sample, away from the build tree.
work=$prefix/work
mkdir -p "$work"
cp "$root/samples/guide.txt" "$work/"
(cd "$work" && "$prefix/bin/webloomcon" guide.txt >log 2>&1) || fail "webloomcon guide.txt: $(tail -3 "$work/log")"
grep -q '<H2>' "$work/guide.html" 2>/dev/null || fail "the installed webloomcon wrote no page with headings"
"$prefix/bin/webloomcon" --help | grep -q -- '--policy-file' || fail "webloomcon --help"

# The manual came out whole: every chapter of its contents list has its
# anchor, and the last chapter reached the page.
manual=$prefix/share/doc/webloom/manual.html
chapters=$(grep -c '^  [0-9]\. ' "$root/docs/manual.txt")
for n in $(seq 1 "$chapters"); do
  grep -q "NAME=\"Section_$n\"" "$manual" 2>/dev/null || fail "the manual has no chapter $n"
done
grep -q '</HTML>' "$manual" 2>/dev/null || fail "the manual page is not complete"

if command -v man >/dev/null; then
  MANWIDTH=80 man -l "$prefix/share/man/man1/webloomcon.1" 2>&1 | grep -q 'EXIT STATUS' ||
    fail "man -l webloomcon.1 does not show the manual page"
fi

[ "$status" = 0 ] && echo "install check: webloomcon, the manual, the manual page and the desktop entry are in place"
exit "$status"
