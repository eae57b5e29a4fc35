#!/usr/bin/env bash
# Builds Corvane and runs every test: the portable rules natively under the
# sanitizers (the fuzz targets replaying their seed corpus among them), then
# the Windows build (rules, platform layer, windows and end-to-end runs of
# Corvane.exe) under Wine on a private display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

"$root/tools/bootstrap.sh" --packages-only

# The archive libraries for Windows are built (once) while the native build
# runs: fetching their sources and configuring them leave a core idle. The
# native tests read libarchive's test archives that come with them.
mkdir -p "$root/build"
"$root/tools/mingw-deps.sh" "$root/build/mingw-deps" >"$root/build/mingw-deps.log" 2>&1 &
deps=$!

echo "== Native build and tests"
cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build/native" -j "$jobs"
if ! wait "$deps"; then
    cat "$root/build/mingw-deps.log"
    echo "The archive libraries for Windows could not be built" >&2
    exit 1
fi
grep '^==' "$root/build/mingw-deps.log" || true
(cd "$root/build/native" && ctest -j "$jobs" --output-on-failure)

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
