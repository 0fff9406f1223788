#!/usr/bin/env bash
# Runs every fuzz harness for SECONDS each on its corpus and prints, per
# harness, the executions, the coverage reached and the findings.
#
#   bench/fuzz/run.sh SECONDS [--runs N] [--jobs J] [--keep] [--ub-only [--no-cmp-trace]] [HARNESS...]
#
# The harnesses are built with clang, libFuzzer, AddressSanitizer and UBSan
# into build-fuzz/ (or $FUZZ_BUILD_DIR). --ub-only builds them with UBSan
# alone into build-fuzz-ub/ for long runs: AddressSanitizer's bookkeeping of
# the decoders' large buffers costs most of the time, and without it a
# harness runs many times the inputs (replay what such a run kept under the
# full build: the replay tests and a plain run do). --no-cmp-trace (with
# --ub-only) leaves out libFuzzer's tracing of comparisons, which costs half
# the time of a harness that reads text; the corpus it starts from carries
# what that tracing found. --jobs J runs J copies of each harness side by
# side (the N runs shared among them). New inputs go to a scratch folder;
# --keep moves those that reached new coverage into the stored corpus
# (through libFuzzer's merge, so only inputs that add coverage are kept).
# --runs N stops each harness after N executions instead of after SECONDS.
# Every input is held to the suite's limits: 2 GB of memory, 10 s.
# Exit status: 0 when no harness found anything, 1 otherwise, 2 on usage or
# build errors.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
usage() { echo "usage: $0 SECONDS [--runs N] [--jobs J] [--keep] [--ub-only [--no-cmp-trace]] [HARNESS...]" >&2; exit 2; }
[ $# -ge 1 ] || usage
SECONDS_EACH=$1; shift
[[ "$SECONDS_EACH" =~ ^[0-9]+$ ]] || usage
RUNS=-1
KEEP=0
UB_ONLY=0
NO_CMP=0
JOBS=1
HARNESSES=()
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) [ $# -ge 2 ] && [[ "$2" =~ ^[0-9]+$ ]] || usage; RUNS=$2; shift 2 ;;
    --keep) KEEP=1; shift ;;
    --ub-only) UB_ONLY=1; shift ;;
    --no-cmp-trace) NO_CMP=1; shift ;;
    --jobs) [ $# -ge 2 ] && [[ "$2" =~ ^[1-9][0-9]*$ ]] || usage; JOBS=$2; shift 2 ;;
    -*) usage ;;
    *) HARNESSES+=("$1"); shift ;;
  esac
