#!/bin/sh
# Times `l3xml run` over a generated framework of 3,000 templates (2 to 20 KB each) with a PIXIT
# file whose parameters each name two of them. Needs a default build with the benchmarks:
#   cmake --preset default && cmake --build --preset default --target l3xml_cli l3xml_bench_framework
# Environment: L3XML_BENCH_TEMPLATES (3000), L3XML_BENCH_PARAMETERS (twice the templates),
# L3XML_BENCH_RUNS (3), L3XML_BUILD (build/default).
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build=${L3XML_BUILD:-$here/build/default}
templates=${L3XML_BENCH_TEMPLATES:-3000}
parameters=${L3XML_BENCH_PARAMETERS:-$((templates * 2))}
runs=${L3XML_BENCH_RUNS:-3}
l3xml=$build/bin/l3xml
generator=$build/bench/l3xml_bench_framework

for program in "$l3xml" "$generator"; do
  if [ ! -x "$program" ]; then
    echo "bench-run.sh: $program is missing; build the targets l3xml_cli and l3xml_bench_framework first" >&2
    exit 2
  fi
done

folder=$(mktemp -d "${TMPDIR:-/tmp}/l3xml-bench-run.XXXXXX")
trap 'rm -rf "$folder"' EXIT INT TERM
"$generator" "$folder/framework" "$templates" "$parameters"
echo "framework: $templates templates, $parameters PIXIT parameters in $folder/framework"

# The run's own log lines would be timed too; the library's diagnostics go nowhere.
export L3XML_LOG=none
if command -v hyperfine >/dev/null 2>&1; then
  hyperfine --runs "$runs" --warmup 1 "$l3xml run $folder/framework"
  exit 0
fi

# Without hyperfine: one warm-up run, then the given number of timed runs.
"$l3xml" run "$folder/framework" >/dev/null
times=""
run=1
while [ "$run" -le "$runs" ]; do
  start=$(date +%s.%N)
  "$l3xml" run "$folder/framework" >/dev/null
  end=$(date +%s.%N)
  times="$times $(awk "BEGIN { printf \"%.3f\", $end - $start }")"
  run=$((run + 1))
done
echo "$times" | awk '{ for (i = 1; i <= NF; ++i) { printf "run %d: %s s\n", i, $i; sum += $i }
                       printf "mean of %d runs: %.3f s\n", NF, sum / NF }'
