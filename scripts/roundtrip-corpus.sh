#!/usr/bin/env bash
# A policy file written by a conversion must reproduce it. For every document
# of the corpus: convert with /policy into one folder, convert again in a
# second folder with the policy file the first run wrote (and /policy again),
# then compare the pages and the two policy files byte for byte.
#
# Usage: scripts/roundtrip-corpus.sh [BUILD_DIR [CORPUS_DIR]]
#   BUILD_DIR   holds src/driver/webloomcon (default: build)
#   CORPUS_DIR  the documents, *.txt (default: ../shared/corpus)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
corpus=$(cd "${2:-$root/../shared/corpus}" && pwd)
webloomcon=$build/src/driver/webloomcon
[ -x "$webloomcon" ] || { echo "no $webloomcon: build first" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
count=0
for path in "$corpus"/*.txt; do
  doc=$(basename "$path")
  base=${doc%.txt}
  first=$work/first/$base
  second=$work/second/$base
  mkdir -p "$first" "$second"
  cp "$path" "$first/"
  cp "$path" "$second/"
  # /policy writes BASE.pol beside the document; the second run reads the
  # first run's file from its own folder, so that it may write its own.
  (cd "$first" && "$webloomcon" /policy "$doc" >log 2>&1) ||
    { echo "FAIL: $doc: the first conversion exited with $?" >&2; status=1; continue; }
  (cd "$second" && "$webloomcon" /policy "$doc" "$first/$base.pol" >log 2>&1) ||
    { echo "FAIL: $doc: the conversion with its policy file exited with $?" >&2; status=1; continue; }
  for made in "$first"/*.html "$first/$base.pol"; do
    name=$(basename "$made")
    if [ ! -e "$second/$name" ]; then
      echo "FAIL: $doc: $name not written again" >&2
      status=1
    elif ! cmp -s "$made" "$second/$name"; then
      echo "FAIL: $doc: $name differs when converted with its own policy file" >&2
      diff "$made" "$second/$name" | head -10 >&2 || true
      status=1
    fi
  done
  count=$((count + 1))
done
[ "$status" = 0 ] && echo "round trip: $count documents give the same pages and policy files"
exit "$status"
