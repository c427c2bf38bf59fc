#!/usr/bin/env bash
# The browser test of the campaign report:
#   run.sh L3XML_PROGRAM FRAMEWORK_GENERATOR SOURCE_DIR WORK_DIR
# Installs puppeteer-core from the lock file (no browser download: Debian's Chromium is used),
# writes the three reports the test opens, then runs it.
set -euo pipefail
program=$1 generator=$2 source=$3 work=$4
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work"

# npm ci again only when the lock file changed.
if ! cmp -s "$here/package-lock.json" "$work/package-lock.json" || [ ! -d "$work/node_modules/puppeteer-core" ]; then
  cp "$here/package.json" "$here/package-lock.json" "$work/"
  (cd "$work" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
fi
cp "$here/report.test.js" "$work/"

"$program" report "$source/examples/framework" -o "$work/example.html"

# One error seeded into a copy: a px_ reference that no parameter defines. check finds it, so the
# report is written and the exit status is 1.
rm -rf "$work/seeded"
cp -r "$source/examples/framework" "$work/seeded"
rm -rf "$work/seeded/temp"
sed -i 's|>px_S_RNTI<|>px_NoSuchParameter<|' "$work/seeded/RRCMessage/PrimaryCell/RRCConnectionSetup.xml"
status=0
"$program" report "$work/seeded" -o "$work/seeded.html" 2>"$work/seeded.log" || status=$?
if [ "$status" -ne 1 ]; then
  echo "report of the seeded framework: exit status $status, expected 1" >&2
  exit 1
fi

if [ ! -d "$work/large" ]; then
  rm -rf "$work/large.partial"
  "$generator" "$work/large.partial" 3000
  mv "$work/large.partial" "$work/large"
fi
start=$(date +%s.%N)
"$program" report "$work/large" -o "$work/large.html" 2>"$work/large.log" || true
echo "large report written in $(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }') s, $(du -k "$work/large.html" | cut -f1) KiB"

cd "$work" && node report.test.js "$work"
