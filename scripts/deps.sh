#!/usr/bin/env bash
# Installs the Debian packages the build needs, if any is missing (through sudo when not root).
# Costs a few dpkg queries when everything is there.
set -euo pipefail
packages=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
          nlohmann-json3-dev libtomlplusplus-dev clang-format python3
          pybind11-dev python3-dev python3-numpy python3-pytest)

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
