#!/usr/bin/env bash
# Installs what the build needs (only what is missing) and builds into build/.
# Usage: scripts/setup.sh [extra cmake options]. TARNEL_TEST_PACKAGES adds
# packages only the tests need (scripts/test.sh sets it), so that a new
# user's first build does not wait for them.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config libxml2-dev libsqlite3-dev sqlite3 libpq-dev postgresql
          googletest libgtest-dev libgmock-dev libcli11-dev nlohmann-json3-dev libbenchmark-dev
          time valgrind clang libxlsxwriter-dev libzip-dev libcpp-httplib-dev help2man)
# shellcheck disable=SC2206
packages+=(${TARNEL_TEST_PACKAGES:-})
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
cmake --build build -j"$(nproc)"
