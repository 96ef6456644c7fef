#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) and runs each for SECONDS (default 60).
# Findings are written to build-fuzz/findings/; the script fails on any.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
command -v clang++ >/dev/null || { apt-get update -qq && apt-get install -y -qq clang >/dev/null; }
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEL_FUZZ=ON \
  -DTARNEL_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_config fuzz_rows fuzz_reports fuzz_template >/dev/null
mkdir -p build-fuzz/findings
for target in fuzz_config fuzz_rows fuzz_reports fuzz_template; do
  corpus=build-fuzz/corpus/$target
  mkdir -p "$corpus"
  # Seed the fuzzers of configurations and templates with the examples.
  case $target in
    fuzz_config | fuzz_reports) cp examples/reports/*/*.xml examples/queries/*.xml "$corpus"/ ;;
    fuzz_template) cp examples/templates/*.xltx "$corpus"/ ;;
  esac
  echo "fuzz: $target for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1 build-fuzz/tests/fuzz/$target -max_total_time="$seconds" \
    -max_len=65536 -timeout=10 -rss_limit_mb=2048 -artifact_prefix=build-fuzz/findings/ \
    -print_final_stats=1 "$corpus" 2>build-fuzz/$target.log \
    || { tail -40 build-fuzz/$target.log; echo "fuzz: $target found a problem"; exit 1; }
  grep -E '^stat::number_of_executed_units' build-fuzz/$target.log | sed "s/^/fuzz: $target /" || true
done
