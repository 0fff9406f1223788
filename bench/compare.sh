#!/usr/bin/env bash
# Prints the performance ratios of the suite against peers measured in the
# same run, as one table, each beside its goal.
# Usage: bench/compare.sh [BUILD_DIR]   (default: build)
# Each program contributes a bench/compare-<part>.sh that takes the build
# folder and a scratch folder, prints its own details and hands its rows to
# the table through `report` (timing.sh).
#
# Exit status: non-zero when a part fails, or when a figure misses its goal
# by more than the noise margin: 10 percent of the goal by default
# (VELLORAN_NOISE=0.10). On the 2-core build machine the best of several
# runs still moves by a few percent between runs, more under load.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
BUILD=$(cd "${1:-$HERE/../build}" && pwd)
SCRATCH=$(mktemp -d /tmp/velloran-bench.XXXXXX)
trap 'rm -rf "$SCRATCH"' EXIT
NOISE=${VELLORAN_NOISE:-0.10}
export VELLORAN_RATIOS="$SCRATCH/ratios.tsv"
: > "$VELLORAN_RATIOS"
status=0
for part in "$HERE"/compare-*.sh; do
  [ -e "$part" ] || continue
  name=$(basename "$part" .sh)
  echo "== ${name#compare-}"
  mkdir -p "$SCRATCH/$name"
  bash "$part" "$BUILD" "$SCRATCH/$name" || { echo "${name#compare-}: failed"; status=1; }
done

echo
echo "== all figures of this run (noise margin: $(awk -v m="$NOISE" 'BEGIN { printf "%d", m * 100 }') % of the goal)"
awk -F '\t' -v noise="$NOISE" '
  BEGIN {
    printf "| %s | %s | %s | %s | %s | %s |\n", "job", "ours", "peer (same run)", "ratio (or figure)", "goal", "result"
    print "|---|---|---|---|---|---|"
    missed = 0
  }
  {
    result = "-"
    if ($5 ~ /^<= /) {
      goal = substr($5, 4) + 0
      if ($4 + 0 <= goal) result = "met"
      else if ($4 + 0 <= goal * (1 + noise)) result = "within noise"
      else { result = "MISSED"; missed = 1 }
    } else if ($5 ~ /^>= /) {
      goal = substr($5, 4) + 0
      if ($4 + 0 >= goal) result = "met"
      else if ($4 + 0 >= goal * (1 - noise)) result = "within noise"
      else { result = "MISSED"; missed = 1 }
    }
    printf "| %s | %s | %s | %s | %s | %s |\n", $1, $2, $3, $4, $5, result
  }
  END { exit missed }
' "$VELLORAN_RATIOS" || status=1
exit $status
