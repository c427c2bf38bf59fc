#!/usr/bin/env bash
# Builds l3xml and runs every test: once in the default build (warnings as errors), once under
# AddressSanitizer and UndefinedBehaviorSanitizer, then builds the Debian packages and checks them,
# and does the same for Windows (scripts/windows.sh). Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."

# The browser test of the report runs Debian's Chromium from Node: Debian's Node and npm, unless the
# machine has them already.
browser=(chromium)
command -v node >/dev/null && command -v npm >/dev/null || browser+=(nodejs npm)
scripts/setup-debian.sh "${browser[@]}"
jobs=$(nproc)
for preset in default sanitize; do
  echo "=== ${preset} ==="
  cmake --preset "$preset"
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

# The Debian packages, made and checked (tests/packaging).
echo "=== package ==="
scripts/setup-debian.sh dpkg-dev file lintian man-db bash-completion pkgconf
cmake --preset package
cmake --build --preset package -j "$jobs"
ctest --preset package -j "$jobs"

# The Windows DLLs, cross built, with their tests under wine, and the zips.
scripts/windows.sh
