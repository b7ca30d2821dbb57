#!/usr/bin/env bash
# Times `zelvora-report orders` over a generated database of N sales (default
# 100,000) writing a prepared report, against sqlite3 reading the same table in
# the same run, and prints the ratio, pages per second and memory per output row.
# Then runs the engine alone over the same number of in-memory sales.
# Usage: bench/report-bench.sh [N] [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sales=${1:-100000}
dir=${2:-$root/build/bench}
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELVORA_BENCH=ON > /dev/null
cmake --build "$dir" --target zelvora-db zelvora-report bench_report_engine -j "$(nproc)" > /dev/null
db="$dir/bench-$sales.sqlite"
[ -e "$db" ] || "$dir/tools/zelvora-db" generate "$db" --sales "$sales" --seed 1 > /dev/null
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

seconds_since() { awk -v a="$1" -v b="$(date +%s%N)" 'BEGIN { printf "%.3f", (b - a) / 1e9 }'; }

start=$(date +%s%N)
sqlite3 "$db" "SELECT * FROM tblOrders" > /dev/null
reference=$(seconds_since "$start")

start=$(date +%s%N)
/usr/bin/time -f "%M" -o "$out/peak" "$dir/tools/zelvora-report" orders --db "$db" --zrp "$out/orders.zrp"
run=$(seconds_since "$start")

# The page count comes from a second, untimed run's layout listing.
"$dir/tools/zelvora-report" orders --db "$db" --layout "$out/layout.txt"
pages=$(cut -f1 "$out/layout.txt" | sort -un | wc -l)
rows=$(grep -c $'\tMasterData1\t' "$out/layout.txt")
peak=$(cat "$out/peak")

printf 'sales %s\noutput_rows %s\npages %s\nreference_s %s\nrun_s %s\n' "$sales" "$rows" "$pages" "$reference" "$run"
awk -v run="$run" -v ref="$reference" -v pages="$pages" -v peak="$peak" -v rows="$rows" 'BEGIN {
  printf "ratio %.2f (goal <= 10)\npages_per_s %.0f\npeak_kb %d\nbytes_per_row %.0f (goal <= 1024)\n",
         run / ref, pages / run, peak, peak * 1024 / rows }'
echo "engine alone, in-memory sales:"
"$dir/bench/bench_report_engine" "$sales" 2> /dev/null
