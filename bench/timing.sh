# Timing helpers for the compare-*.sh scripts (sourced).

# best_of_ns N COMMAND...: the best of N wall-clock runs, in nanoseconds.
# Fails when the command fails.
best_of_ns() {
  local n=$1; shift
  local best="" t0 t1 t
  for _ in $(seq "$n"); do
    t0=$(date +%s%N)
    "$@" >/dev/null 2>&1 || return 1
    t1=$(date +%s%N)
    t=$(( t1 - t0 ))
    if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
  done
  echo "$best"
}

# The same, printed in milliseconds (one decimal) or seconds (four decimals).
best_of_ms() { local ns; ns=$(best_of_ns "$@") || return 1; awk -v ns="$ns" 'BEGIN { printf "%.1f", ns / 1e6 }'; }
best_of_s() { local ns; ns=$(best_of_ns "$@") || return 1; awk -v ns="$ns" 'BEGIN { printf "%.4f", ns / 1e9 }'; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# report JOB OURS PEER VALUE GOAL: one row of the table bench/compare.sh
# prints at the end of the run. VALUE is the ratio ours/peer (or a figure of
# its own when PEER is "-"); GOAL is "<= X", ">= X" or "-" for a row shown
# for contrast only. Without compare.sh around, rows go nowhere.
report() {
  [ -n "${VELLORAN_RATIOS:-}" ] || return 0
  printf '%s\t%s\t%s\t%s\t%s\n' "$1" "$2" "$3" "$4" "$5" >> "$VELLORAN_RATIOS"
}
