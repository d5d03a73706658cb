#!/usr/bin/env bash
# Runs each fuzz target of a fuzz build for the given number of seconds,
# starting from the checked-in seeds; new inputs collect in the build
# folder, findings (crash-*, leak-*, timeout-*) in the current folder.
#   scripts/run-fuzzers.sh BUILD_DIR SECONDS
set -euo pipefail

build=${1:?build folder}
seconds=${2:?seconds per target}
seeds=$(cd "$(dirname "$0")/../fuzz/seeds" && pwd)

for target in loader interpreter; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  echo "== $target: ${seconds}s"
  "$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "$corpus" "$seeds/$target"
done
