# Timing for the benchmark scripts, which source this file after setting
# `timings` to a folder of their own.
#
# The machine may be shared: a busy spell can slow everything by half for
# minutes. So the scripts take their runs in rounds, every command once a round,
# and keep the best run of each; a busy spell then falls on all commands alike
# instead of on whichever happened to be timed during it, and the ratios between
# them (the sizes, the reference) stay fair.

# timed KEY COMMAND...: runs the command once, its output discarded, and keeps
# the best "WALL CPU PEAK_KB" of the runs under KEY so far (best by wall time).
# A failing command stops the script with what it printed.
timed() {
  local key=$1 run
  shift
  /usr/bin/time -f "%e %U %S %M" -o "$timings/time" "$@" > /dev/null 2> "$timings/stderr" ||
    { cat "$timings/stderr" >&2; exit 1; }
  run=$(awk '{ printf "%.3f %.3f %d", $1, $2 + $3, $4 }' "$timings/time")
  if [ ! -e "$timings/$key" ] ||
    awk -v a="${run%% *}" -v b="$(cut -d ' ' -f 1 "$timings/$key")" 'BEGIN { exit !(a < b) }'; then
    echo "$run" > "$timings/$key"
  fi
}

# best KEY: the best "WALL CPU PEAK_KB" kept under KEY
best() {
  cat "$timings/$1"
}
