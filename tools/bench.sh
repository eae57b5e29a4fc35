#!/usr/bin/env bash
# Builds the launch and scan benchmark and runs it under Wine, in a prefix
# of its own in build/bench: the launch of six mods (2,000 files / 1 GiB
# and 20,000 small files as folder mods, the same 20,000 as a configuration
# file, 1 GiB in four BIG archives alone as a folder mod on the game's
# drive, whose archives are linked, the same archives with 2,000 small
# files, and that tree from drive H:, which lies on the machine's memory
# file system (/dev/shm), as a configuration file, whose archives cannot be
# linked) and the scan of 200 folder mods, against a plain copy, delete and
# walk of the same trees, three rounds. First, on the disk in memory, the
# undo of a launch of 8,000 and of 16,000 files whose game drive went away
# while the game ran: twice the files may take at most 2.5 times as long.
# Last, the check of a game folder with a 20,000-file mod unpacked into it
# against a bare walk of it that opens each file named like an archive: at
# most 1.5 times as long.
# Prints the table at the end.
#
#   tools/bench.sh [rounds] [--keep]
#   tools/bench.sh --phases [--keep]   each mod's check, swap and restore once,
#                                      without the window, then its whole
#                                      launch through the window, every call
#                                      counted and timed: where the time goes
#   tools/bench.sh --undo              only the undo with the drive gone, in
#                                      memory (three rounds, no scratch trees)
#   tools/bench.sh --check [--keep]    only the check of a game folder (nine
#                                      rounds, its scratch tree alone)
#   tools/bench.sh --install [rounds]  the install of a mod from its download:
#                                      a 1 GiB zip of 2,000 files, stored and
#                                      deflated, and a 1 GiB solid 7z of them,
#                                      against libarchive's own unpacking into
#                                      the same folder; and a download with
#                                      100,000 files beside the mod through
#                                      the window, for its longest silence
#   tools/bench.sh --fingerprint [rounds] [--keep]
#                                      the fingerprint of a game folder with a
#                                      1 GiB mod of 2,000 files laid over it,
#                                      through its window: the first against a
#                                      bare SHA-256 of the same files (at least
#                                      0.8 times as fast), the second, its hash
#                                      cache kept, against a bare walk reading
#                                      each archive's table (at most 1.5 times
#                                      as long); memory, the window's answers
#                                      and the manifest's size
#
# The scratch trees (about 3.7 GiB on disk, and 1 GiB in memory) are
# deleted at the end unless --keep is given; a kept set is reused by the
# next run. Exit status: 0 when every target of the table is met, 3 when
# one is missed, 1 when the run failed.
# Timings follow the machine's load: run it when nothing else runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
rounds=3
keep=""
install=""
fingerprint=""
for arg in "$@"; do
    case "$arg" in
        --keep) keep=1 ;;
        --phases) rounds=--phases ;;
        --undo) rounds=--undo ;;
        --check) rounds=--check ;;
        --install) install=1 ;;
        --fingerprint) fingerprint=1 ;;
        *) rounds=$arg ;;
    esac
done

"$root/tools/bootstrap.sh"
cmake -S "$root" -B "$root/build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$root/build/win" -j "$jobs" --target corvane_bench corvane_install_bench \
      corvane_fingerprint_bench stand_in_game

bench="$root/build/bench"
mkdir -p "$bench"
. "$root/tools/wine-session.sh"
wine_session_start "$bench"
scratch_unix="$WINEPREFIX/drive_c/CorvaneBench"
cleanup() {
    wine_session_stop
    [ -n "$keep" ] || rm -rf "$scratch_unix"
}
trap cleanup EXIT

# Wine's drive Z: is the Linux root.
wine_path() { printf 'Z:%s' "${1//\//\\}"; }
output="$bench/bench-output.txt"

# The downloads: 1,000 files of 768 KiB that do not pack (stored in the zip)
# and 1,000 INI texts of 256 KiB (deflated), 1 GiB in all, in a mod's Data
# folder; made once and kept in build/bench.
install_case() {
    local fixtures="$bench/install-archives"
    if [ ! -f "$fixtures/mod.7z" ]; then
        rm -rf "$fixtures" && mkdir -p "$fixtures/tree/Data/Art" "$fixtures/tree/Data/INI"
        for i in $(seq 1000); do
            head -c 786432 /dev/urandom >"$fixtures/tree/Data/Art/t$i.bin"
            head -c 262144 <(yes "Object Unit$i ; Armor = 100 ; Speed = $i") >"$fixtures/tree/Data/INI/u$i.ini"
        done
        (cd "$fixtures/tree" && zip -qr -n .bin "$fixtures/mod.zip" Data && 7zz a -bd -t7z -ms=on -mx=1 "$fixtures/mod.7z" Data >/dev/null)
        rm -rf "$fixtures/tree"
    fi
    # A download with 100,000 files beside the mod's folder, each a note in
    # the window's list: only installed through the window.
    if [ ! -f "$fixtures/beside.zip" ]; then
        rm -rf "$fixtures/beside" && mkdir -p "$fixtures/beside/Mod/Data/INI"
        printf 'x' >"$fixtures/beside/Mod/Data/INI/x.ini"
        (cd "$fixtures/beside" && seq -f 'loose file %.0f.dat' 100000 | xargs -d '\n' touch &&
         zip -q -r -0 "$fixtures/beside.zip" . )
        rm -rf "$fixtures/beside"
    fi
    echo "== Installing from a download ($output)"
    wine "$(wine_path "$root/build/win/tools/bench/corvane_install_bench.exe")" 'C:\CorvaneInstallBench' \
         "$(wine_path "$fixtures/mod.zip")" "$(wine_path "$fixtures/mod.7z")" \
         -silence "$(wine_path "$fixtures/beside.zip")" "$rounds" </dev/null >"$output" 2>&1 || status=$?
    cat "$output"
    rm -rf "$WINEPREFIX/drive_c/CorvaneInstallBench"
    exit "${status:-0}"
}
# The game folder and the mod (1.1 GiB), made once in the scratch folder.
fingerprint_case() {
    echo "== Fingerprinting ($output)"
    wine "$(wine_path "$root/build/win/tools/bench/corvane_fingerprint_bench.exe")" 'C:\CorvaneBench' \
         "$(wine_path "$root/build/win/stand_in/Generals.exe")" "$rounds" </dev/null >"$output" 2>&1 || status=$?
    cat "$output"
    exit "${status:-0}"
}
echo "== Load before the run: $(uptime)"
echo "== Running the benchmark ($rounds); its output goes to $output"
# Into a file, never a pipe: a Wine program's output may be held open by
# Wine's own processes.
: >"$output"
[ -n "$install" ] && install_case
[ -n "$fingerprint" ] && fingerprint_case
wine "$(wine_path "$root/build/win/tools/bench/corvane_bench.exe")" 'C:\CorvaneBench' \
     "$(wine_path "$root/build/win/stand_in/Generals.exe")" "$rounds" </dev/null >"$output" 2>&1 &
bench_pid=$!
tail -n +1 -f --pid="$bench_pid" "$output" || true
status=0
wait "$bench_pid" || status=$?
echo "== Load after the run: $(uptime)"
exit "$status"
