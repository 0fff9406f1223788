#!/usr/bin/env bash
# Prints the performance ratios of the suite against peers measured in the
# same run. Usage: bench/compare.sh [BUILD_DIR]   (default: build)
# Each program contributes a bench/compare-<part>.sh that takes the build
# folder and a scratch folder.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
BUILD=$(cd "${1:-$HERE/../build}" && pwd)
SCRATCH=$(mktemp -d /tmp/velloran-bench.XXXXXX)
trap 'rm -rf "$SCRATCH"' EXIT
status=0
for part in "$HERE"/compare-*.sh; do
  [ -e "$part" ] || continue
  echo "== $(basename "$part" .sh | sed 's/^compare-//')"
  mkdir -p "$SCRATCH/$(basename "$part" .sh)"
  bash "$part" "$BUILD" "$SCRATCH/$(basename "$part" .sh)" || status=1
done
exit $status
