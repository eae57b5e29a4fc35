#!/usr/bin/env bash
# Makes what players download: build/release/Corvane-<version>.zip with
# Corvane.exe (the Release Windows build), corvane-proton (its run bit kept),
# README.txt (the README's "Using it" part as plain text) and LICENSE.txt,
# and beside it Corvane-<version>.zip.sha256, which `sha256sum -c` checks.
#
#   tools/release.sh               builds Corvane.exe in build/win first
#   tools/release.sh --exe FILE    packs FILE as it is, without building
#   tools/release.sh --out DIR     writes into DIR instead of build/release
#
# The version is the one Explorer shows for the Corvane.exe packed: read
# from its version resource, so a zip can never be named after another
# build than the one inside it.
#
# Two builds of one commit give the same zip, byte for byte, and so the same
# checksum: every entry carries the time of that commit (SOURCE_DATE_EPOCH
# instead, where it is set), fixed attributes, and the entries a fixed order.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=""
out="$root/build/release"
while [ $# -gt 0 ]; do
    case $1 in
        --exe) exe=$2; shift 2 ;;
        --out) out=$2; shift 2 ;;
        *) echo "usage: $0 [--exe Corvane.exe] [--out DIR]" >&2; exit 2 ;;
    esac
done

if [ -z "$exe" ]; then
    jobs=$(nproc 2>/dev/null || echo 2)
    "$root/tools/bootstrap.sh"
    cmake -S "$root" -B "$root/build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$root/build/win" -j "$jobs" --target Corvane
    exe="$root/build/win/Corvane.exe"
fi

# The fixed part of the version resource follows its key "VS_VERSION_INFO"
# (UTF-16, its NUL and two bytes that align it) and starts with the signature
# FEEF04BD; its file version is major.minor, then 0.revision, in 16-bit
# little-endian halves, low half first.
version_of() {
    local offset minor major revision
    offset=$(LC_ALL=C grep -obUaP 'V\x00S\x00_\x00V\x00E\x00R\x00S\x00I\x00O\x00N\x00_\x00I\x00N\x00F\x00O\x00\x00\x00\x00\x00\xBD\x04\xEF\xFE' "$1" |
             head -n 1 | cut -d: -f1)
    [ -n "$offset" ] || return 1
    read -r minor major revision _ < <(od -An -tu2 --endian=little -j $((offset + 34 + 8)) -N 8 "$1")
    echo "$major.$minor.$revision"
}

if ! version=$(version_of "$exe"); then
    echo "release: $exe has no version resource; is it Corvane.exe?" >&2
    exit 1
fi
project_version=$(sed -n 's/^project(Corvane VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
if [ "$version" != "$project_version" ]; then
    echo "release: $exe is version $version, but CMakeLists.txt says $project_version; build it anew" >&2
    exit 1
fi

# The README's "Using it" part, up to the next part, as text for Notepad:
# headings underlined, code fences and the picture left out, Markdown's
# marks removed (backticks, **strong**, *emphasis*, [links](address)), CR LF.
readme_text() {
    printf 'Corvane %s\n\n' "$version"
    awk '
        /^## / { part = ($0 == "## Using it") }
        !part || /^[ \t]*```/ || /^!\[/ { next }
        /^##+ / {
            level = index($0, " ") - 1
            title = substr($0, level + 2)
            rule = title
            gsub(/./, level == 2 ? "=" : "-", rule)
            print title; print rule
            next
        }
        { print }
    ' "$root/README.md" |
        sed -E 's/`//g; s/\*\*//g;
                s/(^|[^[:alnum:]*])\*([^* ]|[^* ][^*]*[^* ])\*([^[:alnum:]*]|$)/\1\2\3/g;
                s/\[([^]]*)\]\(([^)]*)\)/\1 (\2)/g' |
        cat -s
}

# The time every entry carries, in seconds since 1970. A zip keeps times from
# 1980 on, to two seconds, in local time: the packing runs in UTC.
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    epoch=$SOURCE_DATE_EPOCH
elif ! epoch=$(git -C "$root" log -1 --format=%ct 2>/dev/null) || [ -z "$epoch" ]; then
    echo "release: $root is no git checkout: set SOURCE_DATE_EPOCH to the time the zip's entries are to carry" >&2
    exit 1
fi
if [[ ! $epoch =~ ^[0-9]+$ ]]; then
    echo "release: SOURCE_DATE_EPOCH is to be seconds since 1970, not: $epoch" >&2
    exit 1
fi
[ "$epoch" -ge 315532800 ] || epoch=315532800

name="Corvane-$version"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/Corvane.exe"
cp "$root/linux/corvane-proton" "$stage/corvane-proton"
readme_text | sed 's/$/\r/' >"$stage/README.txt"
sed 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"
chmod 644 "$stage/Corvane.exe" "$stage/README.txt" "$stage/LICENSE.txt"
chmod 755 "$stage/corvane-proton"
entries=(Corvane.exe corvane-proton README.txt LICENSE.txt)
(cd "$stage" && TZ=UTC touch -d "@$epoch" "${entries[@]}")

mkdir -p "$out"
out=$(cd "$out" && pwd)
# zip adds to an existing archive: start afresh.
rm -f "$out/$name.zip" "$out/$name.zip.sha256"
# -X leaves out what differs from machine to machine (owners, extra times).
(cd "$stage" && TZ=UTC zip -q -X "$out/$name.zip" "${entries[@]}")
(cd "$out" && sha256sum "$name.zip" >"$name.zip.sha256")
echo "$out/$name.zip"
echo "$out/$name.zip.sha256"
