#!/usr/bin/env bash
# Installs what building and testing Corvane needs on Debian, once, and builds
# the archive libraries for Windows into build/mingw-deps (also once; not
# with --packages-only, for a caller that builds them itself meanwhile).
#
#   tools/bootstrap.sh [--packages-only]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(cmake ninja-build g++ googletest g++-mingw-w64-x86-64-posix wine wine64 xvfb
          x11-apps imagemagick procps zip unzip dash
          libz-mingw-w64-dev libarchive-dev libarchive-tools 7zip dpkg-dev xz-utils
          zlib1g-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

# The libraries are built from Debian's source packages, which apt-get source
# fetches only with a deb-src line for the same suites as the deb ones.
updated=""
sources=/etc/apt/sources.list.d/debian.sources
if ! grep -rqs -e '^deb-src' -e '^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/ &&
   [ -f "$sources" ]; then
    echo "Adding Debian's source lines"
    sed 's/^Types: *deb$/Types: deb-src/' "$sources" | $sudo tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
    $sudo apt-get update -qq
    updated=1
fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    [ -n "$updated" ] || $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

[ "${1:-}" = --packages-only ] || "$root/tools/mingw-deps.sh" "$root/build/mingw-deps"
