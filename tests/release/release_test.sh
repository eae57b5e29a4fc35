#!/bin/sh
# tools/release.sh packs a given Corvane.exe into a scratch folder: the zip
# named after the version, holding exactly what players get, the script still
# runnable once unpacked, a checksum sha256sum accepts and text for Notepad.
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

# A program without Corvane's version is refused, and nothing is written.
rm -f "$out"/*.zip "$out"/*.sha256
! bash "$src/tools/release.sh" --exe "$other_exe" --out "$out" >/dev/null 2>&1
expect "a program without Corvane's version is refused" $?
[ -z "$(find "$out" -name '*.zip')" ]
expect "and no zip is made" $?

echo "release: $checks checks, $failures failed"
[ "$failures" -eq 0 ]
