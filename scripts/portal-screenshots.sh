#!/usr/bin/env bash
# Remakes the pictures of docs/portal.md: the portal on the demo network
# (60 cells, seed 7) in headless Chromium, a report and a diagram report on a
# laptop's screen, and a search on a phone's. Needs a build (scripts/setup.sh)
# and Chromium (scripts/test.sh installs it).
# Usage: scripts/portal-screenshots.sh [BUILD_DIR]   (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
tool=$root/${1:-build}/tarnel-report
images=$root/docs/images
work=$(mktemp -d /tmp/tarnel-portal-shots-XXXXXX)
server=""
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# From the work folder, so that the pages name the database "demo.db".
cd "$work"
TZ=UTC SOURCE_DATE_EPOCH=1700000000 "$tool" demo-db demo.db --cells 60 --seed 7 >/dev/null
TZ=UTC SOURCE_DATE_EPOCH=1700000000 "$tool" serve --db demo.db --reports "$root/examples/reports" \
  --queries "$root/examples/queries/common.xml" --listen 127.0.0.1:0 >"$work/serve.out" &
server=$!
for _ in $(seq 300); do grep -q serving "$work/serve.out" 2>/dev/null && break; sleep 0.1; done
url=$(sed -n 's/^tarnel-report: serving \([^ ]*\) .*/\1/p' "$work/serve.out")
[ -n "$url" ] || { echo "the portal did not start" >&2; exit 1; }

# shot NAME WIDTH,HEIGHT PATH: a screenshot of the page at PATH
shot() {
  chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$(mktemp -d "$work/profile-XXXXXX")" --hide-scrollbars --virtual-time-budget=3000 \
    --window-size="$2" --screenshot="$images/$1.png" "$url$3" >/dev/null 2>&1
  echo "wrote docs/images/$1.png"
}
shot portal-report 1100,980 report/cell/1000007
shot portal-diagram 1100,1420 report/s3cell/1000014
shot portal-search-phone 390,700 "#q=cell0001&entity=Cell"
