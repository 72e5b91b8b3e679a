#!/usr/bin/env bash
# Runs the native tests (ASan/UBSan), then the Windows tests under Wine. Ends with one
# summary line over both CTest runs and a non-zero status on any failure.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source tools/wine-env.sh
logs=build/test-logs
mkdir -p "$logs"

status=0
echo "== native tests (ASan + UBSan)"
ctest --preset native -j2 2>&1 | tee "$logs/native.log"
[ "${PIPESTATUS[0]}" = 0 ] || status=1

if [ -n "${TELLAVO_FUZZ_SECONDS:-}" ] && [ -x tools/fuzz.sh ]; then
  echo "== fuzzing the XML parser and the JPEG decoder for ${TELLAVO_FUZZ_SECONDS} s each"
  tools/fuzz.sh "$TELLAVO_FUZZ_SECONDS" || status=1
fi

echo "== Windows tests under Wine"
# GUI tests get their own display, whatever DISPLAY the caller has.
unset DISPLAY
xvfb_start || { echo "test: Xvfb did not start"; status=1; }
wine_start
ctest --preset win 2>&1 | tee "$logs/win.log"
[ "${PIPESTATUS[0]}" = 0 ] || status=1
wine_stop
xvfb_stop
# Figures that some test programs print about themselves (CTest keeps them in its log).
grep -h -E '^(zone conversions agreeing with the platform: |\[ figures  \] )' \
  build/native/Testing/Temporary/LastTest*.log build/win/Testing/Temporary/LastTest*.log \
  2>/dev/null | sort -u

passed=0 failed=0
for log in "$logs/native.log" "$logs/win.log"; do
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then status=1; continue; fi
  f=$(sed -E 's/.*passed, ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  t=$(sed -E 's/.*failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + t - f)); failed=$((failed + f))
done
[ $failed = 0 ] || status=1
echo
echo "tests: $passed passed, $failed failed"
exit $status
