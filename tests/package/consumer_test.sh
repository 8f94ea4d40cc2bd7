#!/usr/bin/env bash
# Installs a build tree into a temporary prefix, then configures, builds and runs the separate
# project tests/package/consumer against the package found there, as another project would.
# Usage: tests/package/consumer_test.sh BUILD_DIR [C++ compiler]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
cxx=${2:-c++}
work=$(mktemp -d "${TMPDIR:-/tmp}/tidewerk-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

libdir=$(cd "$prefix" && ls -d lib*/cmake/Tidewerk 2>/dev/null | head -n 1 | cut -d/ -f1)
[ -n "$libdir" ] || fail "no lib*/cmake/Tidewerk in the installed tree"
for file in "$libdir/libtidewerk.a" "$libdir/cmake/Tidewerk/TidewerkConfig.cmake" \
            "$libdir/cmake/Tidewerk/TidewerkConfigVersion.cmake" \
            "$libdir/cmake/Tidewerk/TidewerkTargets.cmake" bin/tidewerk; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
# The exported target must not point into the source or build tree, nor hand the library's
# own compile flags to its users.
if grep -rqF -e "$root" -e "$build" "$prefix/$libdir/cmake/Tidewerk"; then
  fail "the package refers to the source or build tree"
fi
if grep -rq INTERFACE_COMPILE_OPTIONS "$prefix/$libdir/cmake/Tidewerk"; then
  fail "the package passes compile options to its users"
fi

configure_and_build() {  # source folder, build folder
  cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER="$cxx" \
        -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF >"$2.log" 2>&1 \
    || { cat "$2.log"; fail "configuring $1"; }
  grep -q "^Tidewerk_DIR:PATH=$prefix/" "$2/CMakeCache.txt" \
    || fail "find_package took Tidewerk from elsewhere: $(grep '^Tidewerk_DIR' "$2/CMakeCache.txt")"
  cmake --build "$2" >>"$2.log" 2>&1 || { cat "$2.log"; fail "building $1"; }
}


[ -f "$prefix/include/tidewerk/series.h" ] || fail "include/tidewerk/series.h is not installed"
configure_and_build "$here/consumer" "$work/consumer-build"
"$work/consumer-build/consumer" | tee "$work/out.txt"

value() {  # row name, column name
  awk -v row="$1" -v col="$2" '$1 == row { for (i = 2; i < NF; i++) if ($i == col) print $(i + 1) }' \
    "$work/out.txt"
}
expect() {  # row, column, value
  local got
  got=$(value "$1" "$2")
  [ "$got" = "$3" ] || fail "$1 $2 is '$got', expected $3"
}
expect wageningen_b Kt 0.2710
expect wageningen_b 10Kq 0.4343
expect wageningen_b_ittc78 Kt 0.2735
expect gawn Kt 0.2828
expect gawn 10Kq 0.4567
expect kca Kt 0.2834
expect kca 10Kq 0.4410
for row in gawn kca; do
  [ -n "$(value $row Kt)" ] || fail "no $row row"
done
[ "$(grep '^wageningen_b ' "$work/out.txt" | cut -d' ' -f2-)" = \
  "$(grep '^wageningen_b_grid ' "$work/out.txt" | cut -d' ' -f2-)" ] \
  || fail "evaluate_grid and evaluate differ"

# The ship library through tidewerk/ship.h alone: the two Holtrop-Mennen worked examples.
[ -f "$prefix/include/tidewerk/ship.h" ] || fail "include/tidewerk/ship.h is not installed"
"$work/consumer-build/ship_consumer" | tee "$work/ship.txt" \
  || fail "the ship library misses a worked example"
ship_value() {  # row name, column name
  awk -v row="$1" -v col="$2" '$1 == row { for (i = 2; i < NF; i++) if ($i == col) print $(i + 1) }' \
    "$work/ship.txt"
}
for expected in anchor_a:1793.48 anchor_a_hull:1791.98 anchor_b_25:661.83 anchor_b_35:925.44; do
  got=$(ship_value "${expected%%:*}" RT_kN)
  [ "$got" = "${expected#*:}" ] || fail "${expected%%:*} RT_kN is '$got', expected ${expected#*:}"
done
[ "$(grep -c ' ok$' "$work/ship.txt")" = 8 ] || fail "not every worked example row was checked"
echo "package consumer: all checks passed"
