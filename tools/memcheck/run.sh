#!/bin/sh
# Memory check of one GUI session: the main window starts offscreen with a
# copy of the delivered data, reads the emulated radio, writes it back and
# closes, all under Valgrind memcheck.
#   tools/memcheck/run.sh [BUILD_DIR]     (default: build)
# Fails on any Valgrind error, any definite leak not suppressed in qt.supp,
# or an operation that did not report success. Logs stay in BUILD_DIR/memcheck/;
# MEMCHECK_TIMEOUT (seconds, default 1200) bounds the session.
set -u

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" 2>/dev/null && pwd) || { echo "memcheck: no build folder ${1:-build}" >&2; exit 2; }
session=$build/tools/radiocps-session
sim=$build/run/radiocps-sim
data=$build/run/datafile
logs=$build/memcheck
timeout_s=${MEMCHECK_TIMEOUT:-1200}

command -v valgrind >/dev/null || { echo "memcheck: valgrind is not installed (Debian package valgrind)" >&2; exit 2; }
for f in "$session" "$sim" "$data/sysset.ini" "$data/default.dat" "$data/English.qm"; do
    [ -e "$f" ] || { echo "memcheck: $f is missing; build first" >&2; exit 2; }
done

mkdir -p "$logs"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/radiocps-memcheck.XXXXXX") || exit 2
simpid=
cleanup() {
    if [ -n "$simpid" ]; then kill "$simpid" 2>/dev/null; wait "$simpid" 2>/dev/null; fi
    rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The program works on ./datafile/: a copy, the run folder stays untouched.
mkdir "$scratch/datafile"
for f in sysset.ini default.dat English.qm; do
    cp "$data/$f" "$scratch/datafile/$f" && chmod u+rw "$scratch/datafile/$f" || exit 2
done

# A blank radio (window all FF): the read changes every page.
"$sim" --save "$scratch/radio.dat" >"$scratch/port" 2>"$logs/sim.log" &
simpid=$!
i=0
while [ ! -s "$scratch/port" ] && [ $i -lt 100 ]; do sleep 0.05; i=$((i + 1)); done
port=$(head -n 1 "$scratch/port")
[ -n "$port" ] || { echo "memcheck: radiocps-sim printed no port (see $logs/sim.log)" >&2; exit 2; }

echo "memcheck: radiocps-session on $port under valgrind (logs in $logs)"
start=$(date +%s%N)
(cd "$scratch" && QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 timeout "$timeout_s" \
    valgrind --tool=memcheck --leak-check=full --errors-for-leak-kinds=definite \
        --show-leak-kinds=definite --error-exitcode=99 --suppressions="$here/qt.supp" \
        --num-callers=40 -v --log-file="$logs/valgrind.log" \
        "$session" "$port" >"$logs/session.log" 2>&1)
rc=$?
end=$(date +%s%N)
kill "$simpid" 2>/dev/null; wait "$simpid" 2>/dev/null; simpid=

log=$logs/valgrind.log
# The last value of a summary line of the log ("==pid== <label> N ..."), commas dropped.
last() { sed -n "s/^==[0-9]*== *$1 \\([0-9,]*\\) .*/\\1/p" "$log" | tail -n 1 | tr -d ,; }
errors=$(last 'ERROR SUMMARY:')
definite=$(last 'definitely lost:')
indirect=$(last 'indirectly lost:')
possible=$(last 'possibly lost:')
suppressed=$(last 'suppressed:')
ms=$(( (end - start) / 1000000 ))

echo "memcheck: errors ${errors:-?}; definitely lost ${definite:-0} B, indirectly lost ${indirect:-0} B," \
     "possibly lost ${possible:-0} B, suppressed ${suppressed:-0} B; wall time $((ms / 1000)).$((ms % 1000 / 100)) s"
sed -n 's/^--[0-9]*-- *used_suppression: *\([0-9]*\) \([^ ]*\) \([^ ]*\) .*/memcheck:   suppressed \1x \2 (\3)/p' "$log"
grep -h '^radiocps-session:' "$logs/session.log" | sed 's/^/memcheck: /'

if [ "$rc" -eq 124 ]; then
    echo "memcheck: FAILED, the session did not end within $timeout_s s" >&2; exit 1
elif [ "$rc" -eq 99 ] || [ "${errors:-1}" != 0 ] || [ "${definite:-0}" != 0 ]; then
    echo "memcheck: FAILED, valgrind reported errors (see $log)" >&2; exit 1
elif [ "$rc" -ne 0 ] || ! grep -q 'read and write succeeded' "$logs/session.log"; then
    echo "memcheck: FAILED, the session's read or write did not succeed (exit $rc, see $logs/session.log)" >&2; exit 1
fi
echo "memcheck: clean"
