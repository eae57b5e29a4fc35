#!/usr/bin/env bash
# Makes the downloads the end-to-end install tests give Corvane.exe, with
# Debian's zip, 7zz and bsdtar, and libarchive's own RAR test files:
#
#   make_install_fixtures.sh <out-dir> <libarchive test files> <installer program>
set -euo pipefail
out=$1 uu=$2 installer=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# A mod in a wrapper folder, its INI archive disabled as its own launcher
# ships it, a readme beside it.
mkdir -p "$work/zip/Rotr 2.0/Data/INI"
printf 'BIGF\x10\x00\x00\x00the INI archive' >"$work/zip/Rotr 2.0/!Rotr_INI.gib"
printf 'Weapon RotrLaser\r\nEnd\r\n' >"$work/zip/Rotr 2.0/Data/INI/Weapon.ini"
printf 'Read me first' >"$work/zip/Rotr 2.0/Readme.txt"
(cd "$work/zip" && rm -f "$out/wrapper.zip" && zip -qr "$out/wrapper.zip" "Rotr 2.0")
# The same stored, one byte of its INI changed: its CRC no longer matches.
(cd "$work/zip" && rm -f "$out/bad crc.zip" && zip -q0 -X -r "$out/bad crc.zip" "Rotr 2.0")
perl -0777 -pi -e 's/Weapon RotrLaser/Weapon RotrLasEr/' "$out/bad crc.zip"

# A solid 7z of Cyrillic names, and the same cut short.
mkdir -p "$work/7z/Мод/Data/INI"
printf 'Файл' >"$work/7z/Мод/Data/INI/Оружие.ini"
head -c 300000 /dev/urandom >"$work/7z/Мод/Карта.bin"
(cd "$work/7z" && rm -f "$out/cyrillic.7z" && 7zz a -bd -t7z -ms=on "$out/cyrillic.7z" "Мод" >/dev/null)
head -c 150000 "$out/cyrillic.7z" >"$out/cut short.7z"

# An entry that climbs out of the folder it is unpacked into.
mkdir -p "$work/evil/Data"
printf 'x' >"$work/evil/Data/a.ini"
printf 'evil' >"$work/evil/evil.ini"
(cd "$work/evil" && bsdtar --format zip -cf "$out/escape.zip" -s ',^evil.ini,../../evil.ini,' Data evil.ini)

# 10,000 small files: an install long enough to cancel, or to start a
# second Corvane during it. Eight folders of 1,250, as mods lay them out:
# Wine makes each file in a time that grows with the files beside it.
for d in 1 2 3 4 5 6 7 8; do
    mkdir -p "$work/many/Data/$d"
    (cd "$work/many/Data/$d" && head -c 5120000 /dev/zero | split -b 4096 -a 4 - f)
done
(cd "$work/many" && rm -f "$out/many.7z" && 7zz a -bd -t7z "$out/many.7z" Data >/dev/null)

for rar in test_read_format_rar.rar test_read_format_rar5_solid.rar; do
    perl -ne 'print unpack("u", $_) unless /^(begin|end)/' "$uu/$rar.uu" >"$out/$rar"
done
# The RAR4 cut after its third entry, before the header of its fourth:
# it reads as a smaller whole archive but for its missing end.
head -c 226 "$out/test_read_format_rar.rar" >"$out/cut between.rar"
# A program that is no self-extracting archive: the stand-in game, which
# reports when it is started.
cp "$installer" "$out/setup.exe"
