#!/usr/bin/env bash
# Book library against its physical peers, measured in one run:
#  - kvbtool pack of 200 MB of page files  vs  cat of the same files into one
#    file, flushed to disk as kvbtool flushes a book before it replaces the target
#  - walking a 10,000-page book (goal: under 5 us per page, warm)
#  - loadPagePicture of a 6000 x 4000 JPEG  vs  djpeg decoding the same file
#  - kvbtool verify of 1000 small books (it reads every page and walks its
#    structure)  vs  cat of the same files to /dev/null; verify --decode
#    (every page decoded) for contrast
set -u
BUILD=$1
SCRATCH=$2
KVBTOOL="$BUILD/tools/kvbtool/kvbtool"
BENCH="$BUILD/bench/bench_common"
export VELLORAN_BENCH_DIR="$SCRATCH"

. "$(dirname "$0")/timing.sh"

# 200 MB of page files (content is not decoded when packing).
mkdir -p "$SCRATCH/pages"
for i in $(seq -w 1 100); do
  head -c 2097152 /dev/urandom > "$SCRATCH/pages/p$i.jpg"
done
cat "$SCRATCH"/pages/*.jpg > /dev/null   # warm the cache for both
# Taking turns, medians of 7 rounds. Both warm and alike: the page files in
# the page cache, each run writing a new file (the last round's output is
# removed first) onto a disk at rest (sync before each run, so neither waits
# behind the writing of what came before).
pack() { "$KVBTOOL" pack "$SCRATCH/out.kvb" "$SCRATCH/pages"; }
catsync() { cat "$SCRATCH"/pages/*.jpg > "$SCRATCH/out.cat" && sync "$SCRATCH/out.cat"; }
no_book() { rm -f "$SCRATCH/out.kvb"; }
no_copy() { rm -f "$SCRATCH/out.cat"; }
read -r pack_ns catsync_ns < <(paired_medians_ns 7 pack catsync no_book no_copy) \
  || { echo "kvbtool pack or cat + sync failed"; exit 1; }
t_pack=$(ns_to_s "$pack_ns")
t_catsync=$(ns_to_s "$catsync_ns")
t_cat=$(best_of_s 5 sh -c "cat '$SCRATCH'/pages/*.jpg > '$SCRATCH/out.cat'")
echo "pack 200 MB: kvbtool ${t_pack}s, cat+sync ${t_catsync}s (medians of 7, taking turns, both warm, new files), ratio $(ratio "$t_pack" "$t_catsync") (goal <= 1.1); plain cat ${t_cat}s"
report "kvbtool pack of 200 MB of page files (warm, medians)" "${t_pack} s" "cat + sync FILE: ${t_catsync} s" "$(ratio "$t_pack" "$t_catsync")" "<= 1.1"
rm -f "$SCRATCH/out.kvb" "$SCRATCH/out.cat"

json=$("$BENCH" --benchmark_format=json --benchmark_filter=-BM_Load 2>/dev/null)
walk_us=$(printf "%s" "$json" | python3 -c 'import json,sys; d=json.load(sys.stdin); b=[b for b in d["benchmarks"] if b["name"].startswith("BM_Walk")][0]; print("%.3f" % (b["real_time"] * 1000 / 10000))')
# The decode is taken as the best of five repetitions, as djpeg's is the best
# of five runs.
load_json=$("$BENCH" --benchmark_format=json --benchmark_filter=BM_Load --benchmark_repetitions=5 2>/dev/null)
load_ms=$(printf '%s' "$load_json" | python3 -c 'import json,sys; d=json.load(sys.stdin); r=[b["real_time"] for b in d["benchmarks"] if b["name"].startswith("BM_Load") and b.get("run_type") == "iteration"]; print("%.1f" % min(r))')
echo "walk 10,000-page book: ${walk_us} us per page (goal < 5)"
report "walking a 10,000-page book, per page (warm)" "${walk_us} us" "-" "$walk_us" "<= 5"

if command -v djpeg >/dev/null; then
  t_djpeg=$(best_of_s 5 djpeg -outfile /dev/null "$SCRATCH/photo6000x4000.jpg")
  djpeg_ms=$(awk -v s="$t_djpeg" 'BEGIN { printf "%.1f", s * 1000 }')
  echo "decode 6000x4000 JPEG: loadPagePicture ${load_ms} ms, djpeg ${djpeg_ms} ms, ratio $(ratio "$load_ms" "$djpeg_ms") (goal <= 1.3)"
  report "loadPagePicture of a 6000 x 4000 JPEG" "${load_ms} ms" "djpeg: ${djpeg_ms} ms" "$(ratio "$load_ms" "$djpeg_ms")" "<= 1.3"
else
  echo "decode 6000x4000 JPEG: loadPagePicture ${load_ms} ms (djpeg not installed: apt-get install libjpeg-turbo-progs)"
fi

# The 1000 books were made by bench_common above.
BOOKS="$SCRATCH/verify"
if [ -e "$BOOKS/book1000.kvb" ]; then
  cat "$BOOKS"/*.kvb > /dev/null   # warm the cache for both
  t_verify=$(best_of_s 2 "$KVBTOOL" verify "$BOOKS"/*.kvb)
  t_catnull=$(best_of_s 5 sh -c "cat '$BOOKS'/*.kvb > /dev/null")
  if [ -n "$t_verify" ] && [ -n "$t_catnull" ]; then
    echo "verify 1000 books of two 600x800 JPEG pages: kvbtool ${t_verify}s, cat to /dev/null ${t_catnull}s, ratio $(ratio "$t_verify" "$t_catnull") (goal <= 1.3)"
    report "kvbtool verify of 1000 books (2 JPEG pages each, every page read)" "${t_verify} s" "cat to /dev/null: ${t_catnull} s" "$(ratio "$t_verify" "$t_catnull")" "<= 1.3"
    t_decode=$(best_of_s 2 "$KVBTOOL" verify --decode "$BOOKS"/*.kvb)
    [ -n "$t_decode" ] && report "kvbtool verify --decode of those books (contrast)" "${t_decode} s" "cat to /dev/null: ${t_catnull} s" "$(ratio "$t_decode" "$t_catnull")" "-"
  else
    echo "kvbtool verify failed"; exit 1
  fi
else
  echo "the 1000 books for verify were not made"; exit 1
fi

# The file managers' thumbnailer on a 600-dpi first page without a stored
# thumbnail: the whole kvbtool process against djpeg decoding the same page
# at 1/8 scale (the DCT scaling kvbtool uses), goal under 150 ms.
"$BENCH" --benchmark_filter=BM_BookCoverPicture600dpi >/dev/null 2>&1
if [ -f "$SCRATCH/scan600dpi.kvb" ]; then
  t_thumb=$(best_of_ms 7 "$KVBTOOL" thumbnail --size 256 "$SCRATCH/scan600dpi.kvb" "$SCRATCH/thumb.png")
  if command -v djpeg >/dev/null; then
    t_djpeg8=$(best_of_ms 7 djpeg -scale 1/8 -outfile /dev/null "$SCRATCH/scan600dpi.jpg")
    echo "thumbnail of a 4960x7016 JPEG first page at 256: kvbtool ${t_thumb} ms, djpeg -scale 1/8 ${t_djpeg8} ms, ratio $(ratio "$t_thumb" "$t_djpeg8") (goal < 150 ms)"
    report "kvbtool thumbnail --size 256 of a 4960 x 7016 JPEG first page, ms" "${t_thumb} ms" \
      "djpeg -scale 1/8: ${t_djpeg8} ms" "${t_thumb}" "<= 150"
  else
    echo "thumbnail of a 4960x7016 JPEG first page at 256: kvbtool ${t_thumb} ms (goal < 150 ms)"
  fi
fi
