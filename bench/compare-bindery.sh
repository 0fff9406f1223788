#!/usr/bin/env bash
# Bindery: adding 300 A4 scans (2480 x 3508 JPEG) with list thumbnails,
# against decoding the same files one after the other with djpeg at 1/8 scale.
# Usage: compare-bindery.sh BUILD_DIR SCRATCH_DIR
set -u
BUILD=$1
SCRATCH=$2
BENCH="$BUILD/bench/bindery_bench"
[ -x "$BENCH" ] || { echo "bindery_bench not built; skipped"; exit 0; }
command -v djpeg >/dev/null || { echo "djpeg missing (libjpeg-turbo-progs); skipped"; exit 0; }
PAGES="$SCRATCH/a4-scans"
export QT_QPA_PLATFORM=offscreen
. "$(dirname "$0")/timing.sh"

out=$("$BENCH" --pages="$PAGES" --make=300 --benchmark_format=csv 2>/dev/null) || { echo "bindery_bench failed"; exit 1; }
# CSV: name,iterations,real_time,cpu_time,time_unit,...
ours=$(echo "$out" | awk -F, '/BM_AddScannedPages\/0/ { print $3 }' | tail -n 1)
single=$(echo "$out" | awk -F, '/BM_AddScannedPages\/1/ { print $3 }' | tail -n 1)
[ -n "$ours" ] || { echo "no result from bindery_bench"; exit 1; }

djpeg_all() {
  for f in "$PAGES"/*.jpg; do
    djpeg -scale 1/8 -outfile /dev/null "$f" || return 1
  done
}
peer=$(best_of_ms 1 djpeg_all) || { echo "djpeg failed"; exit 1; }

count=$(ls "$PAGES"/*.jpg | wc -l)
echo "bindery addPages, $count A4 pages with thumbnails: ${ours} ms ($(nproc) workers), ${single} ms (1 worker)"
echo "djpeg -scale 1/8, same files one after the other: ${peer} ms"
echo "ratio bindery/djpeg: $(ratio "$ours" "$peer") (goal: 2.00 or less)"
echo "ratio bindery (1 worker)/djpeg: $(ratio "$single" "$peer")"
