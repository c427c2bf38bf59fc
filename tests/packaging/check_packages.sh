#!/usr/bin/env bash
# The package checks, one per run; tests/packaging/CMakeLists.txt gives the environment.
#   build           the packages, made afresh with CPack
#   deb_files       each Debian package, unpacked alone, holds exactly its files; its control data
#   deb_host        hosts built against the unpacked development package (pkg-config, find_package) run
#   deb_cli         the unpacked command: --version, each subcommand's --help, its main job
#   deb_lintian     Debian's package checker reports no error
#   deb_manpage     the manual page renders with man, without a warning
#   deb_completion  the bash completion, loaded as bash-completion loads it, completes
#   zip             the Windows zip holds the files that the README lists, its binaries stripped
set -euo pipefail
check=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The one package file whose name starts with $1.
package() {
  local found=("$PACKAGES/$1"*)
  [[ ${#found[@]} -eq 1 && -f ${found[0]} ]] || fail "not one package $1* in $PACKAGES: ${found[*]}"
  echo "${found[0]}"
}

# Unpacks the named Debian packages into the folder $1.
unpack() {
  local root=$1 name
  shift
  mkdir -p "$root"
  for name; do dpkg-deb -x "$(package "${name}_")" "$root"; done
}

# The files and symbolic links under $1, sorted.
listing() { (cd "$1" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort); }

# Fails with $1 when the lines $2 and $3 differ, showing how.
same() {
  diff -u <(printf '%s\n' "$2") <(printf '%s\n' "$3") >&2 || fail "$1"
}

framework_files() {
  (cd "$SOURCE_DIR/examples/framework" && find . -type f ! -path './temp/*' ! -name .gitignore) |
    sed "s|^\./|$1|"
}

# A framework of one template, and the line the library flattens it to.
small_framework() {
  mkdir -p "$work/framework/RRCMessage/PrimaryCell"
  printf '<Msg>\n  <a>1 0 1</a>\n  <c1><b>7</b></c1>\n</Msg>\n' >"$work/framework/RRCMessage/PrimaryCell/Msg.xml"
  flattened="Msg 101 ( 7 ) "
}

check_build() {
  rm -rf "$PACKAGES"
  "$CPACK" --config "$BUILD_DIR/CPackConfig.cmake"
  rm -rf "$PACKAGES/_CPack_Packages"
  ls -l "$PACKAGES"
}

check_deb_files() {
  local debian_version=$VERSION-$DEBIAN_REVISION lib=usr/$LIBDIR name expected depends
  local -A files=(
    [libl3xml1]="$lib/libl3xml.so.1
$lib/libl3xml.so.$VERSION
$lib/liboxLoggerDll.so
usr/share/doc/libl3xml1/changelog.Debian.gz
usr/share/doc/libl3xml1/copyright"
    [libl3xml-dev]="$(cd "$SOURCE_DIR" && printf 'usr/%s\n' include/l3xml/*)
usr/include/ox_logger.h
$lib/cmake/l3xml/l3xmlConfig.cmake
$lib/cmake/l3xml/l3xmlConfigVersion.cmake
$lib/cmake/l3xml/l3xmlTargets-$CONFIG.cmake
$lib/cmake/l3xml/l3xmlTargets.cmake
$lib/libl3xml.so
$lib/pkgconfig/l3xml.pc
usr/share/doc/libl3xml-dev/changelog.Debian.gz
usr/share/doc/libl3xml-dev/copyright"
    [l3xml]="usr/bin/l3xml
usr/share/bash-completion/completions/l3xml
usr/share/doc/l3xml/changelog.Debian.gz
usr/share/doc/l3xml/copyright
$(framework_files usr/share/l3xml/examples/framework/)
usr/share/man/man1/l3xml.1.gz"
  )
  for name in libl3xml1 libl3xml-dev l3xml; do
    unpack "$work/$name" "$name"
    expected=$(LC_ALL=C sort <<<"${files[$name]}")
    same "$name: the files differ" "$expected" "$(listing "$work/$name")"
    [[ $(dpkg-deb -f "$(package "${name}_")" Version) == "$debian_version" ]] ||
      fail "$name: not version $debian_version"
  done

  # Dependencies: found by dpkg-shlibdeps, and on the library of the very same version.
  depends=$(dpkg-deb -f "$(package libl3xml1_)" Depends)
  [[ $depends == *libc6* && $depends == *libstdc++6* ]] || fail "libl3xml1 depends on: $depends"
  for name in libl3xml-dev l3xml; do
    depends=$(dpkg-deb -f "$(package "${name}_")" Depends)
    [[ $depends == *"libl3xml1 (= $debian_version)"* ]] || fail "$name depends on: $depends"
  done
  [[ $(dpkg-deb -f "$(package l3xml_)" Depends) == *libc6* ]] || fail "l3xml: no dependencies found"
  dpkg-deb -I "$(package libl3xml1_)" shlibs | grep -qx "libl3xml 1 libl3xml1 (>= $debian_version)" ||
    fail "libl3xml1: no shlibs entry for libl3xml.so.1"

  # The library is stripped and keeps its SONAME.
  local library=$work/libl3xml1/$lib/libl3xml.so.$VERSION
  readelf -d "$library" | grep -q 'Library soname: \[libl3xml.so.1\]' || fail "libl3xml.so: SONAME"
  ! readelf -S "$library" | grep -q '\.debug_' || fail "libl3xml.so is not stripped"
  echo "stripped library: $(stat -c %s "$library") bytes"
}

check_deb_host() {
  local root=$work/root output
  unpack "$root" libl3xml1 libl3xml-dev
  small_framework
  export LD_LIBRARY_PATH=$root/usr/$LIBDIR

  # pkg-config, with the unpacked root standing for /
  export PKG_CONFIG_SYSROOT_DIR=$root PKG_CONFIG_LIBDIR=$root/usr/$LIBDIR/pkgconfig PKG_CONFIG_PATH=
  export PKG_CONFIG_ALLOW_SYSTEM_CFLAGS=1 PKG_CONFIG_ALLOW_SYSTEM_LIBS=1
  [[ $(pkg-config --modversion l3xml) == "$VERSION" ]] || fail "pkg-config --modversion l3xml"
  # shellcheck disable=SC2046 # the flags are words
  g++ -std=c++17 -o "$work/host" "$SOURCE_DIR/examples/host/main.cpp" $(pkg-config --cflags --libs l3xml)
  output=$(cd "$work" && L3XML_LOG=none ./host "$work/framework" Msg.xml)
  same "host built with pkg-config" "$flattened" "$output"
  # The library finds the logger library beside itself.
  (cd "$work" && L3XML_LOG="$work/host.log" ./host "$work/framework" Absent.xml) >/dev/null || true
  grep -q '\[ERR\]' "$work/host.log" || fail "the host's library wrote no log line"

  # find_package, with the unpacked /usr as the prefix
  cmake -S "$SOURCE_DIR/examples/host" -B "$work/cmake-host" -G Ninja "-DCMAKE_PREFIX_PATH=$root/usr" >/dev/null
  cmake --build "$work/cmake-host" >/dev/null
  output=$(cd "$work" && L3XML_LOG=none cmake-host/host "$work/framework" Msg.xml)
  same "host built with find_package" "$flattened" "$output"
}

check_deb_cli() {
  local root=$work/root cli subcommand
  unpack "$root" libl3xml1 l3xml
  cli=$root/usr/bin/l3xml
  [[ $("$cli" --version) == "$VERSION" ]] || fail "l3xml --version"
  for subcommand in $SUBCOMMANDS; do
    "$cli" "$subcommand" --help >"$work/help" || fail "l3xml $subcommand --help failed"
    grep -q "^Usage: l3xml $subcommand" "$work/help" || fail "l3xml $subcommand --help: no usage line"
  done
  # The main job, on the example framework that the package installs beside it.
  (cd "$work" && "$cli" run --example >run.out) || fail "l3xml run --example failed"
  grep -q '^templates: ' "$work/run.out" || fail "l3xml run printed no summary"
}

check_deb_lintian() {
  local report status=0
  report=$(lintian --fail-on error --tag-display-limit 0 \
    "$(package libl3xml1_)" "$(package libl3xml-dev_)" "$(package l3xml_)" 2>&1) || status=$?
  printf '%s\n' "$report"
  ((status == 0)) || fail "lintian reports errors"
}

check_deb_manpage() {
  local root=$work/root subcommand
  unpack "$root" l3xml
  MAN_DISABLE_SECCOMP=1 MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l \
    "$root/usr/share/man/man1/l3xml.1.gz" >"$work/page" 2>"$work/warnings" || fail "man failed"
  [[ ! -s $work/warnings ]] || fail "man warns: $(cat "$work/warnings")"
  sed -i 's/.\x08//g' "$work/page"
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS SUBCOMMANDS EXAMPLES; do
    grep -qx "$section" "$work/page" || fail "the manual page has no $section"
  done
  grep -Eq '^ +l3xml +- +[a-z]' "$work/page" || fail "the manual page has no name line"
  for subcommand in $SUBCOMMANDS; do
    grep -qx "   $subcommand" "$work/page" || fail "the manual page has no subsection $subcommand"
  done
}

check_deb_completion() {
  local root=$work/root
  unpack "$root" libl3xml1 l3xml
  # Each case: the words of the command line, the last one being completed | the completions.
  local cases=(
    "l3xml fl|flatten"
    "l3xml --ce|--cell"
    "l3xml --cell Sec|SecondaryCell"
    "l3xml flatten --js|--json"
    "l3xml --color never flatten Act|ActiveSetUpdate.xml"
    "l3xml get RRCConnectionR|RRCConnectionRelease.xml"
    "l3xml --system $work/framework show M|Msg.xml"
  )
  small_framework
  cd "$root/usr/share/l3xml/examples/framework"
  PATH=$root/usr/bin:$PATH XDG_DATA_DIRS=$root/usr/share bash --norc --noprofile -c '
    source /usr/share/bash-completion/bash_completion
    __load_completion l3xml || { echo "FAIL: bash-completion does not find the completion of l3xml" >&2; exit 1; }
    function=$(complete -p l3xml | sed -n "s/.*-F \([^ ]*\) .*/\1/p")
    for case in "$@"; do
      read -r -a COMP_WORDS <<<"${case%|*}"
      COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMP_LINE=${case%|*} COMP_POINT=${#COMP_LINE} COMPREPLY=()
      "$function" l3xml "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
      [[ "${COMPREPLY[*]}" == "${case#*|}" ]] || { echo "FAIL: ${case%|*}: ${COMPREPLY[*]}" >&2; exit 1; }
    done' _ "${cases[@]}"
}

check_zip() {
  local zip top expected file
  zip=$(package "l3xml-$VERSION-")
  top=$(basename "$zip" .zip)
  # The list of the README (Installing, Windows zips).
  expected=$(awk '/hold, under one top folder/ { found = 1 }
    found && /^```/ { if (inside) exit; inside = 1; next }
    inside' "$SOURCE_DIR/README.md")
  [[ -n $expected ]] || fail "README.md lists no files of the zip"
  if [[ $WITH_CLI == 1 ]]; then
    expected+=$'\nbin/l3xml.exe\n'$(framework_files share/l3xml/examples/framework/)
  fi
  (cd "$work" && unzip -q "$zip")
  same "$zip: the files differ" "$(LC_ALL=C sort -u <<<"$expected")" "$(listing "$work/$top")"
  # Its pkg-config file names the folders where the zip was unpacked.
  local include
  include=$(PKG_CONFIG_LIBDIR=$work/$top/lib/pkgconfig PKG_CONFIG_ALLOW_SYSTEM_CFLAGS=1 pkg-config --cflags-only-I l3xml)
  include=${include%% }
  [[ -f ${include#-I}/l3xml/l3xml.h ]] || fail "l3xml.pc: headers not found with '$include'"
  for file in "$work/$top"/bin/*; do
    ! "$OBJDUMP" -h "$file" | grep -q '\.debug_' || fail "${file##*/} is not stripped"
    echo "${file##*/}: $(stat -c %s "$file") bytes"
  done
}

"check_$check"
