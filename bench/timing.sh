# Shared by the whole-program benchmarks; sourced, with $runs set.

# The best wall time in seconds of $runs runs of a command, each after the
# preparing command (true for none), which is not timed.
best() {  # prepare-command command...
  local prepare=$1 best=999999
  shift
  for _ in $(seq "$runs"); do
    "$prepare"
    local start end
    start=$(date +%s.%N)
    "$@" > /dev/null
    end=$(date +%s.%N)
    best=$(python3 -c "print(min($best, $end - $start))")
  done
  echo "$best"
}

report() {  # label, our time, their time, their name
  python3 -c "print(f'$1: qor-erp {$2:.3f} s   $4: {$3:.3f} s   ratio: {$2 / $3:.2f}')"
}
