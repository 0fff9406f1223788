#!/usr/bin/env bash
# Glancer against djpeg and ls, measured in one run, at 1920 x 1080 in a
# folder of 600-dpi A4 JPEG scans (4960 x 7016), layout 3:
#  (a) opening an image to finished paint  vs  djpeg -scale 1/4 of the two
#      files one after the other (goal: ratio <= 1.2)
#  (b) the next spread after a 1-second rest  vs  the same djpeg figure
#      (goal: ratio <= 0.1)
#  (c) listing a folder of 2000 images  vs  ls -l of it (goal: ratio <= 2)
set -u
BUILD=$1
SCRATCH=$2
BENCH="$BUILD/bench/bench_glancer"
export VELLORAN_BENCH_DIR="$SCRATCH"
if [ ! -x "$BENCH" ]; then
  echo "bench_glancer not built (build with -DVELLORAN_PROGRAMS including glancer)"
  exit 1
fi

. "$(dirname "$0")/timing.sh"

json=$("$BENCH" --benchmark_format=json --benchmark_repetitions=3 2>/dev/null)
best() {
  printf '%s' "$json" | python3 -c 'import json,sys; d=json.load(sys.stdin); r=[b["real_time"] for b in d["benchmarks"] if b["name"].startswith(sys.argv[1]) and b.get("run_type") == "iteration"]; print("%.1f" % min(r))' "$1"
}
open_ms=$(best BM_OpenToPaint)
next_ms=$(best BM_NextAfterRest)
list_ms=$(best BM_List2000)

P1="$SCRATCH/scans/page1.jpg"; P2="$SCRATCH/scans/page2.jpg"
ls_ms=$(best_of_ms 7 ls -l "$SCRATCH/list")
echo "listing 2000 images: glancer ${list_ms} ms, ls -l ${ls_ms} ms, ratio $(ratio "$list_ms" "$ls_ms") (goal <= 2)"
report "Glancer: listing a folder of 2000 images" "${list_ms} ms" "ls -l: ${ls_ms} ms" "$(ratio "$list_ms" "$ls_ms")" "<= 2"
if command -v djpeg >/dev/null; then
  cat "$P1" "$P2" > /dev/null
  djpeg_q=$(best_of_ms 7 sh -c "djpeg -scale 1/4 -outfile /dev/null '$P1' && djpeg -scale 1/4 -outfile /dev/null '$P2'")
  echo "open to paint, two 4960x7016 scans at 1920x1080: glancer ${open_ms} ms, djpeg -scale 1/4 (both) ${djpeg_q} ms, ratio $(ratio "$open_ms" "$djpeg_q") (goal <= 1.2)"
  echo "next spread after a 1 s rest: glancer ${next_ms} ms, ratio $(ratio "$next_ms" "$djpeg_q") to djpeg (goal <= 0.1)"
  report "Glancer: opening a 600-dpi scan to finished paint, layout 3" "${open_ms} ms" \
    "djpeg -scale 1/4 of both: ${djpeg_q} ms" "$(ratio "$open_ms" "$djpeg_q")" "<= 1.2"
  report "Glancer: the next spread after a 1-second rest (read ahead)" "${next_ms} ms" \
    "djpeg -scale 1/4 of both: ${djpeg_q} ms" "$(ratio "$next_ms" "$djpeg_q")" "<= 0.1"
else
  echo "open to paint ${open_ms} ms; next spread after a rest ${next_ms} ms (djpeg not installed: apt-get install libjpeg-turbo-progs)"
fi
echo "machine load while measuring: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
