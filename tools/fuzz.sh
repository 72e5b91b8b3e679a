#!/usr/bin/env bash
# Fuzzes the XML parser with libFuzzer under ASan/UBSan for a bounded time (default 60 s).
# Any sanitizer report stops the run with a failure; a failing input is kept under build/fuzz.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
seconds=${1:-60}
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz --target xml_fuzz || exit 1
corpus=build/fuzz/corpus-xml
mkdir -p "$corpus"
# UBSan only prints by default: make its findings fatal like ASan's.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
build/fuzz/fuzz/xml/xml_fuzz -max_total_time="$seconds" -print_final_stats=1 -max_len=65536 \
  -rss_limit_mb=2048 -artifact_prefix=build/fuzz/ "$corpus" fuzz/xml/seeds 2>&1 | tail -n 25
exit "${PIPESTATUS[0]}"
