#!/usr/bin/env bash
# Builds and runs the benchmarks: the native ones (optimised build) and the Windows ones
# under Wine. Each writes its JSON under build/bench/ and prints its figures.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source tools/wine-env.sh
out=$root/build/bench
mkdir -p "$out"
status=0

cmake --preset bench-native >/dev/null && cmake --build --preset bench-native --target bench_all || status=1
cmake --preset win >/dev/null && cmake --build --preset win --target bench_all || status=1

run_native() {  # run_native <program> <json name>
  local exe=build/bench-native/bench/$1
  [ -x "$exe" ] || { echo "bench: $exe missing"; status=1; return; }
  "$exe" --benchmark_out="$out/$2" --benchmark_out_format=json || status=1
}
run_win() {
  local exe=build/win/bench/$1.exe
  [ -f "$exe" ] || { echo "bench: $exe missing"; status=1; return; }
  timeout 600 wine "$exe" --benchmark_out="Z:${out//\//\\}\\$2" --benchmark_out_format=json \
    </dev/null || status=1
}

[ -d bench/xml ] && run_native xml/xml_bench xml.json
if [ -d bench/time ]; then
  wine_start
  run_win time/time_bench time.json
  wine_stop
fi
# The list view paints on a real window: a private X display for it.
if [ -d bench/list ]; then
  exe=build/win/bench/list/list_bench.exe
  if [ -f "$exe" ] && xvfb_start; then
    wine_start
    timeout 600 wine "$exe" "Z:${out//\//\\}\\list.json" </dev/null || status=1
    wine_stop
    xvfb_stop
  else
    echo "bench: $exe missing or no X display"; status=1
  fi
fi
ls -l "$out"
exit $status
