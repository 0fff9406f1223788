#!/usr/bin/env bash
# Leafreader folder screen against head, measured in one run: listing a folder
# of 1000 small books (each with its thumbnail) as the folder screen does
#  vs  reading the first 100 KB of each of those files with head
#      (one head over all files, and one head per file) (goal: ratio <= 1.5)
# then the same for a folder of 10,000 such books, and the first screen of
# that folder (the listing and the thumbnails of the tiles it shows; rows
# below are read when scrolled to) against the same head; then the first
# screen of a folder of 100,000 such books (11 GB) and the peak memory of
# the process that lists it.
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

# 100,000 books, made on first use. Their names overflow one command line, so
# head goes over them through find and xargs. Both warm (one untimed head
# over all first), the disk at rest before each run; taking turns, medians
# of 3 (VELLORAN_SHELF_ROUNDS). The peak is the largest of the listing
# processes' maximum resident sizes.
BOOKS100K="$SCRATCH/books100000"
VELLORAN_SHELF_BOOKS=100000 "$BENCH" --benchmark_filter=BM_ScreenOfPictures >/dev/null 2>&1
[ -e "$BOOKS100K/Book 100000.kvb" ] || { echo "the 100,000 books were not made"; exit 1; }
head_100k() { find "$BOOKS100K" -maxdepth 1 -name '*.kvb' -print0 | xargs -0 head -q -c 100000; }
head_100k > /dev/null
screens=() heads=() peak_kb=0
for round in $(seq "${VELLORAN_SHELF_ROUNDS:-3}"); do
  for who in ours peer; do
    [ $(( round % 2 )) -eq 0 ] && who=$([ "$who" = ours ] && echo peer || echo ours)
    sync
    if [ "$who" = ours ]; then
      json=$(VELLORAN_SHELF_BOOKS=100000 /usr/bin/time -f %M -o "$SCRATCH/peak" "$BENCH" --benchmark_format=json \
        --benchmark_filter=BM_FirstScreen 2>/dev/null) || { echo "bench_leafreader_shelf failed"; exit 1; }
      screens+=("$(printf '%s' "$json" | python3 -c 'import json,sys; d=json.load(sys.stdin); print("%.1f" % d["benchmarks"][0]["real_time"])')")
      kb=$(cat "$SCRATCH/peak")
      [ "$kb" -gt "$peak_kb" ] && peak_kb=$kb
    else
      t0=$(date +%s%N)
      head_100k > /dev/null || { echo "head failed"; exit 1; }
      heads+=("$(awk -v ns=$(( $(date +%s%N) - t0 )) 'BEGIN { printf "%.1f", ns / 1e6 }')")
    fi
  done
done
first100k_ms=$(median "${screens[@]}")
head100k_ms=$(median "${heads[@]}")
peak_mb=$(awk -v k="$peak_kb" 'BEGIN { printf "%.0f", k / 1024 }')
echo "folder of 100,000 books: leafreader to its first screen ${first100k_ms} ms (peak ${peak_mb} MB), head -c 100000 over all files ${head100k_ms} ms (medians of ${VELLORAN_SHELF_ROUNDS:-3}, taking turns, both warm), ratio $(ratio "$first100k_ms" "$head100k_ms") (goal <= 1.5, peak < 400 MB)"
report "Leafreader: a folder of 100,000 books to its first screen (warm, medians)" "${first100k_ms} ms" \
  "head -c 100000 over all: ${head100k_ms} ms" "$(ratio "$first100k_ms" "$head100k_ms")" "<= 1.5"
report "Leafreader: peak memory listing those 100,000 books, MB" "${peak_mb} MB" "-" "$peak_mb" "<= 400"
