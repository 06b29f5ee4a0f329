#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The ksx-module developers
#
# Builds the fuzz preset and runs every fuzz target over its seed corpus (fuzz/corpus/<name>/).
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
#   SECONDS  time per target (default 60); 0 only replays the corpus, as CI does.
#   TARGET   names such as encodings or panel_description (default: all of them).
# New inputs go to build/fuzz/corpus/<name>/, findings to build/fuzz/findings/ (the committed
# corpus is never written). Exits non-zero when a target crashes, hangs or breaks an invariant.
set -euo pipefail
seconds=${1:-60}
shift || true
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

if [[ ! "$seconds" =~ ^[0-9]+$ ]]; then
  echo "fuzz.sh: SECONDS must be a whole number, not '$seconds'" >&2
  exit 2
fi

# Installs clang and its fuzzer runtime when missing, and builds the fuzz targets.
scripts/bootstrap.sh fuzz

targets=("$@")
if ((${#targets[@]} == 0)); then
  for dir in fuzz/corpus/*/; do
    targets+=("$(basename "$dir")")
  done
fi

bin=build/fuzz/fuzz
scratch=build/fuzz/corpus
findings=build/fuzz/findings
mkdir -p "$findings"
# A leak is a finding too; one input must not take longer than this many seconds.
options=(-timeout=10 -rss_limit_mb=2048 -print_final_stats=1)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
for name in "${targets[@]}"; do
  fuzzer=$bin/fuzz_$name
  if [ ! -x "$fuzzer" ]; then
    echo "fuzz.sh: no fuzz target '$name'" >&2
    failed+=("$name")
    continue
  fi
  log=$findings/$name.log
  if ((seconds == 0)); then
    echo "== $name: replaying fuzz/corpus/$name"
    run=("$fuzzer" "${options[@]}" -runs=0 "fuzz/corpus/$name")
  else
    echo "== $name: fuzzing for $seconds s"
    mkdir -p "$scratch/$name"
    run=("$fuzzer" "${options[@]}" -max_total_time="$seconds" -artifact_prefix="$findings/$name-"
      "$scratch/$name" "fuzz/corpus/$name")
  fi
  if "${run[@]}" >"$log" 2>&1; then
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 || true
  else
    echo "fuzz.sh: $name found a problem; see $log" >&2
    grep -E 'ERROR|SUMMARY|Test unit written|deadly signal' "$log" >&2 || tail -20 "$log" >&2
    failed+=("$name")
  fi
done

if ((${#failed[@]})); then
  echo "fuzz.sh: findings in: ${failed[*]}" >&2
  exit 1
fi
echo "fuzz.sh: no findings"
