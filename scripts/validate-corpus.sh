#!/usr/bin/env bash
# Converts every document of the corpus three ways (default policies, with
# /contents, and split at level 1), checks every page written against the
# HTML 3.2 DTD with onsgmls, and compares the error count of each document and
# way with tests/data/validation-baseline.txt. Fails when a conversion crashes
# or a count grows (a count that falls is reported: update the baseline).
#
# Usage: scripts/validate-corpus.sh [--update] [BUILD_DIR [CORPUS_DIR]]
#   BUILD_DIR   holds src/driver/webloomcon (default: build); a sanitizer
#               build (-DWEBLOOM_SANITIZE=ON) also catches memory faults
#   CORPUS_DIR  the documents, *.txt (default: ../shared/corpus)
#   --update    rewrite the baseline's counts from this run
# Needs onsgmls and the HTML DTDs (scripts/deps.sh --validate).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
update=0
if [ "${1:-}" = --update ]; then update=1; shift; fi
build=$(cd "${1:-$root/build}" && pwd)
corpus=$(cd "${2:-$root/../shared/corpus}" && pwd)
webloomcon=$build/src/driver/webloomcon
baseline=$root/tests/data/validation-baseline.txt
# The system catalog: the HTML DTDs and the entity sets they name.
catalog=/etc/sgml/catalog
[ -x "$webloomcon" ] || { echo "no $webloomcon: build first" >&2; exit 2; }
command -v onsgmls >/dev/null && [ -r /usr/share/sgml/html/dtd/html-3.2.dtd ] ||
  { echo "onsgmls or the HTML 3.2 DTD missing: scripts/deps.sh --validate" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'Split level : 1\n' >"$work/split.pol"
counts=$work/counts
: >"$counts"
status=0

# Converts $1 the way $2 names into a folder of its own; prints the errors.
check() {
  local doc=$1 way=$2 dir=$work/$way/${1%.txt} args=() rc=0
  mkdir -p "$dir"
  cp "$corpus/$doc" "$dir/"
  case $way in
    contents) args=(/contents) ;;
    split) args=(-p "$work/split.pol") ;;
  esac
  (cd "$dir" && "$webloomcon" "${args[@]}" "$doc" >log 2>&1) || rc=$?
  # Exit status 1 is a document refused; a sanitizer report fails whatever the status.
  if [ "$rc" -gt 1 ] || grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$dir/log"; then
    echo "FAIL: $way $doc: webloomcon exited with $rc" >&2
    tail -5 "$dir/log" >&2
    status=1
  fi
  local pages=("$dir"/*.html) errors=0 page
  # One page at a time: onsgmls reads several files as one document.
  for page in "${pages[@]}"; do
    [ -e "$page" ] || continue
    errors=$((errors + $(SGML_CATALOG_FILES=$catalog onsgmls -s -E0 "$page" 2>&1 |
                           grep -c ':E: ' || true)))
  done
  echo "$way $doc $errors ${#pages[@]}" >>"$counts"
}

for path in "$corpus"/*.txt; do
  for way in default contents split; do check "$(basename "$path")" "$way"; done
done

if [ "$update" = 1 ]; then
  { grep '^#' "$baseline" 2>/dev/null || true
    awk '{ print $1, $2, $3 }' "$counts"; } >"$work/new"
  cp "$work/new" "$baseline"
  echo "baseline written: $baseline"
  exit "$status"
fi

# Every count against its baseline line ("WAY DOCUMENT ERRORS").
while read -r way doc errors pages; do
  expected=$(awk -v w="$way" -v d="$doc" '$1 == w && $2 == d { print $3 }' "$baseline")
  if [ -z "$expected" ]; then
    echo "FAIL: $way $doc: $errors errors, not in the baseline" >&2
    status=1
  elif [ "$errors" -gt "$expected" ]; then
    echo "FAIL: $way $doc: $errors errors in $pages pages, baseline $expected" >&2
    status=1
  elif [ "$errors" -lt "$expected" ]; then
    echo "better: $way $doc: $errors errors, baseline $expected (run with --update)"
  fi
done <"$counts"
total=$(awk '{ s += $3 } END { print s + 0 }' "$counts")
echo "$(wc -l <"$counts") conversions, $total errors in all"
exit "$status"
