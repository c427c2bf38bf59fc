#!/usr/bin/env bash
# Builds l3xml and runs every test: once in the default build (warnings as errors), once under
# AddressSanitizer and UndefinedBehaviorSanitizer, and for Windows (scripts/windows.sh). Installs
# what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-debian.sh
jobs=$(nproc)
for preset in default sanitize; do
  echo "=== ${preset} ==="
  cmake --preset "$preset"
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

# The Windows DLLs, cross built, with their tests under wine.
scripts/windows.sh
