# Shared by the package tests: a temporary root removed at the end, and the
# checks both make of a tarnel-report installed below some root.
# Usage (sourced): . common.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
root=$(mktemp -d /tmp/tarnel-package-XXXXXX)
trap 'rm -rf "$root"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# expect_same EXPECTED_FILE ACTUAL_FILE WHAT
expect_same() {
  diff -u "$1" "$2" >&2 || fail "$3 differs from $1"
}

# The command at $1 takes libTarnelEntity from the library folder $2, not
# from the build tree.
expect_library_from() {
  local found
  found=$(ldd "$1" | awk '/libTarnelEntity/ { print $3 }')
  [ "$(dirname "$(realpath "$found")")" = "$(realpath "$2")" ] ||
    fail "$1 loads libTarnelEntity from '$found', not from $2"
}

# expect_demo_run COMMAND CONFIG CLASS INSTANCE EXPECTED_STEM [ARGS...]: a run on
# the demo network (60 cells, seed 7) writes <EXPECTED_STEM>.txt and
# .steering.json exactly; the report's first lines are shown. It runs in the
# root as of SOURCE_DATE_EPOCH 1700000000, so that the steering data's run
# object names the database "demo.db" and the time the expected files hold.
expect_demo_run() {
  local command=$1 config=$2 class=$3 instance=$4 expected=$5 out
  shift 5
  [ -f "$root/demo.db" ] || "$command" demo-db "$root/demo.db" --cells 60 --seed 7 >/dev/null
  out=$(mktemp -d "$root/out-XXXXXX")
  (cd "$root" && SOURCE_DATE_EPOCH=1700000000 "$command" run --db demo.db --config "$config" \
    --class "$class" --instance "$instance" --out "$out" "$@") || fail "$command run --class $class exited $?"
  local stem
  stem=$(basename "$config" .xml)_$instance
  echo "== $stem.txt ($(wc -l < "$out/$stem.txt") lines)"
  head -n 20 "$out/$stem.txt"
  expect_same "$expected.txt" "$out/$stem.txt" "$stem.txt"
  expect_same "$expected.steering.json" "$out/$stem.steering.json" "$stem.steering.json"
}
