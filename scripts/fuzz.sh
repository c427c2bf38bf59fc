#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, ASan and UBSan over the instrumented library) and runs
# every fuzz target for SECONDS each (default 60), as many side by side as there are processors.
# Each target starts from its seed corpus in fuzz/corpus/<target>/; what it finds goes to
# build/fuzz/fuzzing/<target>/ (the grown corpus, crash and timeout inputs, the log).
# Prints, per target, the inputs run, the coverage (libFuzzer's cov: edges reached, of all the
# program's edges) and the findings; exits 1 when any target found something.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(flatten get_values set_value rename parameter_file association load lookup pixit_maps cli)
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target "${targets[@]/#/l3xml_fuzz_}"

out=build/fuzz/fuzzing
fuzz_one() {
  local target=$1 seconds=$2 out=$3
  local work="$out/$target"
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/findings"
  local options=()
  # The command prints its own output and errors, which would drown libFuzzer's.
  [ "$target" = cli ] && options+=(-close_fd_mask=3)
  set +e
  L3XML_LOG=none build/fuzz/fuzz/l3xml_fuzz_"$target" "${options[@]}" -max_total_time="$seconds" -timeout=30 \
    -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$PWD/$work/findings/" \
    "$PWD/$work/corpus" "$PWD/fuzz/corpus/$target" >"$work/log" 2>&1
  echo $? >"$work/status"
}
export -f fuzz_one

printf '%s\n' "${targets[@]}" | xargs -P "$(nproc)" -I{} bash -c 'fuzz_one "$@"' _ {} "$seconds" "$out"

status=0
printf '%-16s %12s %14s %9s\n' target execs "cov: edges" findings
for target in "${targets[@]}"; do
  work="$out/$target"
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$work/log" | tail -1 | cut -d' ' -f2)
  edges=$(sed -n 's/.*Loaded [0-9]* modules *(\([0-9]*\) inline 8-bit counters.*/\1/p' "$work/log" | head -1)
  findings=$(find "$work/findings" -type f | wc -l)
  if [ "$(cat "$work/status")" != 0 ] && [ "$findings" = 0 ]; then findings=1; fi
  printf '%-16s %12s %14s %9s\n' "$target" "${execs:-?}" "${cov:-?}/${edges:-?}" "$findings"
  if [ "$findings" != 0 ]; then
    status=1
    echo "  see $work/log and $work/findings/" >&2
  fi
done
exit $status
