#!/usr/bin/env bash
# Installs the Debian packages that a make target needs, if any is missing (through sudo when
# not root).  Costs a few dpkg queries when everything is there.
#   scripts/deps.sh [program|build|bench|format|all]   (default: all)
# program: the program alone (make run, make install of the program); build: the program, the
# test suite and the Python module (make build, make test, make sanitize); bench: build and the
# benchmarks; format: clang-format; all: every one of them.
set -euo pipefail
program=(cmake g++ make libcli11-dev nlohmann-json3-dev)
tests=(libgtest-dev libgmock-dev python3 pybind11-dev python3-dev python3-numpy python3-pytest)
case "${1:-all}" in
  program) packages=("${program[@]}") ;;
  build) packages=("${program[@]}" "${tests[@]}") ;;
  bench) packages=("${program[@]}" "${tests[@]}" libbenchmark-dev) ;;
  format) packages=(clang-format) ;;
  all) packages=("${program[@]}" "${tests[@]}" libbenchmark-dev clang-format) ;;
  *) echo "usage: scripts/deps.sh [program|build|bench|format|all]" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" 2>/dev/null | grep -q '^Status: install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing ${missing[*]}"
as_root=(env DEBIAN_FRONTEND=noninteractive)
[ "$(id -u)" -ne 0 ] && as_root=(sudo "${as_root[@]}")
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
