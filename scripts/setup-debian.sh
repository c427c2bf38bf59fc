#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing l3xml needs, when they are missing.
set -euo pipefail

packages=(g++ cmake ninja-build libpugixml-dev libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev
  pybind11-dev python3-dev python3-pytest)

missing=()
for package in "${packages[@]}" "$@"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
