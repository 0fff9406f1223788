#!/usr/bin/env bash
# Harvester against its peers, measured in one run:
#  - mode 0 over 20 PDFs of 20 A4 scans  vs  pdfimages -j on each PDF one
#    after the other, each followed by kvbtool pack of what it wrote
#  - mode 2 over 50 folders of 20 A4 scans  vs  cat of each folder's files
#    into one file
#  - mode 0 in the window over 1000 small PDFs  vs  the same over 100: peak
#    memory (flat within 10 %), and the longest the window's event loop went
#    without turning during the run (goal: no stall over 100 ms)
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
# Harvester ends with every book on disk (a source may go only then), so the
# goal is held against cat + sync, which ends in the same state; plain cat
# leaves its writing to the kernel after it exits and is shown for contrast.
echo "mode 2, 50 folders of 20 A4 scans: harvester ${t2}s, cat + sync ${p2s}s, ratio $(ratio "$t2" "$p2s") (goal <= 1.3); plain cat ${p2}s, ratio $(ratio "$t2" "$p2")"
report "Harvester: mode 2 over 50 folders of 20 A4 scans" "${t2} s" "cat + sync: ${p2s} s" "$(ratio "$t2" "$p2s")" "<= 1.3"
report "Harvester: mode 2, against plain cat (contrast)" "${t2} s" "cat: ${p2} s" "$(ratio "$t2" "$p2")" "-"
echo "packing one folder of 20 scans in-process: ${pack_ms} ms, ${pack_thumb_ms} ms with the thumbnail"
rm -f "$FOLDERS"/*.kvb "$FOLDERS"/*.cat

# Mode 0 in the window over 100 and 1000 one-page PDFs, started by the start
# button (--commands 1005) with the default settings (a fresh configuration
# folder): the peak resident size (GNU time) and the longest gap between two
# 10 ms ticks of the event loop while the run lasted (HARVESTER_EVENT_PROBE).
if [ -x /usr/bin/time ]; then
  "$BENCH" --data="$DATA" --make-small --benchmark_filter=none >/dev/null 2>&1
  window0() {  # COUNT: prints "peak_kb longest_gap_ms"
    local count=$1 kb gap
    rm -f "$DATA/small$count"/*.kvb
    rm -rf "$SCRATCH/config"; mkdir -p "$SCRATCH/config"
    cat "$DATA/small$count"/*.pdf > /dev/null
    sync
    XDG_CONFIG_HOME="$SCRATCH/config" HARVESTER_EVENT_PROBE="$SCRATCH/gap" \
      /usr/bin/time -f %M -o "$SCRATCH/rss" "$HARVESTER" --screenshot "$SCRATCH/window.png" --commands 1005 \
      --work "$SCRATCH/work" "$DATA/small$count" >/dev/null 2>&1 || return 1
    [ "$(ls "$DATA/small$count"/*.kvb | wc -l)" -eq "$count" ] || return 1
    kb=$(tail -n 1 "$SCRATCH/rss"); gap=$(cat "$SCRATCH/gap")
    echo "$kb $gap"
  }
  read -r kb100 gap100 < <(window0 100) && read -r kb1000 gap1000 < <(window0 1000) \
    && [ -n "${kb1000:-}" ] || { echo "harvester mode 0 in the window over small PDFs failed"; exit 1; }
  grow=$(awk -v a="$kb1000" -v b="$kb100" 'BEGIN { printf "%.2f", a / b }')
  echo "mode 0 in the window, 1000 one-page PDFs: peak ${kb1000} KiB, against 100: ${kb100} KiB, ratio $grow (goal <= 1.10); longest event-loop gap ${gap1000} ms (100 PDFs: ${gap100} ms; goal <= 100)"
  report "Harvester: mode 0 in the window over 1000 one-page PDFs, peak memory" "${kb1000} KiB" "the same over 100 PDFs: ${kb100} KiB" "$grow" "<= 1.10"
  report "Harvester: mode 0 in the window over 1000 one-page PDFs, longest event-loop stall" "${gap1000} ms" "the 10 ms tick it is measured by" "$(awk -v g="$gap1000" 'BEGIN { printf "%.2f", g / 100 }')" "<= 1.0 (100 ms)"
  rm -f "$DATA"/small*/*.kvb
else
  echo "GNU time missing (Debian package time); the scaling of mode 0 skipped"
fi
