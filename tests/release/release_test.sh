#!/bin/sh
# tools/release.sh packs a given Corvane.exe into a scratch folder: the zip
# named after the version, holding exactly what players get, the script still
# runnable once unpacked, a checksum sha256sum accepts and text for Notepad;
# packed again elsewhere, the same bytes.
#
#   sh release_test.sh SOURCE_DIR CORVANE_EXE NOT_CORVANE_EXE
#
# NOT_CORVANE_EXE is a program without Corvane's version resource.
set -u
src=$1
exe=$2
other_exe=$3

out=$(mktemp -d) || exit 1
trap 'rm -rf "$out"' EXIT
failures=0
checks=0
expect() { # what, the status of the command that checked it
    checks=$((checks + 1))
    if [ "$2" -ne 0 ]; then
        failures=$((failures + 1))
        echo "FAIL: $1"
    fi
}

number() { sed -n "s/^#define CORVANE_VERSION_$1 \\([0-9]*\\).*/\\1/p" "$src/src/state/app_version.h"; }
name="Corvane-$(number MAJOR).$(number MINOR).$(number REVISION)"
zip="$out/$name.zip"

if ! bash "$src/tools/release.sh" --exe "$exe" --out "$out" >"$out/log" 2>&1; then
    cat "$out/log"
    echo "FAIL: release.sh ended with an error"
    exit 1
fi

contents=$(zipinfo -1 "$zip" | LC_ALL=C sort | tr '\n' ' ')
[ "$contents" = "Corvane.exe LICENSE.txt README.txt corvane-proton " ]
expect "the zip holds exactly the four files (it holds: $contents)" $?
zipinfo "$zip" corvane-proton | grep -q '^-rwxr-xr-x .* unx '
expect "corvane-proton keeps its run bit: $(zipinfo "$zip" corvane-proton)" $?
(cd "$out" && sha256sum -c "$name.zip.sha256") >/dev/null 2>&1
expect "sha256sum -c accepts the checksum file" $?
unzip -p "$zip" Corvane.exe | cmp -s - "$exe"
expect "Corvane.exe is the one given" $?

unzip -p "$zip" README.txt >"$out/README.txt"
cr=$(printf '\r')
[ -s "$out/README.txt" ] && ! grep -q -v "$cr\$" "$out/README.txt"
expect "README.txt has CR LF line ends" $?
# The whole "Using it" part: its last section is in, the next part is not.
last=$(awk '/^## / { part = ($0 == "## Using it") } part && /^### / { h = substr($0, 5) } END { print h }' "$src/README.md")
grep -q -x -F "$last$cr" "$out/README.txt"
expect "README.txt ends the part with \"$last\"" $?
! grep -q "For developers" "$out/README.txt"
expect "README.txt stops before \"For developers\"" $?
! grep -q -e '`' -e '[*][*]' "$out/README.txt"
expect "README.txt has no Markdown marks (backticks, **)" $?

# Every entry carries the time of the commit (a zip keeps even seconds), or
# SOURCE_DATE_EPOCH's; packed again in another time zone, under another
# umask, from a copy of Corvane.exe with another time, the zip and its
# checksum are the same bytes.
commit=$(git -C "$src" log -1 --format=%ct)
times=$(TZ=UTC zipinfo -T "$zip" | awk '/^-/ { print $7 }' | sort -u | tr '\n' ' ')
case $times in
    "$(TZ=UTC date -d "@$((commit / 2 * 2))" +%Y%m%d.%H%M%S) " | "$(TZ=UTC date -d "@$((commit / 2 * 2 + 2))" +%Y%m%d.%H%M%S) ") true ;;
    *) false ;;
esac
expect "every entry carries the commit's time, $(TZ=UTC date -d "@$commit" +%Y%m%d.%H%M%S) (they carry $times)" $?
mkdir "$out/again"
cp "$exe" "$out/again/Corvane.exe"
touch -d '2001-02-03 04:05:06' "$out/again/Corvane.exe"
(umask 077 && TZ=Asia/Tokyo bash "$src/tools/release.sh" --exe "$out/again/Corvane.exe" --out "$out/again") >/dev/null 2>&1 &&
    cmp -s "$zip" "$out/again/$name.zip" && cmp -s "$out/$name.zip.sha256" "$out/again/$name.zip.sha256"
expect "packed twice, the same zip and checksum" $?
SOURCE_DATE_EPOCH=1700000000 bash "$src/tools/release.sh" --exe "$exe" --out "$out/again" >/dev/null 2>&1 &&
    [ "$(TZ=UTC zipinfo -T "$out/again/$name.zip" | awk '/^-/ { print $7 }' | sort -u)" = 20231114.221320 ]
expect "with SOURCE_DATE_EPOCH every entry carries its time" $?
rm -rf "$out/again"

# A program without Corvane's version is refused, and nothing is written.
rm -f "$out"/*.zip "$out"/*.sha256
! bash "$src/tools/release.sh" --exe "$other_exe" --out "$out" >/dev/null 2>&1
expect "a program without Corvane's version is refused" $?
[ -z "$(find "$out" -name '*.zip')" ]
expect "and no zip is made" $?

echo "release: $checks checks, $failures failed"
[ "$failures" -eq 0 ]
