#!/bin/sh
# Planted faults: applies each tests/mutants/*.patch in turn to a scratch copy
# of the sources, builds only the test executable the patch names, runs the
# cases it names and prints one row per mutant: caught by which case, or
# MISSED. Fails on any miss and on a patch that no longer applies, no longer
# builds or names a case its test lacks.
#
# A patch names its test in its leading comment lines:
#   # test: tst_settings                 the executable (tests/ of the build)
#   # case: options:pattern 3            one argument each (function[:row]);
#                                        none: the whole executable
# usage: tools/mutants.sh [PATCH...]     (default: every patch)
set -u
# The patches named, as absolute paths, before leaving the caller's folder.
for p in "$@"; do
    shift
    set -- "$@" "$(cd "$(dirname "$p")" && pwd)/$(basename "$p")"
done
cd "$(dirname "$0")/.."
root=$PWD
work=${MUTANTS_DIR:-$root/build-mutants}
src=$work/src
build=$work/build
jobs=${JOBS:-$(nproc)}
mkdir -p "$src" "$build" "$work/logs"
# git apply in the scratch copy, not in the repository around it
export GIT_CEILING_DIRECTORIES="$work"

# The scratch copy follows the work tree; a file is copied only when it
# differs, so the build stays incremental and a file last left mutated is
# always rebuilt.
git ls-files -co --exclude-standard | while IFS= read -r f; do
    [ -f "$f" ] || continue
    if ! cmp -s "$f" "$src/$f"; then
        mkdir -p "$src/$(dirname "$f")"
        cp "$f" "$src/$f"
    fi
done
# Configured every time: a test added since the last run is a target only then.
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g0" >/dev/null || exit 1

[ $# -gt 0 ] || set -- "$root"/tests/mutants/*.patch
failed=0
for patch in "$@"; do
    name=$(basename "$patch" .patch)
    log=$work/logs/$name.log
    test=$(sed -n 's/^# test: *//p' "$patch" | head -n1)
    if [ -z "$test" ]; then
        printf '%-46s %s\n' "$name" "BROKEN: no '# test:' line"; failed=1; continue
    fi
    if ! (cd "$src" && git apply --check "$patch") >"$log" 2>&1; then
        printf '%-46s %s\n' "$name" "BROKEN: does not apply (see $log)"; failed=1; continue
    fi
    (cd "$src" && git apply "$patch")
    if ! cmake --build "$build" -j"$jobs" --target "$test" >>"$log" 2>&1; then
        verdict="BROKEN: does not build (see $log)"; failed=1
    else
        # One argument per case line, passed through the positional list.
        set --
        while IFS= read -r c; do [ -z "$c" ] || set -- "$@" "$c"; done <<EOF
$(sed -n 's/^# case: *//p' "$patch")
EOF
        (cd "$build/tests" && QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 timeout 600 "./$test" "$@") >>"$log" 2>&1
        status=$?
        first=$(sed -n 's/^FAIL!  : [A-Za-z0-9_]*::\([A-Za-z0-9_]*([^)]*)\).*/\1/p' "$log" | head -n1)
        more=$(grep -c '^FAIL!  : ' "$log")
        if grep -q '^Unknown test function\|^Unknown testdata for function' "$log"; then
            verdict="BROKEN: names a case $test lacks (see $log)"; failed=1
        elif [ "$status" -eq 0 ]; then
            verdict="MISSED"; failed=1
        elif [ -n "$first" ]; then
            verdict="caught by $test::$first"
            [ "$more" -gt 1 ] && verdict="$verdict (+$((more - 1)) more)"
        else
            verdict="caught by $test (exit status $status)"
        fi
    fi
    (cd "$src" && git apply -R "$patch")
    printf '%-46s %s\n' "$name" "$verdict"
done
exit $failed
