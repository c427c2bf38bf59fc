#!/usr/bin/env bash
# Builds the Windows DLLs with mingw-w64, 64-bit and 32-bit, checks their export tables, runs the
# 64-bit test programs under wine (the differential test between the two backends included), and
# makes and checks both zips. Installs what it needs first. The 32-bit DLLs are built and checked
# but not run: 32-bit wine does not install on these machines.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-debian.sh g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 \
  binutils-mingw-w64-i686 wine wine64 googletest unzip
jobs=$(nproc)
started=$SECONDS

# No wine server of the test prefix outlives the run, whatever way it ends.
stop_wine() { WINEPREFIX="$PWD/build/win64/wineprefix" wineserver -k 2>/dev/null || true; }
trap stop_wine EXIT

# The differential test under wine compares with the dump program built for this machine.
echo "=== native program of the differential test ==="
cmake --preset default
cmake --build --preset default -j "$jobs" --target l3xml_differential

echo "=== win64 ==="
cmake --preset win64
cmake --build --preset win64 -j "$jobs"
ctest --preset win64 -j "$jobs"

echo "=== win32 ==="
cmake --preset win32
cmake --build --preset win32 -j "$jobs"
ctest --preset win32

echo "Windows builds and tests: $((SECONDS - started)) s"
