#!/usr/bin/env bash
# Bindery, measured in one run:
#  - adding 300 A4 scans (2480 x 3508 JPEG) with list thumbnails  vs  decoding
#    the same files one after the other with djpeg at 1/8 scale
#  - saving a book of those 300 pages over itself  vs  cat of the book into
#    another file followed by sync of that file
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
save=$(echo "$out" | awk -F, '/BM_SaveBookOverItself/ { print $3 }' | tail -n 1)
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
report "Bindery: adding 300 A4 scans with thumbnails" "${ours} ms" "djpeg -scale 1/8, one after the other: ${peer} ms" "$(ratio "$ours" "$peer")" "<= 2"

# The save against cat + sync, taking turns, medians of 7 rounds. Both warm:
# the book in the page cache, the disk at rest (sync) before each run. Both
# write a new file's worth and wait for no old file to be released: the
# copy of the round before is removed before the copy's run, and the save
# lets the book it replaces go on another thread (holding it open through
# the rename; the kernel would otherwise drop its pages and free its blocks
# inside the rename, 40 to 140 ms for this book).
BOOK="$PAGES.kvb"
[ -n "$save" ] && [ -e "$BOOK" ] || { echo "no save result from bindery_bench"; exit 1; }
COPY="$SCRATCH/copy.kvb"
cat "$BOOK" > /dev/null
saves=() copies=()
for round in 1 2 3 4 5 6 7; do
  for who in ours peer; do
    [ $(( round % 2 )) -eq 0 ] && who=$([ "$who" = ours ] && echo peer || echo ours)
    rm -f "$COPY"
    sync
    if [ "$who" = ours ]; then
      ms=$("$BENCH" --book="$BOOK" --save-once 2>/dev/null) || { echo "bindery save failed"; exit 1; }
      saves+=("$ms")
    else
      t0=$(date +%s%N)
      { cat "$BOOK" > "$COPY" && sync "$COPY"; } || { echo "cat + sync failed"; exit 1; }
      copies+=("$(awk -v ns=$(( $(date +%s%N) - t0 )) 'BEGIN { printf "%.1f", ns / 1e6 }')")
    fi
  done
done
save_ms=$(median "${saves[@]}")
peer_save=$(median "${copies[@]}")
rm -f "$COPY"
mb=$(( $(stat -c %s "$BOOK") / 1000000 ))
echo "bindery save of a 300-page book (${mb} MB) over itself: ${save_ms} ms, cat + sync of the book into a new file ${peer_save} ms (medians of 7, taking turns, both warm), ratio $(ratio "$save_ms" "$peer_save") (goal <= 1.2)"
echo "  (Google Benchmark's mean of 3 saves in a row: ${save} ms)"
report "Bindery: saving a 300-page book (${mb} MB) over itself (warm, medians)" "${save_ms} ms" "cat + sync FILE: ${peer_save} ms" "$(ratio "$save_ms" "$peer_save")" "<= 1.2"
