#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target for MINUTES minutes (all targets at once,
# each for the whole time), starting from the seeds kept in the repository: fuzz/seeds/<target>/
# and, for the script reader, the scenario scripts. New inputs go to build-fuzz/corpus/<target>/,
# crashes to build-fuzz/crashes/. Exits non-zero when any target found a crash.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes="${1:?usage: scripts/fuzz.sh MINUTES}"
scripts/install-deps.sh fuzz
cmake --preset fuzz
cmake --build --preset fuzz --target recogniser_fuzz property_file_fuzz script_fuzz

seconds=$((minutes * 60))
status=0
pids=()
for target in recogniser_fuzz property_file_fuzz script_fuzz; do
  corpus="build-fuzz/corpus/$target"
  crashes="build-fuzz/crashes/$target"
  mkdir -p "$corpus" "$crashes"
  seeds=("fuzz/seeds/${target%_fuzz}")
  if [ "$target" = script_fuzz ]; then
    seeds+=(tests/scenarios)  # the acceptance scripts are seeds as well
  fi
  # The first folder collects what the run finds; the seed folders are only read.
  build-fuzz/fuzz/$target "$corpus" "${seeds[@]}" -max_total_time="$seconds" \
    -artifact_prefix="$crashes/" -print_final_stats=1 >"build-fuzz/$target.log" 2>&1 &
  pids+=($!)
done
for i in "${!pids[@]}"; do
  if ! wait "${pids[$i]}"; then
    status=1
  fi
done
for target in recogniser_fuzz property_file_fuzz script_fuzz; do
  # The last coverage line and the final run count of each target.
  cov=$(grep -o 'cov: [0-9]*' "build-fuzz/$target.log" | tail -1)
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "build-fuzz/$target.log" | tail -1)
  echo "$target: ${cov:-cov: ?}, ${runs:-runs ?}, log build-fuzz/$target.log"
done
exit $status
