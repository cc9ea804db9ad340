#!/usr/bin/env bash
# Proves a change leaves the output alone: converts every corpus document with
# two builds of webloomcon and compares every file written (pages, contents
# files, diagnostics) and the console output, byte for byte.
#
# Usage: scripts/compare-outputs.sh [-c CORPUS] OLD NEW
#   OLD, NEW: a webloomcon executable, or a git revision of this repository
#   (built in Release in a scratch directory; "WORKTREE" builds the working tree
#   as it stands, uncommitted changes included).
# Example: scripts/compare-outputs.sh HEAD WORKTREE
#          scripts/compare-outputs.sh old/webloomcon build/src/driver/webloomcon
# Runs: default policies, /contents, split at level 1, /debug.
# Exit status 0 when every file is identical, 1 when any differs.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
corpus=../shared/corpus
[ -d "$corpus" ] || corpus=../../shared/corpus   # from a worktree under wt/
if [ "${1:-}" = "-c" ]; then corpus=$2; shift 2; fi
if [ $# -ne 2 ]; then sed -n '2,13p' "$0"; exit 2; fi
corpus=$(cd "$corpus" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Prints the path of a webloomcon for OLD or NEW, building a revision if needed.
engine() {
  local spec=$1 name=$2
  if [ -f "$spec" ] && [ -x "$spec" ]; then
    (cd "$(dirname "$spec")" && echo "$(pwd)/$(basename "$spec")")
    return
  fi
  local src=$work/src-$name
  mkdir -p "$src"
  if [ "$spec" = WORKTREE ]; then
    git ls-files -z --cached --others --exclude-standard | tar -c --null -T - | tar -x -C "$src"
  else
    git rev-parse --verify -q "$spec^{commit}" >/dev/null || { echo "no such revision: $spec" >&2; exit 2; }
    git archive "$spec" | tar -x -C "$src"
  fi
  cmake -S "$src" -B "$src/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DWEBLOOM_TESTS=OFF \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
  CCACHE_BASEDIR=$src cmake --build "$src/build" -j2 --target webloomcon >/dev/null
  echo "$src/build/src/driver/webloomcon"
}

old=$(engine "$1" old)
new=$(engine "$2" new)

# Every run happens in the same directory, so paths written into any output
# are the same for both builds; the results are moved aside afterwards.
run_all() {
  local con=$1 out=$2 mode
  for mode in default contents split1 debug; do
    local dir=$work/run
    rm -rf "$dir"; mkdir -p "$dir"
    cp "$corpus"/*.txt "$dir/"
    local args=()
    case $mode in
      contents) args=(/contents) ;;
      debug) args=(/debug) ;;
      split1) printf 'Split level : 1\n' >"$dir/split.pol" ;;
    esac
    (
      cd "$dir"
      for f in *.txt; do
        if [ "$mode" = split1 ]; then
          "$con" "${args[@]}" "$f" split.pol >"$f.console" 2>&1 || echo "exit $?" >>"$f.console"
        else
          "$con" "${args[@]}" "$f" >"$f.console" 2>&1 || echo "exit $?" >>"$f.console"
        fi
      done
    )
    mkdir -p "$out"
    mv "$dir" "$out/$mode"
  done
}

run_all "$old" "$work/old"
run_all "$new" "$work/new"

files=$(cd "$work/old" && find . -type f | wc -l)
if diff -r -q "$work/old" "$work/new"; then
  echo "identical: $files files over $(ls "$corpus"/*.txt | wc -l) documents, 4 runs each"
  exit 0
fi
echo "DIFFERENT (first differences):"
diff -r "$work/old" "$work/new" | head -40
exit 1
