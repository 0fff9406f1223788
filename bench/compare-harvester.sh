#!/usr/bin/env bash
# Harvester against its peers, measured in one run:
#  - mode 0 over 20 PDFs of 20 A4 scans  vs  pdfimages -j on each PDF one
#    after the other, each followed by kvbtool pack of what it wrote
#  - mode 2 over 50 folders of 20 A4 scans  vs  cat of each folder's files
#    into one file
# Usage: compare-harvester.sh BUILD_DIR SCRATCH_DIR
set -u
BUILD=$1
SCRATCH=$2
HARVESTER="$BUILD/harvester/harvester"
KVBTOOL="$BUILD/tools/kvbtool/kvbtool"
BENCH="$BUILD/bench/harvester_bench"
[ -x "$HARVESTER" ] && [ -x "$BENCH" ] || { echo "harvester or harvester_bench not built; skipped"; exit 0; }
command -v pdfimages >/dev/null || { echo "pdfimages missing (poppler-utils); skipped"; exit 0; }
export QT_QPA_PLATFORM=offscreen
. "$(dirname "$0")/timing.sh"

# The best of 3 runs, each started after a sync, so that no run pays for
# writing back what the one before it left dirty.
best_after_sync() {
  local best="" t
  for _ in 1 2 3; do
    sync
    t=$(best_of_ns 1 "$@") || return 1
    if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
  done
  awk -v ns="$best" 'BEGIN { printf "%.4f", ns / 1e9 }'
}

DATA="$SCRATCH/data"
out=$("$BENCH" --data="$DATA" --make --benchmark_format=csv 2>/dev/null) || { echo "harvester_bench failed"; exit 1; }
pack_ms=$(echo "$out" | awk -F, '/BM_PackFolder\/0/ { print $3 }' | tail -n 1)
pack_thumb_ms=$(echo "$out" | awk -F, '/BM_PackFolder\/1/ { print $3 }' | tail -n 1)
PDFS="$DATA/pdfs"
FOLDERS="$DATA/folders"
mkdir -p "$SCRATCH/work" "$SCRATCH/peer"
cat "$PDFS"/*.pdf "$FOLDERS"/*/*.jpg > /dev/null   # warm the cache for both

# Mode 0. --yes answers the overwrite question from the second round on.
mode0() { "$HARVESTER" --run 0 --yes --work "$SCRATCH/work" "$PDFS"; }
peer0() {
  for pdf in "$PDFS"/*.pdf; do
    name=$(basename "$pdf" .pdf)
    mkdir -p "$SCRATCH/peer/$name" || return 1
    pdfimages -j "$pdf" "$SCRATCH/peer/$name/Img" || return 1
    "$KVBTOOL" pack "$SCRATCH/peer/$name.kvb" "$SCRATCH/peer/$name" || return 1
    rm -rf "$SCRATCH/peer/$name"
  done
}
t0=$(best_after_sync mode0) || { echo "harvester --run 0 failed"; exit 1; }
p0=$(best_after_sync peer0) || { echo "pdfimages + kvbtool pack failed"; exit 1; }
pages=$(ls "$PDFS"/*.pdf | wc -l)
echo "mode 0, $pages PDFs of 20 A4 scans: harvester ${t0}s, pdfimages -j + kvbtool pack ${p0}s, ratio $(ratio "$t0" "$p0") (goal <= 1.15)"
report "Harvester: mode 0 over $pages PDFs of 20 A4 scans" "${t0} s" "pdfimages -j + kvbtool pack: ${p0} s" "$(ratio "$t0" "$p0")" "<= 1.15"
rm -f "$PDFS"/*.kvb "$SCRATCH"/peer/*.kvb

# Mode 2.
mode2() { "$HARVESTER" --run 2 --yes "$FOLDERS"; }
peer2() {
  for folder in "$FOLDERS"/*/; do
    cat "$folder"*.jpg > "${folder%/}.cat" || return 1
  done
}
peer2sync() { peer2 && sync "$FOLDERS"/*.cat; }
t2=$(best_after_sync mode2) || { echo "harvester --run 2 failed"; exit 1; }
p2=$(best_after_sync peer2) || { echo "cat failed"; exit 1; }
p2s=$(best_after_sync peer2sync) || { echo "cat + sync failed"; exit 1; }
echo "mode 2, 50 folders of 20 A4 scans: harvester ${t2}s, cat ${p2}s, ratio $(ratio "$t2" "$p2") (goal <= 1.3); cat + sync ${p2s}s, ratio $(ratio "$t2" "$p2s")"
report "Harvester: mode 2 over 50 folders of 20 A4 scans" "${t2} s" "cat: ${p2} s" "$(ratio "$t2" "$p2")" "<= 1.3"
report "Harvester: mode 2, against cat + sync (contrast)" "${t2} s" "cat + sync: ${p2s} s" "$(ratio "$t2" "$p2s")" "-"
echo "packing one folder of 20 scans in-process: ${pack_ms} ms, ${pack_thumb_ms} ms with the thumbnail"
rm -f "$FOLDERS"/*.kvb "$FOLDERS"/*.cat
