#!/usr/bin/env bash
# Retoner's colour chain against ImageMagick on the same 4000 x 3000 picture,
# in the same run: blur 7 x 7, Lanczos resize to 36 percent, colour table on,
# sharpen 7 x 7, JPEG out. Then the colour table alone (build and apply).
# Usage: bench/compare-retoner.sh BUILD_DIR SCRATCH_DIR
set -u
BUILD=$1
SCRATCH=$2
RETONER="$BUILD/retoner/retoner"
BENCH="$BUILD/bench/retoner_bench"
MAGICK=/usr/bin/convert
if [ ! -x "$RETONER" ] || [ ! -x "$BENCH" ]; then
  echo "retoner: not built, skipped"
  exit 0
fi
mkdir -p "$SCRATCH/out"
PAGE="$SCRATCH/page.jpg"
"$BENCH" --write-test-image "$PAGE" || exit 1
"$RETONER" --write-default-settings "$SCRATCH/chain.tnp" || exit 1
# Defaults: blur 7 x 7, sharpen 7 x 7 at 40, 36 percent, JPEG 95; switch the table on.
sed -i 's/^ColorParam,3,3,40,0\r$/ColorParam,3,3,40,1\r/' "$SCRATCH/chain.tnp"
grep -q '^ColorParam,3,3,40,1' "$SCRATCH/chain.tnp" || { echo "settings not as expected"; exit 1; }

. "$(dirname "$0")/timing.sh"

status=0
ours=$(best_of_s 3 "$RETONER" --batch --classify 2 --settings "$SCRATCH/chain.tnp" \
       --output "$SCRATCH/out" "$PAGE") || { echo "retoner --batch failed"; exit 1; }
if [ -x "$MAGICK" ] && "$MAGICK" -version 2>/dev/null | grep -q ImageMagick; then
  # sigma 1.4 is OpenCV's own for a 7 x 7 blur; the unsharp mask is 7 x 7 at sigma 1.6, amount 0.8.
  theirs=$(best_of_s 3 "$MAGICK" "$PAGE" -blur 3x1.4 -filter Lanczos -resize 36% \
           -unsharp 3x1.6+0.8+0 -quality 95 "$SCRATCH/out/magick.jpg") || { echo "convert failed"; exit 1; }
  ratio=$(ratio "$ours" "$theirs")
  printf 'colour chain, file to file: retoner %.3f s, ImageMagick %.3f s, ratio %.2f (goal <= 0.50)\n' \
    "$ours" "$theirs" "$ratio"
  report "Retoner: colour chain on a 4000 x 3000 JPEG, file to file" "$(printf '%.3f s' "$ours")" \
    "$(printf 'ImageMagick: %.3f s' "$theirs")" "$ratio" "<= 0.5"
else
  printf 'colour chain, file to file: retoner %.3f s (ImageMagick not found at %s)\n' "$ours" "$MAGICK"
fi

"$BENCH" --benchmark_filter='BM_(ColorChain|BuildColorLut|ApplyColorLut)' --benchmark_min_time=0.3 \
  --benchmark_format=csv 2>/dev/null >"$SCRATCH/bench.csv" || { echo "retoner_bench failed"; exit 1; }
field() { grep "^\"$1/" "$SCRATCH/bench.csv" | cut -d, -f"$2"; }
build_ms=$(field BM_BuildColorLut 3)
apply_ms=$(field BM_ApplyColorLut 3)
chain_ms=$(field BM_ColorChain 3)
apply_mps=$(awk -v v="$(field BM_ApplyColorLut 7)" 'BEGIN { print v / 1e6 }')
printf 'colour chain in memory (4000 x 3000): %.1f ms\n' "$chain_ms"
printf 'buildColorLut: %.1f ms (goal < 100 ms)\n' "$build_ms"
printf 'applyColorLut: %.1f ms, %.0f million pixels/s (goal >= 50)\n' "$apply_ms" "$apply_mps"
report "Retoner: buildColorLut" "$(printf '%.1f ms' "$build_ms")" "-" "$(printf '%.1f' "$build_ms")" "<= 100"
report "Retoner: applyColorLut, million pixels/s" "$(printf '%.0f M/s' "$apply_mps")" "-" "$(printf '%.0f' "$apply_mps")" ">= 50"
exit $status
