#!/usr/bin/env bash
# Runs one Windows test program under Wine for CTest, which uses it as the
# emulator of the cross build.
#
# The program's output goes through files, not straight into CTest's pipes:
# every Wine process inherits its parent's standard error, so any process a
# test started that outlives it (a stand-in game a failed test left waiting, a
# service Wine started on demand) would otherwise hold the pipe open and keep
# CTest waiting until the test's time limit, long after the test had passed.
#
# A listing of the tests that fails without printing anything (seen once on a
# freshly made prefix) is tried again.
set -u
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

listing=0
for arg in "$@"; do [ "$arg" = --gtest_list_tests ] && listing=1; done

for attempt in 1 2 3; do
    wine "$@" </dev/null >"$out" 2>"$err"
    rc=$?
    if [ $rc -eq 0 ] || [ $listing -eq 0 ] || [ -s "$out" ]; then break; fi
    echo "wine-run: listing attempt $attempt ended with $rc and no output" >&2
    cat "$err" >&2
    sleep 2
done
cat "$out"
cat "$err" >&2
exit $rc
