#!/usr/bin/env bash
# Runs the whole test suite on a fresh machine: installs and builds with
# scripts/setup.sh, then runs every test with CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
ctest --test-dir build --output-on-failure -j"$(nproc)"