done
if [ ${#HARNESSES[@]} -eq 0 ]; then
  for source in "$HERE"/fuzz_*.cpp; do
    name=$(basename "$source" .cpp); HARNESSES+=("${name#fuzz_}")
  done
fi

[ "$NO_CMP" -eq 0 ] || [ "$UB_ONLY" -eq 1 ] || usage
if [ "$UB_ONLY" -eq 1 ] && [ "$NO_CMP" -eq 1 ]; then
  BUILD=${FUZZ_BUILD_DIR:-$ROOT/build-fuzz-ub-nocmp}
  SANITIZERS=(-DSANITIZE=OFF -DFUZZ_SANITIZERS=undefined -DCMAKE_CXX_FLAGS=-fno-sanitize-coverage=trace-cmp)
elif [ "$UB_ONLY" -eq 1 ]; then
  BUILD=${FUZZ_BUILD_DIR:-$ROOT/build-fuzz-ub}
  SANITIZERS=(-DSANITIZE=OFF -DFUZZ_SANITIZERS=undefined)
else
  BUILD=${FUZZ_BUILD_DIR:-$ROOT/build-fuzz}
  SANITIZERS=(-DSANITIZE=ON -DFUZZ_SANITIZERS=address,undefined)
fi

command -v clang++ >/dev/null || { echo "clang++ is needed to build the fuzz harnesses" >&2; exit 2; }
targets=()
for h in "${HARNESSES[@]}"; do targets+=("fuzz_$h"); done
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ -DBUILD_FUZZERS=ON "${SANITIZERS[@]}" -DBUILD_BENCHMARKS=OFF \
      ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null \
  || { echo "Configuring the fuzz build failed." >&2; exit 2; }
cmake --build "$BUILD" --target "${targets[@]}" >/dev/null \
  || { echo "Building the fuzz harnesses failed." >&2; exit 2; }

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
SCRATCH=$(mktemp -d /tmp/velloran-fuzz.XXXXXX)
trap 'rm -rf "$SCRATCH"' EXIT
status=0
# Every copy of every harness is one process; as many run at once as there
# are cores (at least the J copies of one harness), so short runs of many
# harnesses share the machine instead of queueing behind each other.
SLOTS=$(nproc 2>/dev/null || echo 1)
[ "$SLOTS" -ge "$JOBS" ] || SLOTS=$JOBS
for h in "${HARNESSES[@]}"; do
  corpus="$HERE/corpus/$h"
  mkdir -p "$corpus" "$SCRATCH/$h/new" "$SCRATCH/$h/findings"
  # Outside test files are read in place (never copied into the corpus).
  outside=()
  [ "$h" = decode ] && [ -d "$ROOT/../shared/testdata/pngsuite" ] && outside=("$ROOT/../shared/testdata/pngsuite")
  runs=$RUNS
  [ "$RUNS" -ge 0 ] && runs=$(( (RUNS + JOBS - 1) / JOBS ))
  while [ "$(jobs -rp | wc -l)" -gt $(( SLOTS - JOBS )) ]; do wait -n; done
  for j in $(seq 1 "$JOBS"); do
    "$BUILD/bench/fuzz/fuzz_$h" -max_total_time="$SECONDS_EACH" -runs="$runs" \
        -rss_limit_mb=2048 -malloc_limit_mb=2048 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$SCRATCH/$h/findings/" "$SCRATCH/$h/new" "$corpus" "${outside[@]}" \
        >"$SCRATCH/$h/log.$j" 2>&1 &
  done
done
wait

printf '%-10s %12s %8s %8s %s\n' harness executions cov ft findings
for h in "${HARNESSES[@]}"; do
  corpus="$HERE/corpus/$h"
  log="$SCRATCH/$h/log"
  cat "$SCRATCH/$h"/log.* >"$log"
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | awk '{ s += $1; n++ } END { if (n) print s }')
  # Coverage: the most any copy reached.
  cov=$(grep -o 'cov: [0-9]*' "$log" | cut -d' ' -f2 | sort -n | tail -1)
  ft=$(grep -o 'ft: [0-9]*' "$log" | cut -d' ' -f2 | sort -n | tail -1)
  # Crashes, leaks, inputs over the time or memory limit; libFuzzer's
  # slow-unit notes (inputs well inside the limits) are only counted apart.
  findings=$(find "$SCRATCH/$h/findings" -type f ! -name 'slow-unit-*' | wc -l)
  slow=$(find "$SCRATCH/$h/findings" -type f -name 'slow-unit-*' | wc -l)
  [ "$slow" -gt 0 ] && echo "  $h: $slow slow inputs noted (within the limits)" >&2
  printf '%-10s %12s %8s %8s %s\n' "$h" "${execs:-?}" "${cov:-?}" "${ft:-?}" "$findings"
  if [ "$findings" -gt 0 ]; then
    status=1
    mkdir -p "$ROOT/build-fuzz-findings/$h"
    cp "$SCRATCH/$h/findings"/* "$ROOT/build-fuzz-findings/$h/"
    echo "  inputs kept in build-fuzz-findings/$h; the harness said:" >&2
    grep -m3 -E 'ERROR|SUMMARY|==[0-9]+==' "$log" | sed 's/^/  /' >&2
  elif [ -z "$execs" ]; then
    status=1
    echo "  $h did not run:" >&2; tail -5 "$log" | sed 's/^/  /' >&2
  fi
  if [ "$KEEP" -eq 1 ] && [ -n "$(ls -A "$SCRATCH/$h/new")" ]; then
    "$BUILD/bench/fuzz/fuzz_$h" -merge=1 -rss_limit_mb=2048 -timeout=10 \
        "$corpus" "$SCRATCH/$h/new" >"$SCRATCH/$h/merge.log" 2>&1 \
      || echo "  merging new inputs of $h failed" >&2
  fi
done
exit $status
