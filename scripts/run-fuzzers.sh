#!/usr/bin/env bash
# Runs each fuzz target of a fuzz build for the given number of seconds,
# starting from the checked-in seeds; new inputs collect in the build
# folder (BUILD_DIR/corpus/TARGET), findings (crash-*, leak-*, timeout-*,
# oom-*) in BUILD_DIR/findings. Exits non-zero when a target found
# something, after the other targets have run. The timeout is generous: on
# a busy machine a sound input can take seconds, while the jump budget ends
# every endless script long before it.
#   scripts/run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]
set -uo pipefail

build=${1:?build folder}
seconds=${2:?seconds per target}
shift 2
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(loader interpreter parser restore compiler)
fi
seeds=$(cd "$(dirname "$0")/../fuzz/seeds" && pwd)
findings="$build/findings"
mkdir -p "$findings"

failed=()
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  echo "== $target: ${seconds}s"
  if ! "$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/$target-" "$corpus" "$seeds/$target" \
    >"$build/$target.log" 2>&1; then
    failed+=("$target")
    tail -n 60 "$build/$target.log"
  fi
  grep -E '^(stat::number_of_executed_units|#[0-9]+ *DONE)' "$build/$target.log" || true
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz findings in: ${failed[*]} (inputs in $findings)" >&2
  exit 1
fi
echo "fuzzers: ${#targets[@]} targets ran without findings"
