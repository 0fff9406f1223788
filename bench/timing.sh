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

# paired_medians_ns N A B [SET_A SET_B]: times A and B (commands or shell
# functions without arguments) N times each, taking turns and starting each
# round with the other one, and prints the median wall-clock time of each in
# nanoseconds: "A B". SET_A and SET_B, when given, run untimed before each
# run of A and B (to put back the state a run starts from). Then the disk is
# brought to rest (sync, untimed), so neither waits behind what the other
# left to write back. For a shared machine: both see the same load, and the
# medians pass over the runs a build next door disturbed. Fails when a
# command fails.
paired_medians_ns() {
  local n=$1 a=$2 b=$3 set_a=${4:-true} set_b=${5:-true} i t0 t1 first second cmd
  local -a ta=() tb=()
  for i in $(seq "$n"); do
    if [ $(( i % 2 )) -eq 1 ]; then first=$a; second=$b; else first=$b; second=$a; fi
    for cmd in "$first" "$second"; do
      if [ "$cmd" = "$a" ]; then $set_a || return 1; else $set_b || return 1; fi
      sync
      t0=$(date +%s%N)
      $cmd >/dev/null 2>&1 || return 1
      t1=$(date +%s%N)
      if [ "$cmd" = "$a" ]; then ta+=($(( t1 - t0 ))); else tb+=($(( t1 - t0 ))); fi
    done
  done
  echo "$(median "${ta[@]}") $(median "${tb[@]}")"
}

median() {
  printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Nanoseconds as seconds (four decimals).
ns_to_s() { awk -v ns="$1" 'BEGIN { printf "%.4f", ns / 1e9 }'; }

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
