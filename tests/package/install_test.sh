#!/usr/bin/env bash
# The install tree (cmake --install into a temporary prefix): the command
# runs from it with its own library (SONAME and links, RPATH), its version is
# the packages' version, every public header compiles alone, and the example
# plug-in, built against the prefix with find_package(TarnelEntity) and with
# pkg-config, loads with --plugin and writes its expected report.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR
. "$(dirname "$0")/common.sh"
prefix=$root/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
command=$prefix/bin/tarnel-report
examples=$prefix/share/tarnel/examples
export PKG_CONFIG_PATH=$prefix/lib/pkgconfig

echo "== install tree"
(cd "$prefix" && find . -type f | sort)

version=$(pkg-config --modversion tarnel-entity)
[ "$("$command" --version)" = "tarnel-report $version" ] || fail "--version is not tarnel-report $version"
soname=libTarnelEntity.so.${version%%.*}
[ "$(readlink "$prefix/lib/libTarnelEntity.so")" = "$soname" ] || fail "libTarnelEntity.so is not a link to $soname"
[ "$(readlink "$prefix/lib/$soname")" = "libTarnelEntity.so.$version" ] || fail "$soname is not a link to the library"
objdump -p "$prefix/lib/libTarnelEntity.so.$version" | grep "SONAME *$soname$" || fail "SONAME is not $soname"
objdump -p "$command" | grep 'RUNPATH *\$ORIGIN/../lib$' || fail "RUNPATH is not \$ORIGIN/../lib"
expect_library_from "$command" "$prefix/lib"
grep -q '^\.SH NAME' "$prefix/share/man/man1/tarnel-report.1" || fail "no man page"
[ ! -e "$prefix/include/tarnel/host" ] || fail "host headers installed"

echo "== each public header compiled alone"
mkdir "$root/headers"
(cd "$prefix/include/tarnel" && find . -name '*.h' | sort) | while read -r header; do
  echo "#include \"${header#./}\"" > "$root/headers/$(echo "${header#./}" | tr / _).cpp"
done
find "$root/headers" -name '*.cpp' -print0 | xargs -0 -n 1 -P "$(nproc)" \
  g++ -std=c++17 -Wall -Wextra -Werror -fsyntax-only -I "$prefix/include/tarnel" ||
  fail "a public header does not compile alone"

echo "== example plug-in built with find_package(TarnelEntity)"
cmake -S "$examples/plugin" -B "$root/plugin" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$root/plugin" >/dev/null
plugin=$root/plugin/libexample_coverage.so
expect_demo_run "$command" "$examples/plugin/coverage.xml" ExampleCellCoverageReport 1000007 \
  "$source/tests/plugins/expected/coverage_1000007" --plugin "$plugin"

echo "== example plug-in built with pkg-config"
# shellcheck disable=SC2046
g++ -std=c++17 -shared -fPIC -o "$root/libpkgconfig.so" "$examples"/plugin/*.cpp $(pkg-config --cflags --libs tarnel-entity)
TARNEL_PLUGIN_PATH=$root/libpkgconfig.so "$command" classes | grep -x "ExampleCellCoverageReport  *$root/libpkgconfig.so" ||
  fail "the plug-in built with pkg-config is not listed"
echo "ok"
