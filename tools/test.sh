#!/usr/bin/env bash
# Builds Corvane and runs every test: the portable rules natively under the
# sanitizers, the fuzz targets on their seed corpus, then the Windows build
# (rules, platform layer, windows and end-to-end runs of Corvane.exe) under
# Wine on a private display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

"$root/tools/bootstrap.sh"

echo "== Native build and tests"
cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build/native" -j "$jobs"
(cd "$root/build/native" && ctest -j "$jobs" --output-on-failure)

echo "== Fuzz targets on their seed corpus"
# Replaying the seeds keeps the fuzz targets building and running between long
# runs; a crash or a hang (-timeout) on any seed fails the run.
CXX=clang++ cmake -S "$root" -B "$root/build/fuzz" -G Ninja -DCORVANE_FUZZ=ON >/dev/null
readers=(vdf zcf fingerprint install)
cmake --build "$root/build/fuzz" -j "$jobs" --target "${readers[@]/%/_fuzz}"
for reader in "${readers[@]}"; do
    log="$root/build/fuzz/$reader-seeds.log"
    if ! "$root/build/fuzz/tests/fuzz/${reader}_fuzz" -runs=0 -timeout=10 -artifact_prefix="$root/build/fuzz/$reader-" \
            "$root/tests/fuzz/corpus/$reader" >"$log" 2>&1; then
        cat "$log"
        echo "${reader}_fuzz failed on its seed corpus" >&2
        exit 1
    fi
done

echo "== Windows build"
cmake -S "$root" -B "$root/build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$root/build/win" -j "$jobs"

echo "== Windows tests under Wine"
# The session runs Wine in a UTF-8 locale (LANG=C.UTF-8), which the tests
# with Cyrillic and CJK file names need.
. "$root/tools/wine-session.sh"
wine_session_start "$root/build/win"
trap wine_session_stop EXIT
(cd "$root/build/win" && ctest -j "$jobs" --output-on-failure)
