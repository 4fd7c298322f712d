#!/bin/sh
# Runs each libFuzzer target of a FUZZ build for SECONDS, starting from the
# seeds in tests/fuzz/corpus/<target> (read only) and the corpus grown by
# earlier runs in BUILD/corpus/<target>. An input that crashes, leaks, fails
# a property or runs over 10 s is kept in BUILD/artifacts and fails the run;
# once fixed it belongs in the seed folder as a regression case.
set -u
BUILD=$(cd "${1:-build-fuzz}" && pwd)
SECONDS_EACH=${2:-20}
SRC=$(cd "$(dirname "$0")/../.." && pwd)
export LSAN_OPTIONS="suppressions=$SRC/tools/sanitize/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$BUILD/artifacts"

status=0
summary=""
for entry in reply:512 datafile:1024 sysset:4096 csv:8192; do
  t=${entry%%:*}
  mkdir -p "$BUILD/corpus/$t"
  log="$BUILD/fuzz-$t.log"
  (cd "$BUILD" && "$BUILD/fuzz/fuzz_$t" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
     -max_len="${entry#*:}" -print_final_stats=1 -artifact_prefix="$BUILD/artifacts/$t-" \
     "$BUILD/corpus/$t" "$SRC/tests/fuzz/corpus/$t") >"$log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  units=$(ls "$BUILD/corpus/$t" | wc -l)
  line="fuzz_$t: ${runs:-?} executions in ${SECONDS_EACH} s, corpus $units inputs"
  if [ $rc -ne 0 ]; then
    line="$line: FAILED (exit $rc)"
    grep -E "ERROR|runtime error|fuzz $t:|Test unit written" "$log" | head -20
    status=1
  fi
  echo "$line"
  summary="$summary$line\n"
done
printf "$summary" >"$BUILD/fuzz-summary.txt"
exit $status
