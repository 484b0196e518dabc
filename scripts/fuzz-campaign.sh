#!/usr/bin/env bash
# A timed fuzz campaign: every harness of fuzz/ searches for inputs that crash or break a promise,
# under AddressSanitizer and UndefinedBehaviorSanitizer, two at a time in the background, at the
# lowest CPU priority so that other work on the machine goes on.
#
#   scripts/fuzz-campaign.sh [--seconds N] [--jobs N] [harness...]
#
# Installs its compiler (install-deps.sh --fuzz), builds the preset "fuzz" (build/fuzz) and runs
# each harness N seconds (default 600) on its seed corpus. Each harness keeps its grown corpus,
# its log and any finding (crash-*, leak-*, timeout-*, oom-*) in build/fuzz/campaign/<harness>/;
# build/fuzz/campaign/summary.txt lists executions, coverage and findings. A finding is
# reproduced with: build/fuzz/bin/fuzz_<harness> <finding file>
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=600
jobs=2
harnesses=()
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    -*) echo "fuzz-campaign: unknown option $1" >&2; exit 2 ;;
    *) harnesses+=("$1"); shift ;;
  esac
done
if [ ${#harnesses[@]} -eq 0 ]; then
  for folder in "$root"/fuzz/corpus/*/; do harnesses+=("$(basename "$folder")"); done
fi

"$root/scripts/install-deps.sh" --fuzz

cd "$root"
launcher=()
if command -v ccache > /dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake --preset fuzz "${launcher[@]}" > /dev/null
nice -n 19 cmake --build --preset fuzz

campaign="$root/build/fuzz/campaign"
mkdir -p "$campaign"

# The harnesses write their inputs to files; in memory, a save's fsync costs nothing.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

run_harness() {
  local name=$1 out="$campaign/$1"
  mkdir -p "$out/corpus"
  # The grown corpus is written to the first folder; the seeds of the repository stay as they are.
  # The timeout is generous: at the lowest priority on a busy machine an input can wait long.
  nice -n 19 "$root/build/fuzz/bin/fuzz_$name" -max_total_time="$seconds" -timeout=120 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$out/" \
      "$out/corpus" "$root/fuzz/corpus/$name" > "$out/log" 2>&1 || true
}

echo "fuzz-campaign: ${#harnesses[@]} harnesses, $seconds s each, $jobs at a time"
for name in "${harnesses[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  echo "fuzz-campaign: $name started $(date -u +%H:%M:%S)"
  run_harness "$name" &
done
wait

{
  printf '%-16s %12s %8s %8s %8s  %s\n' harness executions exec/s cov ft findings
  for name in "${harnesses[@]}"; do
    log="$campaign/$name/log"
    executions=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
    speed=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo "?")
    ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo "?")
    findings=$(find "$campaign/$name" -maxdepth 1 \( -name 'crash-*' -o -name 'leak-*' \
                 -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
    printf '%-16s %12s %8s %8s %8s  %s\n' "$name" "$executions" "$speed" "$cov" "$ft" "$findings"
  done
} | tee "$campaign/summary.txt"
