#!/usr/bin/env bash
# Throughput and peak memory of webloomcon beside two peers, txt2html and
# cmark, on the same text in the same run: a 10 MiB and a 100 MiB input made
# by repeating the corpus. Each figure is the median of RUNS rounds; a round
# runs every program once. Throughput is over CPU time (user + system): the
# machine is shared, and elapsed time wanders with the load while CPU time
# hardly does; the median elapsed time is shown beside it. Peak memory is the
# largest resident set of any round.
# Usage: bench/throughput.sh [-r RUNS] [-s "SIZES_MIB"] [-p PEER_MAX_MIB] [-w WEBLOOMCON] [corpus]
#   -r  rounds per figure (default 3)
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

# Every program of a size is run once per round, in turn, so that a drift in
# the machine's speed over minutes falls on all of them alike. CPU time comes
# from wait4 in microseconds (time(1) prints 10 ms steps, a few per cent of
# Webloom's run at 10 MiB); peak memory from time(1).
measure_size() {
  python3 - "$runs" "$@" <<'PY'
import os, statistics, subprocess, sys
runs, dir, size, con, peers = int(sys.argv[1]), sys.argv[2], int(sys.argv[3]), sys.argv[4], sys.argv[5] == "1"
rss = os.path.join(dir, "rss")
programs = [("webloomcon", [con, "input.txt"]),
            ("webloomcon /contents", [con, "/contents", "input.txt"])]
if peers:
    programs += [("txt2html", ["txt2html", "--infile", "input.txt", "--outfile", "peer.html"]),
                 ("cmark", ["sh", "-c", "cmark input.txt >peer.html"])]
cpu = {name: [] for name, _ in programs}
wall = {name: [] for name, _ in programs}
peak = {name: 0 for name, _ in programs}
for _ in range(runs):
    for name, argv in programs:
        start = os.times().elapsed
        # A child forked from Python keeps Python's resident set as its peak;
        # time(1) forks from a small process and reports the program's own.
        child = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", rss] + argv, cwd=dir,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, _, usage = os.wait4(child.pid, 0)
        wall[name].append(os.times().elapsed - start)
        # Includes the program's, which time(1) has waited for.
        cpu[name].append(usage.ru_utime + usage.ru_stime)
        peak[name] = max(peak[name], int(open(rss).read().split()[-1]))
mib = size / 1048576
base = mib / statistics.median(cpu["webloomcon"])
for name, _ in programs:
    secs = statistics.median(cpu[name])
    rate = mib / secs if secs > 0 else float("nan")
    # how many times faster Webloom (default policies) is than this program
    ratio = "1" if name == "webloomcon" else f"{base / rate:.2f}x"
    print(f"{name:<22} {mib:7.1f} {secs:9.3f} {statistics.median(wall[name]):9.3f} "
          f"{rate:9.2f} {peak[name] / 1024:9.1f} {ratio:>11}")
PY
}

echo "webloomcon: $con"
echo "median of $runs rounds, on $(nproc) cores (load now: $(cut -d' ' -f1-3 /proc/loadavg))"
printf '%-22s %7s %9s %9s %9s %9s %11s\n' program MiB cpu-s wall-s MiB/s peak-MiB "vs Webloom"
for mib in $sizes; do
  dir=$work/in$mib
  mkdir -p "$dir"
  make_input "$mib" "$dir/input.txt"
  peers=0; [ "$mib" -le "$peer_max" ] && peers=1
  measure_size "$dir" "$(stat -c %s "$dir/input.txt")" "$con" "$peers"
done
echo "MiB/s over CPU seconds (median); vs Webloom: Webloom's default throughput divided by"
echo "the program's (above 1: Webloom is faster)"
