#!/usr/bin/env bash
# Converts every document of the corpus and the hostile inputs with a release
# build of webloomcon, printing time and peak memory per run. Fails when a
# run takes longer than the budget or more memory than the limit, when it
# crashes, or when a scaled input's time grows more than half as fast again
# as its size: a conversion is linear in the size of its input. Times are CPU
# seconds (user + system): the machine is shared, and elapsed time follows
# its load.
# Usage: bench/run.sh [corpus directory]   (default ../shared/corpus)
set -euo pipefail
cd "$(dirname "$0")/.."
corpus=${1:-../shared/corpus}
[ -d "$corpus" ] || corpus=../../shared/corpus
budget_seconds=10
limit_kib=$((200 * 1024))
scripts/deps.sh --bench
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DWEBLOOM_TESTS=OFF >/dev/null
cmake --build build-bench -j "$(nproc)" --target webloomcon >/dev/null
con=$(pwd)/build-bench/src/driver/webloomcon
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Hostile inputs. Those named NAME-1.txt and NAME-2.txt are one input at a
# size and at twice that size, for the check of linear time.
python3 - "$work" <<'PY'
import sys, os
d = sys.argv[1]
def put(name, text, mode="w"):
    with open(os.path.join(d, name), mode) as f: f.write(text)
def scaled(name, make, n):
    put(f"{name}-1.txt", make(n))
    put(f"{name}-2.txt", make(2 * n))
scaled("huge-line", lambda n: "word " * n + "\n", 5000000)        # 25 and 50 MB, one line
scaled("blanks", lambda n: "start\n" + "\n" * n + "end\n", 500000)  # a million blank lines
scaled("headings", lambda n: "".join(f"{i}. Heading {i}\n\nText {i}.\n\n" for i in range(1, n + 1)), 100000)
scaled("nested-list", lambda n: "".join(" " * i + f"- item {i}\n" for i in range(n)), 5000)
scaled("table-long", lambda n: "A long table:\n\n" + "".join(
    f"    item{i:<8}  {i:>8}  {i * 3 % 1000:>6}.5  {'yes' if i % 3 else 'no':<4}\n"
    for i in range(n)) + "\nEnd.\n", 50000)
scaled("bullets", lambda n: "".join(f"  - item {i} *bold* _em_\n" for i in range(n)), 50000)
put("marks.txt", "".join("*_"[(i * 7919 >> 3) % 2] for i in range(100000)) + "\n")
put("stars.txt", ("* " * 500 + "\n") * 2000 + ("_" * 1000 + "\n") * 2000)
put("sections.txt", "".join(f"{i}.{j} Section {i}.{j}\n\ntext\n\n" for i in range(1, 200) for j in range(1, 50)))
# Bytes, not text: invalid and cut UTF-8 sequences.
put("controls.txt", b"a\x00b\x01c\x7f d\te\x08e lone\rcr mid\x1az \xff\xfe bad \xe2\x82 cut\n" * 50000,
    "wb")
# A user table of 3,000 lines 5,024 columns wide (tabs expand each 942-byte
# line): the block analysis must stay linear in lines times columns.
wide = "".join(f"{j % 100:02d}" + "\t" * 4 for j in range(157))
put("table-wide.txt", "A wide table:\n$_$_BEGIN_TABLE\n" + (wide + "\n") * 3000 + "$_$_END_TABLE\n")
# A policy file of a million lines, read as the master policy file.
put("policy.pol", "Page width : 72\nLink definition : \"ab\" \"cd\" \"http://e/\"\nnot a policy\n# c\n" * 250000)
put("small.txt", "Some text for ab.\n")
# Include chains, a file that includes itself, an include loop, a policy
# file switching back and forth, a steering file naming one file 1,000 times.
for i in range(100):
    put(f"chain{i}.txt", f"Part {i}.\n" + (f"$_$_INCLUDE chain{i + 1}.txt\n" if i < 99 else ""))
put("self.txt", "Before.\n$_$_INCLUDE self.txt\nAfter.\n")
put("loop-a.txt", "A.\n$_$_INCLUDE loop-b.txt\n")
put("loop-b.txt", "B.\n$_$_INCLUDE loop-a.txt\n")
put("switch-a.pol", "include file : switch-a.pol\nSwitch to file : switch-b.pol\n")
put("switch-b.pol", "Switch to file : switch-a.pol\n")
put("steering.txt", "small.txt\n" * 1000)
PY

# Each run: a label and the arguments of webloomcon.
runs=()
add() { runs+=("$1|$2"); }
if [ -d "$corpus" ]; then
  for f in "$corpus"/*.txt; do cp "$f" "$work/"; add "$(basename "$f")" "$(basename "$f")"; done
fi
for name in huge-line blanks headings nested-list table-long bullets; do
  add "$name-1.txt" "$name-1.txt"; add "$name-2.txt" "$name-2.txt"
done
for f in marks.txt stars.txt sections.txt controls.txt table-wide.txt chain0.txt self.txt \
         loop-a.txt; do
  add "$f" "$f"
done
add "policy.pol (1M lines)" "small.txt -p policy.pol"
add "switch loop policy" "small.txt -p switch-a.pol"
add "steering 1000 x" "@steering.txt"

failed=0
declare -A seconds size
printf '%-32s %10s %8s %10s\n' run bytes seconds peak-KiB
cd "$work"
for run in "${runs[@]}"; do
  label=${run%%|*}
  read -r -a args <<<"${run#*|}"
  status=0
  /usr/bin/time -f '%U %S %M' -o time.out "$con" --debug "${args[@]}" >/dev/null 2>&1 || status=$?
  read -r user system kib < <(tail -n 1 time.out)
  secs=$(awk -v u="$user" -v s="$system" 'BEGIN{printf "%.2f", u + s}')
  bytes=$(stat -c %s "${args[0]#@}")
  size[$label]=$bytes
  printf '%-32s %10d %8s %10s\n' "$label" "$bytes" "$secs" "$kib"
  seconds[$label]=$secs
  if [ "$status" -gt 2 ]; then echo "  crashed (status $status)"; failed=1; fi
  if awk -v s="$secs" -v b="$budget_seconds" 'BEGIN{exit !(s > b)}'; then
    echo "  over the time budget of ${budget_seconds}s"; failed=1
  fi
  if [ "$kib" -gt "$limit_kib" ]; then echo "  over the memory limit"; failed=1; fi
done

# The time may grow at most one and a half times as fast as the size; times
# under half a second are too coarse to judge.
echo
for name in huge-line blanks headings nested-list table-long bullets; do
  one=${seconds[$name-1.txt]} two=${seconds[$name-2.txt]}
  grow=$(awk -v a="${size[$name-1.txt]}" -v b="${size[$name-2.txt]}" 'BEGIN{printf "%.2f", b / a}')
  printf '%-32s %8s -> %8s s, size x%s\n' "$name" "$one" "$two" "$grow"
  if awk -v a="$one" -v b="$two" -v g="$grow" 'BEGIN{exit !(b > 0.5 && b > 1.5 * g * a)}'; then
    echo "  not linear"; failed=1
  fi
done
exit $failed
