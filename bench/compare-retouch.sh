#!/usr/bin/env bash
# Retouch against peers measured in the same run:
#  - correctAllColumns on a 4960 x 7016 scan with every column corrected vs
#    cv::LUT over the same picture, the memory-speed limit of a table lookup
#    (goal: ratio <= 2)
#  - retouch --apply of a profile to 20 such scans (JPEG, quality 95) vs djpeg
#    then cjpeg of the same files, file to file through a PPM file, one file
#    after the other (goal: ratio <= 1.3)
# Usage: bench/compare-retouch.sh BUILD_DIR SCRATCH_DIR
set -u
BUILD=$1
SCRATCH=$2
RETOUCH="$BUILD/retouch/retouch"
BENCH="$BUILD/bench/retouch_bench"
if [ ! -x "$RETOUCH" ] || [ ! -x "$BENCH" ]; then
  echo "retouch: not built, skipped"
  exit 0
fi

. "$(dirname "$0")/timing.sh"

status=0
json=$("$BENCH" --benchmark_format=json --benchmark_repetitions=5 \
       --benchmark_filter='BM_(CorrectAllColumns|Lut)/' 2>/dev/null) || { echo "retouch_bench failed"; exit 1; }
best() {
  printf '%s' "$json" | python3 -c 'import json,sys; d=json.load(sys.stdin); r=[b["real_time"] for b in d["benchmarks"] if b["name"].startswith(sys.argv[1]) and b.get("run_type") == "iteration"]; print("%.1f" % min(r))' "$1"
}
ours=$(best BM_CorrectAllColumns)
lut=$(best BM_Lut)
r=$(ratio "$ours" "$lut")
echo "correctAllColumns, 4960x7016, every column: ${ours} ms, cv::LUT over the same picture ${lut} ms, ratio ${r} (goal <= 2)"
report "Retouch: correctAllColumns on a 4960 x 7016 scan, every column" "${ours} ms" "cv::LUT: ${lut} ms" "$r" "<= 2"
awk -v r="$r" 'BEGIN { exit !(r <= 2) }' || status=1

mkdir -p "$SCRATCH/scans" "$SCRATCH/out" "$SCRATCH/peer"
"$BENCH" --write-scan "$SCRATCH/scans/scan00.jpg" || exit 1
"$BENCH" --write-profile "$SCRATCH/profile.csv" || exit 1
for n in $(seq -w 1 19); do cp "$SCRATCH/scans/scan00.jpg" "$SCRATCH/scans/scan$n.jpg"; done
if command -v djpeg >/dev/null && command -v cjpeg >/dev/null; then
  cat "$SCRATCH"/scans/*.jpg > /dev/null
  apply=$(best_of_s 2 "$RETOUCH" --apply "$SCRATCH/profile.csv" --quality 95 --output "$SCRATCH/out" \
          "$SCRATCH"/scans/*.jpg) || { echo "retouch --apply failed"; exit 1; }
  peer=$(best_of_s 2 sh -c "for f in '$SCRATCH'/scans/*.jpg; do djpeg -outfile '$SCRATCH/peer/page.ppm' \"\$f\" && cjpeg -quality 95 -outfile '$SCRATCH/peer/'\$(basename \"\$f\") '$SCRATCH/peer/page.ppm' || exit 1; done")
  r=$(ratio "$apply" "$peer")
  echo "retouch --apply, 20 scans 4960x7016: ${apply} s, djpeg + cjpeg of the same files ${peer} s, ratio ${r} (goal <= 1.3)"
  report "Retouch: --apply of a profile to 20 scans" "${apply} s" "djpeg + cjpeg: ${peer} s" "$r" "<= 1.3"
  awk -v r="$r" 'BEGIN { exit !(r <= 1.3) }' || status=1
else
  echo "retouch --apply: djpeg or cjpeg not installed (apt-get install libjpeg-turbo-progs)"
fi
exit $status
