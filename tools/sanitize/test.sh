#!/bin/sh
# Runs the whole test suite of a sanitizer build (SANITIZE set). Every
# process the tests start (emulator, command-line tool) is instrumented too
# and logs its reports to files, so a report anywhere fails the run.
set -u
BUILD=$(cd "${1:-build-asan}" && pwd)
SRC=$(cd "$(dirname "$0")/../.." && pwd)
LOGS="$BUILD/sanitizer-logs"
rm -rf "$LOGS" && mkdir -p "$LOGS"

# Full unwinding: Qt's libraries have no frame pointers, and the leak
# suppressions match frames below them.
export ASAN_OPTIONS="log_path=$LOGS/asan:fast_unwind_on_malloc=0:detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$SRC/tools/sanitize/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="log_path=$LOGS/ubsan:print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen

status=0
(cd "$BUILD" && ctest --output-on-failure -j"${JOBS:-$(nproc)}") || status=1
reports=$(find "$LOGS" -type f | wc -l)
if [ "$reports" -ne 0 ]; then
  for f in "$LOGS"/*; do echo "== $f"; cat "$f"; done
  status=1
fi
echo "sanitizer reports: $reports"
exit $status
