#!/usr/bin/env bash
# Throughput and peak memory of webloomcon beside two peers, txt2html and
# cmark, on the same text in the same run: a 10 MiB and a 100 MiB input made
# by repeating the corpus. Each figure is the median of RUNS runs. Throughput
# is over CPU time (user + system): the machine is shared, and elapsed time
# wanders with the load while CPU time hardly does; the median elapsed time is
# shown beside it. Peak memory is the largest resident set /usr/bin/time -v
# reports.
# Usage: bench/throughput.sh [-r RUNS] [-s "SIZES_MIB"] [-p PEER_MAX_MIB] [-w WEBLOOMCON] [corpus]
#   -r  runs per figure (default 3)
#   -s  input sizes in MiB (default "10 100")
#   -p  largest input the peers convert (default 100; txt2html needs about
#       a second per MiB)
#   -w  a webloomcon to measure instead of a fresh Release build
set -euo pipefail
cd "$(dirname "$0")/.."
runs=3 sizes="10 100" peer_max=100 con=""
while getopts r:s:p:w: opt; do
  case $opt in
    r) runs=$OPTARG ;; s) sizes=$OPTARG ;; p) peer_max=$OPTARG ;; w) con=$(realpath "$OPTARG") ;;
    *) sed -n '2,13p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
corpus=${1:-../shared/corpus}
[ -d "$corpus" ] || corpus=../../shared/corpus
corpus=$(realpath "$corpus")

scripts/deps.sh --bench
missing=()
for p in txt2html cmark; do command -v "$p" >/dev/null || missing+=("$p"); done
if [ ${#missing[@]} -ne 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
if [ -z "$con" ]; then
  cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DWEBLOOM_TESTS=OFF >/dev/null
  cmake --build build-bench -j2 --target webloomcon >/dev/null
  con=$(pwd)/build-bench/src/driver/webloomcon
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The corpus repeated until the size is reached, cut at the last whole line.
make_input() {
  local mib=$1 out=$2 bytes=$(($1 * 1024 * 1024))
  while [ "$(stat -c %s "$out" 2>/dev/null || echo 0)" -lt "$bytes" ]; do
    cat "$corpus"/*.txt >>"$out"
  done
  head -c "$bytes" "$out" >"$out.cut"
  python3 - "$out.cut" <<'PY'
import sys
p = sys.argv[1]
data = open(p, "rb").read()
open(p, "wb").write(data[: data.rfind(b"\n") + 1])
PY
  mv "$out.cut" "$out"
}

# Runs a command RUNS times in its own directory; prints "seconds peak-KiB",
# the medians over the runs.
measure() {
  local dir=$1; shift
  local i
  : >"$work/times"
  for ((i = 0; i < runs; i++)); do
    (cd "$dir" && /usr/bin/time -f '%e %U %S %M' -o "$work/t" "$@" >/dev/null 2>&1) || true
    tail -n 1 "$work/t" >>"$work/times"
  done
  python3 - "$work/times" <<'PY'
import sys, statistics
rows = [l.split() for l in open(sys.argv[1]) if l.strip()]
cpu = statistics.median(float(r[1]) + float(r[2]) for r in rows)
wall = statistics.median(float(r[0]) for r in rows)
print(f"{cpu:.2f}/{wall:.2f}", max(int(r[3]) for r in rows))
PY
}

echo "webloomcon: $con"
echo "median of $runs runs each, on $(nproc) cores (load now: $(cut -d' ' -f1-3 /proc/loadavg))"
printf '%-22s %7s %9s %9s %9s %9s %11s\n' program MiB cpu-s wall-s MiB/s peak-MiB "vs Webloom"
for mib in $sizes; do
  dir=$work/in$mib
  mkdir -p "$dir"
  make_input "$mib" "$dir/input.txt"
  size=$(stat -c %s "$dir/input.txt")
  declare -A rate=() peak=()
  rows=(webloomcon "webloomcon /contents")
  read -r s k < <(measure "$dir" "$con" input.txt)
  rate[webloomcon]=$s; peak[webloomcon]=$k
  read -r s k < <(measure "$dir" "$con" /contents input.txt)
  rate["webloomcon /contents"]=$s; peak["webloomcon /contents"]=$k
  if [ "$mib" -le "$peer_max" ]; then
    read -r s k < <(measure "$dir" txt2html --infile input.txt --outfile peer.html)
    rate[txt2html]=$s; peak[txt2html]=$k
    read -r s k < <(measure "$dir" sh -c 'cmark input.txt >peer.html')
    rate[cmark]=$s; peak[cmark]=$k
    rows+=(txt2html cmark)
  fi
  for r in "${rows[@]}"; do
    python3 - "$r" "$size" "${rate[$r]}" "${peak[$r]}" "${rate[webloomcon]}" <<'PY'
import sys
name, size, kib = sys.argv[1], int(sys.argv[2]), int(sys.argv[4])
secs, wall = (float(x) for x in sys.argv[3].split("/"))
base = float(sys.argv[5].split("/")[0])
mib = size / 1048576
rate = mib / secs if secs > 0 else float("nan")
base_rate = mib / base if base > 0 else float("nan")
ratio = "1" if name == "webloomcon" else f"{base_rate / rate:.2f}x" if rate else "-"
# ratio: how many times faster Webloom (default policies) is than this program
print(f"{name:<22} {mib:7.1f} {secs:9.2f} {wall:9.2f} {rate:9.2f} {kib / 1024:9.1f} {ratio:>11}")
PY
  done
  unset rate peak
done
echo "MiB/s over CPU seconds (median); vs Webloom: Webloom's default throughput divided by"
echo "the program's (above 1: Webloom is faster)"
