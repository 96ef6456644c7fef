#!/usr/bin/env bash
# The Debian packages (cpack -G DEB): dependencies found by dpkg-shlibdeps,
# the development package tied to the runtime's version, and the command
# run from the runtime package unpacked into a temporary root.
# Usage: deb_test.sh BUILD_DIR SOURCE_DIR
. "$(dirname "$0")/common.sh"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$root/packages" >/dev/null
runtime=$(ls "$root"/packages/tarnel-report_*.deb)
development=$(ls "$root"/packages/tarnel-report-dev_*.deb)

echo "== control fields"
for deb in "$runtime" "$development"; do
  dpkg-deb -f "$deb" Package Version Depends Recommends
done
depends=$(dpkg-deb -f "$runtime" Depends)
for library in libc6 libstdc++6 libsqlite3-0 libxml2; do
  [[ ", $depends," == *", $library "* ]] || fail "Depends has no $library: $depends"
done
version=$(dpkg-deb -f "$runtime" Version)
[ "$(dpkg-deb -f "$development" Depends)" = "tarnel-report (= $version)" ] ||
  fail "the development package does not depend on tarnel-report $version"
dpkg-deb -c "$development" | grep ' ./usr/lib/cmake/TarnelEntity/TarnelEntityConfig.cmake$' ||
  fail "no CMake package in $development"

echo "== run from the unpacked runtime package"
dpkg-deb -x "$runtime" "$root/unpacked"
command=$root/unpacked/usr/bin/tarnel-report
expect_library_from "$command" "$root/unpacked/usr/lib"
[ "$("$command" --version)" = "tarnel-report $version" ] || fail "--version is not tarnel-report $version"
"$command" classes > "$root/classes.txt"
expect_same "$source/tests/e2e/expected/classes.txt" "$root/classes.txt" "classes"
examples=$root/unpacked/usr/share/tarnel/examples
expect_demo_run "$command" "$examples/reports/instance/ecp.xml" TarnelECPReport 3000001 \
  "$source/tests/e2e/expected/instance/ecp_3000001" --queries "$examples/queries/common.xml"
echo "ok"
