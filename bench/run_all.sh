#!/usr/bin/env bash
# Every benchmark the README quotes, in one run, with the machine's conditions noted before and
# after: the benchmarks of single actions three times over (so a repetition slower than the others
# shows), the imports and exports once (each already runs several times), then the whole-process
# start. The lookup's repetitions run in a shuffled order: a spell of a shared machine's noise then
# slows one repetition of several table sizes, not all three of one size, and the ratio of its
# keystroke at 1M to 100k stays fair. It only reads its tables; elsewhere a benchmark's order is
# part of what it measures (the table the one before changed), and stays. Text and JSON results
# land in one folder.
#
#   bench/run_all.sh [BUILD_FOLDER] [RESULTS_FOLDER]     (defaults: build, BUILD_FOLDER/bench-results)
set -euo pipefail
cd "$(dirname "$0")/.."

build=$(realpath "${1:-build}")
results=${2:-$build/bench-results}
mkdir -p "$results"

conditions() { echo "$1: $(date -u +%FT%TZ), $(uptime | sed 's/.*load/load/')"; }
{
  echo "$(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p'), $(uname -r)"
  conditions before
} >"$results/conditions.txt"

for program in "$build"/bin/*_bench; do
  name=$(basename "$program")
  repetitions=3 interleaving=false
  case $name in
    wordlist_*) repetitions=1 ;;
    lookup_bench) interleaving=true ;;
  esac
  echo "== $name" >&2
  "$program" --benchmark_repetitions=$repetitions --benchmark_enable_random_interleaving=$interleaving \
    --benchmark_out="$results/$name.json" --benchmark_out_format=json >"$results/$name.txt" 2>&1
done

echo "== process_start.sh" >&2
bench/process_start.sh "$build/bin/DoRori" >"$results/process_start.txt" 2>&1
# A desktop session has a message bus, which the window's accessibility support connects to;
# without one it first tries to start a bus of its own.
if command -v dbus-run-session >/dev/null; then
  echo "== process_start.sh on a session bus" >&2
  dbus-run-session -- bench/process_start.sh "$build/bin/DoRori" >"$results/process_start-bus.txt" 2>&1
fi

conditions after >>"$results/conditions.txt"
echo "results in $results" >&2
