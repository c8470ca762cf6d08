#!/usr/bin/env bash
# Builds the libFuzzer targets with clang 14 and fuzzes each for SECONDS (default 30), starting from
# its seed corpus and the kept regression inputs. New findings are left in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"
mkdir -p build-fuzz/findings
for binary in build-fuzz/fuzz/fuzz_*; do
  target=${binary##*/fuzz_}
  work=$(mktemp -d)
  echo "fuzzing $target for ${seconds}s"
  "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -max_len=4096 \
    -artifact_prefix=build-fuzz/findings/"$target"- -print_final_stats=1 \
    "$work" fuzz/corpus/"$target" fuzz/regressions 2>&1 | grep -E '^(stat::number_of_executed_units|INFO: Done|==|SUMMARY)' || true
  rm -rf "$work"
  if compgen -G "build-fuzz/findings/$target-*" >/dev/null; then
    echo "fuzz target $target found a problem:"; ls build-fuzz/findings/"$target"-*
    exit 1
  fi
done
