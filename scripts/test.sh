#!/usr/bin/env bash
# Runs the whole test suite on a fresh machine: installs and builds with
# scripts/setup.sh, runs every test with CTest, then again in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer, the end-to-end tests under
# valgrind, and a short run of every fuzz target. The PostgreSQL tests run
# against a throwaway server (scripts/postgres.sh) holding the demo network.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/setup.sh

# Packages only the tests use: Chromium drives the portal.
for p in chromium; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" && continue
  echo "test: installing $p"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "$p" >/dev/null
done
export TARNEL_REQUIRE_CHROMIUM=1

# Stopped when the script ends, also on failure. With TARNEL_REQUIRE_POSTGRES
# the PostgreSQL tests fail, not skip, when the server is missing.
pgdir=$(mktemp -d /tmp/tarnel-pg-XXXXXX)
trap 'scripts/postgres.sh stop "$pgdir"' EXIT
echo "== PostgreSQL server in $pgdir"
pgenv=$(scripts/postgres.sh start "$pgdir" build/tarnel-report)
eval "$pgenv"
export TARNEL_REQUIRE_POSTGRES=1

echo "== tests"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== tests with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTARNEL_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs" >/dev/null
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

# The reliability tests (timed signals, 10,000-instance batches) and the
# report-by-report PostgreSQL comparisons stay out of the valgrind run, which
# is many times slower; so does the browser test, whose server runs unwrapped.
echo "== end-to-end tests under valgrind"
TARNEL_E2E_WRAPPER="valgrind --quiet --error-exitcode=99 --leak-check=full --show-leak-kinds=definite,indirect --errors-for-leak-kinds=definite,indirect" \
  ctest --test-dir build --output-on-failure -j"$jobs" -L e2e \
  -E "^(Reliability\.|BenchReports/PostgresSameOutput\.|PortalInChromium\.)"

echo "== fuzzing smoke run"
scripts/fuzz.sh "${FUZZ_SECONDS:-10}"
