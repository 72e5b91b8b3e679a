#!/usr/bin/env bash
# Fuzzes the XML parser and the JPEG decoder with libFuzzer under ASan/UBSan, each for a
# bounded time (default 60 s). Any sanitizer report stops that run with a failure; a failing
# input is kept under build/fuzz.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
seconds=${1:-60}
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz --target xml_fuzz jpeg_fuzz || exit 1
# UBSan only prints by default: make its findings fatal like ASan's.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
status=0
for target in xml jpeg; do
  corpus=build/fuzz/corpus-$target
  mkdir -p "$corpus"
  echo "== fuzzing $target for $seconds s"
  build/fuzz/fuzz/$target/${target}_fuzz -max_total_time="$seconds" -print_final_stats=1 \
    -max_len=65536 -rss_limit_mb=2048 -artifact_prefix=build/fuzz/$target- "$corpus" \
    fuzz/$target/seeds 2>&1 | tail -n 25
  [ "${PIPESTATUS[0]}" = 0 ] || status=1
done
exit $status
