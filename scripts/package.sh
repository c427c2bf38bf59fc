#!/usr/bin/env bash
# Builds the packages: the Debian packages libl3xml1, libl3xml-dev and l3xml
# (build/package/packages/*.deb) and the Windows zips (build/win64/packages/*.zip,
# build/win32/packages/*.zip). Installs what it needs first.
#   scripts/package.sh [deb] [windows]     both when none is named
set -euo pipefail
cd "$(dirname "$0")/.."

kinds=("$@")
[ ${#kinds[@]} -eq 0 ] && kinds=(deb windows)
jobs=$(nproc)
for kind in "${kinds[@]}"; do
  case $kind in
    deb)
      scripts/setup-debian.sh dpkg-dev file
      cmake --preset package
      cmake --build --preset package -j "$jobs"
      cpack --preset package
      ;;
    windows)
      scripts/setup-debian.sh g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 \
        binutils-mingw-w64-i686 googletest
      for preset in win64 win32; do
        cmake --preset "$preset"
        cmake --build --preset "$preset" -j "$jobs" --target l3xml_package_contents
        cpack --preset "$preset"
      done
      ;;
    *)
      echo "usage: scripts/package.sh [deb] [windows]" >&2
      exit 2
      ;;
  esac
done
ls -l build/package/packages/*.deb build/win*/packages/*.zip 2>/dev/null || true
