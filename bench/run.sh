#!/usr/bin/env bash
# Converts every document of the corpus and a few pathological inputs with a
# release build of webloomcon, printing time and peak memory per document.
# Fails when a document takes longer than the budget or more memory than the
# limit: a conversion is linear in the number of lines, so neither should
# come near them.
# Usage: bench/run.sh [corpus directory]   (default ../shared/corpus)
set -euo pipefail
cd "$(dirname "$0")/.."
corpus=${1:-../shared/corpus}
budget_seconds=10
limit_kib=$((200 * 1024))
scripts/deps.sh --bench
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DWEBLOOM_TESTS=OFF >/dev/null
cmake --build build-bench -j "$(nproc)" --target webloomcon >/dev/null
con=$(pwd)/build-bench/src/driver/webloomcon
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Pathological inputs: one huge line, many bullets, deep emphasis marks,
# thousands of section numbers, a long run of blank lines, a long and a wide
# table.
python3 - "$work" <<'PY'
import sys, os
d = sys.argv[1]
def put(name, text):
    with open(os.path.join(d, name), "w") as f: f.write(text)
put("huge-line.txt", "word " * 400000 + "\n")
put("bullets.txt", "".join(f"  - item {i} *bold* _em_\n" for i in range(100000)))
put("stars.txt", ("* " * 500 + "\n") * 2000 + ("_" * 1000 + "\n") * 2000)
put("sections.txt", "".join(f"{i}.{j} Section {i}.{j}\n\ntext\n\n" for i in range(1, 200) for j in range(1, 50)))
put("blanks.txt", "\n" * 200000 + "end\n")
put("nul-and-controls.txt", ("a\x00b\x01c\x7f d\te\x08e\n" * 50000))
# A table region of 100,000 lines, and a user table 5,024 columns wide
# (tabs expand each 942-byte line) of 3,000 lines: the block analysis must
# stay linear in lines times columns.
put("table-100k.txt", "A long table:\n\n" + "".join(
    f"    item{i:<8}  {i:>8}  {i * 3 % 1000:>6}.5  {'yes' if i % 3 else 'no':<4}\n"
    for i in range(100000)) + "\nEnd.\n")
wide = "".join(f"{j % 100:02d}" + "\t" * 4 for j in range(157))
put("table-wide.txt", "A wide table:\n$_$_BEGIN_TABLE\n" + (wide + "\n") * 3000 + "$_$_END_TABLE\n")
PY
inputs=()
[ -d "$corpus" ] && for f in "$corpus"/*.txt; do cp "$f" "$work/"; inputs+=("$(basename "$f")"); done
inputs+=(huge-line.txt bullets.txt stars.txt sections.txt blanks.txt nul-and-controls.txt)
inputs+=(table-100k.txt table-wide.txt)

failed=0
printf '%-32s %10s %8s %10s\n' document bytes seconds peak-KiB
cd "$work"
for f in "${inputs[@]}"; do
  /usr/bin/time -f '%e %M' -o time.out "$con" --debug "$f" >/dev/null 2>&1 || true
  read -r secs kib < time.out
  printf '%-32s %10d %8s %10s\n' "$f" "$(stat -c %s "$f")" "$secs" "$kib"
  if awk -v s="$secs" -v b="$budget_seconds" 'BEGIN{exit !(s > b)}'; then
    echo "  over the time budget of ${budget_seconds}s"; failed=1
  fi
  if [ "$kib" -gt "$limit_kib" ]; then echo "  over the memory limit"; failed=1; fi
done
exit $failed
