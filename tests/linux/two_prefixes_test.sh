#!/bin/sh
# One Corvane folder used from two Wine prefixes (plain Wine and a game's
# Proton prefix, say): both see the same journal, so while the game of a
# launch in the one prefix runs, a launch in the other is refused and
# touches nothing, and the first launch still puts the game folder back.
# The Windows side is played by corvane_player.exe in each prefix.
#
#   sh two_prefixes_test.sh CORVANE_EXE STAND_IN_GAME_EXE PLAYER_EXE SECOND_PREFIX
#
# Runs inside a Wine session (WINEPREFIX, DISPLAY set), as the Windows
# build's ctest does. SECOND_PREFIX is made at the first run and kept; its
# server is ended when the test ends.
set -u

corvane_exe=$1
game_exe=$2
player=$3
second=$4
if [ -z "${WINEPREFIX:-}" ]; then
    echo "needs a Wine session of the build (WINEPREFIX): run it through the Windows build's ctest" >&2
    exit 1
fi
first=$WINEPREFIX

T=$(mktemp -d) && T=$(cd -P "$T" && pwd -P) || exit 1
P=$T/program
G=$T/game
key='HKLM\SOFTWARE\Electronic Arts\EA Games\Generals'

# Every Wine program gets no terminal and writes to files: a service Wine
# starts would otherwise hold CTest's pipe open for ever.
in_prefix() { # prefix, then the command
    prefix=$1
    shift
    WINEPREFIX=$prefix "$@" </dev/null >/dev/null 2>&1
}
win() { printf 'Z:%s' "$1" | tr / '\134'; }

player_pid=''
cleanup() {
    : >"$T/end.flag"
    # The game ends, the first Corvane restores, and its player closes it.
    [ -z "$player_pid" ] || wait "$player_pid"
    for prefix in "$first" "$second"; do in_prefix "$prefix" wine reg delete "$key" /f /reg:32; done
    in_prefix "$second" wineserver -k
    rm -rf "$T"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

failures=0
checks=0
expect() { # what actual expected
    checks=$((checks + 1))
    [ "$2" = "$3" ] || { failures=$((failures + 1)); printf 'FAIL: %s: got "%s", expected "%s"\n' "$1" "$2" "$3"; }
}
# The game folder's folders and files with their contents' sums.
snapshot() { (cd "$G" && find . -type d | sort && find . -type f -exec md5sum {} + | sort -k 2); }
wait_for() { # file, seconds
    i=0
    while [ ! -e "$1" ] && [ "$i" -lt $(($2 * 10)) ]; do sleep 0.1; i=$((i + 1)); done
    [ -e "$1" ]
}

# --- The second prefix, with a server of its own for the whole test --------

if [ ! -f "$second/system.reg" ]; then
    mkdir -p "$second"
    in_prefix "$second" wineboot -i
    in_prefix "$second" timeout 60 wineserver -w
fi
(WINEPREFIX=$second setsid wineserver -p </dev/null >/dev/null 2>&1 &)
in_prefix "$second" wine cmd /c exit
# No window manager on the test display: Wine is told not to wait for one.
in_prefix "$second" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f

# --- Generals registered in both, Corvane and a mod in one folder ----------

mkdir -p "$P" "$G/Data/INI" "$T/mods" "$T/work" "$T/home"
cp "$game_exe" "$G/Generals.exe"
printf 'Weapon Laser\r\nEnd\r\n' >"$G/Data/INI/Weapon.ini"
printf 'Weapon Plasma\r\nEnd\r\n' >"$T/mods/Weapon.ini"
cp "$corvane_exe" "$P/Corvane.exe"
printf 'Location=\r\n[Folder]\r\nSource=%s\r\nDestination=%s\r\n' "$(win "$T/mods/Weapon.ini")" "$(win "$G/Data/INI")" \
    >"$P/Mod.zcf"
for prefix in "$first" "$second"; do
    in_prefix "$prefix" wine reg add "$key" /v InstallPath /t REG_SZ /d "$(win "$G")\\" /f /reg:32
    in_prefix "$prefix" wine reg add "$key" /v Version /t REG_DWORD /d 65544 /f /reg:32
done
original=$(snapshot)

# A silent launch of the mod in the prefix, played by corvane_player; the
# game reports to $T/<name>.txt and waits for end.flag.
play() { # prefix, name, seconds
    (cd "$T" && exec env WINEPREFIX="$1" HOME="$T/home" STANDIN_REPORT="$(win "$T/$2.txt")" \
        STANDIN_WAIT_FOR="$(win "$T/end.flag")" \
        wine "$player" "$3" "$(win "$P")" "$(win "$T/work")" -SILENT Mod) </dev/null >"$T/$2.out" 2>"$T/$2.err"
}
said() { sed -n "s/^$2=//p" "$T/$1.out" | tr -d '\r'; }

play "$first" first 120 &
player_pid=$!
if ! wait_for "$T/first.txt" 30; then
    echo "FAIL: the first launch's game never started: $(cat "$T/first.out" "$T/first.err")"
    exit 1
fi
modded=$(snapshot)
expect "the mod's file in the first launch's game" "$(cat "$G/Data/INI/Weapon.ini")" "$(cat "$T/mods/Weapon.ini")"

play "$second" second 30
expect "the second prefix's box" "$(said second box)" "Another Corvane launch is still running. Close it first."
expect "the refused silent launch ended" "$(said second ended)" 0
expect "a second game" "$(ls "$T/second.txt" 2>/dev/null)" ""
expect "the game folder under the first launch" "$(snapshot)" "$modded"

: >"$T/end.flag"
wait "$player_pid"
player_pid=''
expect "the first launch's last line" "$(said first log | tail -n 1)" END
expect "the first launch ended" "$(said first ended)" 0
expect "the game folder after the first launch" "$(snapshot)" "$original"

printf 'two prefixes, one Corvane folder: %d checks, %d failed\n' "$checks" "$failures"
[ "$failures" -eq 0 ]
