#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a bounded time, one after the
# other (make fuzz). Each starts from its kept inputs (fuzz/corpus/<name>/,
# never written to) and what earlier runs found (<build>/fuzz/corpus/<name>/);
# a crash or a failed check leaves the input in <build>/fuzz/findings/<name>/
# and makes the run fail.
#
#   fuzz/run.sh BUILD_DIR SECONDS [TARGET...]     (all targets when none is named)
set -uo pipefail
cd "$(dirname "$0")/.."

build=$1
seconds=$2
shift 2
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then mapfile -t targets < "$build/fuzz/targets.txt"; fi

# The settings store target writes a file per input: keep that in memory.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

failed=()
for name in "${targets[@]}"; do
  program=$build/fuzz/fuzz_$name
  if [ ! -x "$program" ]; then
    echo "fuzz: no program for target '$name' ($program)" >&2
    failed+=("$name")
    continue
  fi
  work=$build/fuzz/corpus/$name
  findings=$build/fuzz/findings/$name
  log=$build/fuzz/$name.log
  mkdir -p "$work" "$findings"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$findings/")
  [ -f "fuzz/$name.dict" ] && options+=(-dict="fuzz/$name.dict")
  printf 'fuzz: %-20s %4s s ... ' "$name" "$seconds"
  if "$program" "${options[@]}" "$work" "fuzz/corpus/$name" > "$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
    echo "ok ($runs runs, $cov, $(ls "$work" | wc -l) inputs)"
  else
    echo "FOUND A FAULT"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*check failed|.*runtime error)' "$log" | head -5 | sed 's/^/    /'
    ls "$findings" | sed "s|^|    input: $findings/|"
    echo "    log: $log"
    failed+=("$name")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: faults found by: ${failed[*]}" >&2
  exit 1
fi
