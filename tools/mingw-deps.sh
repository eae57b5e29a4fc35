#!/usr/bin/env bash
# Builds the archive libraries Corvane.exe links statically (libarchive and
# liblzma) for 64-bit Windows from Debian's own source packages, once, into
# build/mingw-deps. zlib comes ready-made from libz-mingw-w64-dev. A stamp
# names the versions built; a cache whose stamp matches is used as it is.
#
#   tools/mingw-deps.sh [cache-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${1:-$root/build/mingw-deps}

# The upstream releases the program is built and tested with. Debian's
# revision of them (its security fixes) is taken as the archive serves it and
# recorded in the stamp; CMake checks the headers against these numbers.
libarchive_version=3.6.2
xz_version=5.4.1
stamp_want="libarchive $libarchive_version xz $xz_version"

if [ -f "$cache/stamp" ] && grep -q "^$stamp_want " "$cache/stamp"; then
    exit 0
fi

# The source version Debian offers for a package, checked against the pin.
source_version() {
    local package=$1 upstream=$2 version
    version=$(apt-cache showsrc "$package" 2>/dev/null |
              awk -v u="$upstream" '/^Version:/ { split($2, v, "-"); sub(/^[0-9]+:/, "", v[1]);
                                                  if (v[1] == u) print $2 }' | sort -V | tail -n 1)
    if [ -z "$version" ]; then
        echo "Debian offers no source of $package $upstream (is there a deb-src line?)" >&2
        exit 1
    fi
    printf '%s' "$version"
}
archive_src=$(source_version libarchive "$libarchive_version")
xz_src=$(source_version xz-utils "$xz_version")

echo "== Building libarchive $archive_src and liblzma $xz_src for Windows into $cache"
rm -rf "$cache"
work="$cache/work"
mkdir -p "$work"
(cd "$work" && apt-get source -qq "libarchive=$archive_src" "xz-utils=$xz_src" >/dev/null)
archive_dir=$(find "$work" -maxdepth 1 -type d -name "libarchive-$libarchive_version" | head -n 1)
xz_dir=$(find "$work" -maxdepth 1 -type d -name "xz-utils-$xz_version" | head -n 1)
[ -n "$archive_dir" ] && [ -n "$xz_dir" ] || { echo "apt-get source unpacked nothing" >&2; exit 1; }

toolchain="$root/cmake/mingw-w64-x86_64.cmake"
prefix="$cache/install"
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S "$xz_dir" -B "$work/xz-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_CROSSCOMPILING_EMULATOR= \
      -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF >"$work/xz-configure.log"
cmake --build "$work/xz-build" -j "$jobs" --target liblzma >"$work/xz-build.log"
mkdir -p "$prefix/lib" "$prefix/include"
cp "$work/xz-build/liblzma.a" "$prefix/lib/"
cp -r "$xz_dir/src/liblzma/api/lzma" "$xz_dir/src/liblzma/api/lzma.h" "$prefix/include/"

# libarchive's check of zlib runs a program, which a cross build cannot:
# its answer is preset. Only the readers Corvane uses are built.
zlib=/usr/x86_64-w64-mingw32/lib/libz.a
cmake -S "$archive_dir" -B "$work/archive-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_CROSSCOMPILING_EMULATOR= \
      -DZLIB_WINAPI=0 -DZLIB_WINAPI_WITH_LIB="$zlib" -DZLIB_LIBRARY="$zlib" \
      -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include \
      -DENABLE_LZMA=ON -DLIBLZMA_INCLUDE_DIR="$prefix/include" -DLIBLZMA_LIBRARY="$prefix/lib/liblzma.a" \
      -DENABLE_TEST=OFF -DENABLE_TAR=OFF -DENABLE_CPIO=OFF -DENABLE_CAT=OFF -DENABLE_OPENSSL=OFF \
      -DENABLE_LIBXML2=OFF -DENABLE_EXPAT=OFF -DENABLE_ICONV=OFF -DENABLE_CNG=OFF -DENABLE_BZip2=OFF \
      -DENABLE_LZ4=OFF -DENABLE_ZSTD=OFF -DENABLE_LZO=OFF -DENABLE_MBEDTLS=OFF -DENABLE_NETTLE=OFF \
      -DENABLE_ACL=OFF -DENABLE_XATTR=OFF -DENABLE_LIBB2=OFF -DENABLE_PCREPOSIX=OFF \
      >"$work/archive-configure.log"
cmake --build "$work/archive-build" -j "$jobs" --target archive_static >"$work/archive-build.log"
cp "$work/archive-build/libarchive/libarchive.a" "$prefix/lib/libarchive.a" 2>/dev/null ||
    cp "$work/archive-build/libarchive/libarchive_static.a" "$prefix/lib/libarchive.a"
cp "$archive_dir/libarchive/archive.h" "$archive_dir/libarchive/archive_entry.h" "$prefix/include/"

# What was built must be what was pinned.
grep -q "ARCHIVE_VERSION_ONLY_STRING \"$libarchive_version\"" "$prefix/include/archive.h" &&
    [ "$(awk '/#define LZMA_VERSION_(MAJOR|MINOR|PATCH) / { v = v "." $3 } END { print substr(v, 2) }' \
          "$prefix/include/lzma/version.h")" = "$xz_version" ] ||
    { echo "The sources built are not libarchive $libarchive_version and xz $xz_version" >&2; exit 1; }

# libarchive's own test archives (RAR4, RAR5, 7z, zip) for the tests.
mkdir -p "$cache/test-archives"
cp "$archive_dir"/libarchive/test/test_read_format_*.uu "$cache/test-archives/"

rm -rf "$work"
printf '%s (%s, %s)\n' "$stamp_want" "$archive_src" "$xz_src" >"$cache/stamp"
echo "== Built: $(cat "$cache/stamp")"
