#!/usr/bin/env bash
# Runs every libFuzzer target for SECONDS each, one after another, on a scratch
# copy of its corpus (tools/fuzz/corpus stays as it is), and prints for each the
# runs done and whether it crashed. Crash inputs are kept in the scratch folder.
#   tools/fuzz/run_fuzzers.sh BUILD_DIR [SECONDS]
set -uo pipefail
build="$(cd "${1:?build directory of a -DKARTOTEKA_FUZZ=ON build}" && pwd)"
seconds="${2:-60}"
here="$(cd "$(dirname "$0")" && pwd)"
scratch="$(mktemp -d /tmp/kartoteka-fuzz-runs-XXXXXX)"
status=0
for target in fuzz_table fuzz_notes fuzz_cp1250 fuzz_layout fuzz_config fuzz_search_members; do
  mkdir -p "$scratch/$target/corpus" "$scratch/$target/crashes"
  cp "$here/corpus/$target/"* "$scratch/$target/corpus/"
  (cd "$scratch/$target/crashes" &&
    "$build/tools/fuzz/$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
      -print_final_stats=1 "$scratch/$target/corpus" > "$scratch/$target/log" 2>&1)
  code=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$scratch/$target/log" | grep -o '[0-9]*$')
  crashes=$(ls "$scratch/$target/crashes" | grep -c -E '^(crash|leak|timeout|oom)-' || true)
  echo "$target: runs ${runs:-?}, crashes $crashes, exit $code"
  [ "$code" -eq 0 ] || status=1
done
echo "logs and any crash inputs: $scratch"
exit $status
