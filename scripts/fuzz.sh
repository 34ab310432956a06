#!/usr/bin/env bash
# Builds the fuzz targets (tests/fuzz/*Fuzz.cpp) with clang into build-fuzz/ and runs each for
# the given number of seconds (default 60), starting from its committed seeds in
# tests/fuzz/seeds/<Name>/. Inputs found along the way go to build-fuzz/corpus/<Name>/, and an
# input that crashes, leaks, hangs or runs out of memory to build-fuzz/findings/<Name>/.
# Usage: scripts/fuzz.sh [seconds] [target name ...]; extra libFuzzer flags in FUZZ_FLAGS.
# FUZZ_RUNS=N runs each target for N inputs instead of a time: with a fixed -seed the run is then
# the same on every machine, so the suite's verdict does not depend on how fast the machine is.
# Exit status 1 when any target found something.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

seconds="${1:-60}"
shift || true
bash scripts/setup.sh
CC=clang CXX=clang++ cmake -S tests/fuzz -B build-fuzz -G Ninja > /dev/null
cmake --build build-fuzz -j "${FUZZ_BUILD_JOBS:-2}"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in tests/fuzz/*Fuzz.cpp; do
    targets+=("$(basename "$source" .cpp)")
  done
fi

# Leaks inside the system's sound libraries are listed (and explained) in tests/fuzz/lsan.supp.
export LSAN_OPTIONS="suppressions=$root/tests/fuzz/lsan.supp"
failed=()
for target in "${targets[@]}"; do
  name="${target%Fuzz}"
  corpus="build-fuzz/corpus/$name"
  findings="build-fuzz/findings/$name"
  mkdir -p "$corpus" "$findings" "tests/fuzz/seeds/$name"
  if [ -n "${FUZZ_RUNS:-}" ]; then
    # From the committed seeds alone, as on a fresh clone: what earlier runs found stays out.
    corpus="build-fuzz/corpus-fixed/$name"
    rm -rf "$corpus"
    mkdir -p "$corpus"
    limit="-runs=$FUZZ_RUNS"
    echo "== $target: $FUZZ_RUNS inputs"
  else
    limit="-max_total_time=$seconds"
    echo "== $target: ${seconds} s"
  fi
  # The settings file the game would read is irrelevant here; the seeds are read, never written.
  # shellcheck disable=SC2086
  if ! "build-fuzz/$target" "$corpus" "tests/fuzz/seeds/$name" "$limit" \
    -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$findings/" -print_final_stats=1 \
    ${FUZZ_FLAGS:-} > "build-fuzz/$name.log" 2>&1; then
    failed+=("$target")
    echo "$target found a fault: see build-fuzz/$name.log and $findings/"
    grep -E "^==[0-9]+==ERROR|SUMMARY|runtime error|Test unit written" "build-fuzz/$name.log" | head -5 || true
  fi
  grep -E "stat::number_of_executed_runs|cov: .*(DONE|INITED)" "build-fuzz/$name.log" | tail -2 || true
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Faults found by: ${failed[*]}"
  exit 1
fi
echo "No fault found by: ${targets[*]}"
