#!/usr/bin/env bash
# Leafreader folder screen against head, measured in one run: listing a folder
# of 1000 small books (each with its thumbnail) as the folder screen does
#  vs  reading the first 100 KB of each of those files with head
#      (one head over all files, and one head per file) (goal: ratio <= 1.5)
# then the same for a folder of 10,000 such books, and the first screen of
# that folder (the listing and the thumbnails of the tiles it shows; rows
# below are read when scrolled to) against the same head.
set -u
BUILD=$1
SCRATCH=$2
BENCH="$BUILD/bench/bench_leafreader_shelf"
export VELLORAN_BENCH_DIR="$SCRATCH"
if [ ! -x "$BENCH" ]; then
  echo "bench_leafreader_shelf not built (build with -DVELLORAN_PROGRAMS including leafreader)"
  exit 1
fi

. "$(dirname "$0")/timing.sh"

json=$("$BENCH" --benchmark_format=json 2>/dev/null)
list_ms=$(printf '%s' "$json" | python3 -c 'import json,sys; d=json.load(sys.stdin); b=[b for b in d["benchmarks"] if b["name"].startswith("BM_ListFolder")][0]; print("%.1f" % b["real_time"])')
pics_ms=$(printf '%s' "$json" | python3 -c 'import json,sys; d=json.load(sys.stdin); b=[b for b in d["benchmarks"] if b["name"].startswith("BM_ScreenOfPictures")][0]; print("%.1f" % b["real_time"])')

BOOKS="$SCRATCH/books"
head_all=$(best_of_ms 7 sh -c "head -q -c 100000 '$BOOKS'/*.kvb")
head_each=$(best_of_ms 3 sh -c "for f in '$BOOKS'/*.kvb; do head -c 100000 \"\$f\"; done")
echo "folder of 1000 books: leafreader listing ${list_ms} ms, head -c 100000 over all files ${head_all} ms, ratio $(ratio "$list_ms" "$head_all") (goal <= 1.5)"
echo "same folder, one head -c 100000 per file: ${head_each} ms, ratio $(ratio "$list_ms" "$head_each")"
echo "tile pictures of one screen (24 thumbnails read and reduced, badges): ${pics_ms} ms"
report "Leafreader: listing a folder of 1000 books with thumbnails" "${list_ms} ms" "head -c 100000 over all: ${head_all} ms" \
  "$(ratio "$list_ms" "$head_all")" "<= 1.5"

json=$(VELLORAN_SHELF_BOOKS=10000 "$BENCH" --benchmark_format=json --benchmark_filter='BM_ListFolder|BM_FirstScreen' \
  --benchmark_min_time=0.5 2>/dev/null)
list10k_ms=$(printf '%s' "$json" | python3 -c 'import json,sys; d=json.load(sys.stdin); b=[b for b in d["benchmarks"] if b["name"].startswith("BM_ListFolder")][0]; print("%.1f" % b["real_time"])')
first10k_ms=$(printf '%s' "$json" | python3 -c 'import json,sys; d=json.load(sys.stdin); b=[b for b in d["benchmarks"] if b["name"].startswith("BM_FirstScreen")][0]; print("%.1f" % b["real_time"])')
BOOKS10K="$SCRATCH/books10000"
head_10k=$(best_of_ms 3 sh -c "head -q -c 100000 '$BOOKS10K'/*.kvb")
echo "folder of 10,000 books: leafreader listing ${list10k_ms} ms, first screen with its thumbnails ${first10k_ms} ms, head -c 100000 over all files ${head_10k} ms, ratio $(ratio "$list10k_ms" "$head_10k") (goal <= 1.5)"
report "Leafreader: listing a folder of 10,000 books with thumbnails" "${list10k_ms} ms" "head -c 100000 over all: ${head_10k} ms" \
  "$(ratio "$list10k_ms" "$head_10k")" "<= 1.5"
report "Leafreader: that folder to its first screen with thumbnails" "${first10k_ms} ms" "head -c 100000 over all: ${head_10k} ms" \
  "$(ratio "$first10k_ms" "$head_10k")" "<= 1.5"
