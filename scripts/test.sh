#!/usr/bin/env bash
# Runs the whole test suite on a fresh machine: installs and builds with
# scripts/setup.sh, runs every test with CTest (among them the install tree
# and the Debian package, tried out from temporary roots), then again in a
# build with AddressSanitizer and UndefinedBehaviorSanitizer, the end-to-end
# tests under valgrind, and a short run of every fuzz target. The PostgreSQL tests run
# against a throwaway server (scripts/postgres.sh) holding the demo network.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

# Only the tests need these: LibreOffice opens the workbooks in the
# end-to-end tests, Chromium drives the portal, the Debian package test makes
# the package with cpack (dpkg-shlibdeps, file).
TARNEL_TEST_PACKAGES="libreoffice-calc-nogui chromium dpkg-dev file" scripts/setup.sh
export TARNEL_REQUIRE_LIBREOFFICE=1 TARNEL_REQUIRE_CHROMIUM=1

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
  ctest --test-dir build-asan --output-on-failure -j"$jobs" -LE package

# The reliability tests (timed signals, 10,000-instance batches), the
# report-by-report PostgreSQL comparisons, the workbooks of every example
# class, the LibreOffice tests (whose time is LibreOffice's) and the browser
# test (its server runs unwrapped) stay out of the valgrind run, which is many
# times slower.
echo "== end-to-end tests under valgrind"
TARNEL_E2E_WRAPPER="valgrind --quiet --error-exitcode=99 --leak-check=full --show-leak-kinds=definite,indirect --errors-for-leak-kinds=definite,indirect" \
  ctest --test-dir build --output-on-failure -j"$jobs" -L e2e \
  -E "^(Reliability\.|BenchReports/PostgresSameOutput\.|WorkbookBatches\.EveryExampleClass|WorkbooksInLibreOffice\.|PortalInChromium\.)"

echo "== fuzzing smoke run"
scripts/fuzz.sh "${FUZZ_SECONDS:-10}"
