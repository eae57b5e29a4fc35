#!/bin/sh
# corvane-proton against a Steam made up in a scratch folder: Steam's root
# and a second library whose path holds a blank and "&", stand-in Protons
# (small scripts that note how they were called and then run the program
# under Wine in the test prefix), a stand-in Steam runtime, and a copy of
# the script beside the stand-in game named Corvane.exe.
#
#   sh corvane_proton_test.sh SHELL SCRIPT STAND_IN_GAME_EXE
#
# SHELL runs the script under test (sh is dash on Debian, bash on the Deck).
# Runs inside a Wine session (WINEPREFIX set), as the Windows build's ctest does.
set -u

shell=$1
script=$2
game_exe=$3
if [ -z "${WINEPREFIX:-}" ]; then
    echo "needs a Wine session of the build (WINEPREFIX): run it through the Windows build's ctest" >&2
    exit 1
fi

# Whatever a Steam that started this shell told it is not the scratch Steam's.
unset STEAM_COMPAT_CLIENT_INSTALL_PATH STEAM_COMPAT_DATA_PATH SteamAppId SteamGameId

T=$(mktemp -d) && T=$(cd -P "$T" && pwd -P) || exit 1
trap 'rm -rf "$T"' EXIT
trap 'exit 1' INT TERM

S=$T/steam                      # Steam's root
L="$T/Games & Co/Steam Library" # a second library
C="$T/Corvane ü & Co"           # Corvane's folder
mod="Bob's mod with blanks & ünïcode"
export CALLS="$T/calls"
report=$T/report.txt
STANDIN_REPORT="Z:$(printf '%s' "$report" | tr / '\134')"
export STANDIN_REPORT

failures=0
checks=0
fail() {
    failures=$((failures + 1))
    printf 'FAIL [%s]: %s\n' "$case_name" "$*"
}
expect() { # what actual expected
    checks=$((checks + 1))
    [ "$2" = "$3" ] || fail "$1: got '$2', expected '$3'"
}
expect_text() { # file text
    checks=$((checks + 1))
    grep -F -q -- "$2" "$1" || fail "$(basename "$1") lacks '$2': $(cat "$1")"
}
# A line "key=value" the stand-in Proton or runtime noted.
called() { sed -n "s/^$1=//p" "$CALLS" 2>/dev/null | head -n 1; }

# --- The scratch Steam -------------------------------------------------------

stand_in_proton() { # folder [app id of the runtime its manifest asks for]
    mkdir -p "$1"
    cat >"$1/proton" <<'EOF'
#!/bin/sh
{
    printf 'proton=%s\n' "${0%/proton}"
    printf 'verb=%s\n' "$1"
    printf 'program=%s\n' "$2"
    for name in STEAM_COMPAT_DATA_PATH STEAM_COMPAT_CLIENT_INSTALL_PATH SteamAppId SteamGameId \
                STEAM_COMPAT_INSTALL_PATH STEAM_COMPAT_LIBRARY_PATHS; do
        eval "printf '%s=%s\n' \"\$name\" \"\${$name-unset}\""
    done
} >>"$CALLS"
shift
exec wine "$@"
EOF
    chmod +x "$1/proton"
    [ $# -lt 2 ] || printf '"manifest"\n{\n\t"version" "2"\n\t"commandline" "/proton %%verb%%"\n\t"require_tool_appid" "%s"\n}\n' "$2" >"$1/toolmanifest.vdf"
}

# A path as Steam writes it in a quoted string.
vdf_quoted() { printf '"%s"' "$(printf '%s' "$1" | sed 's/\\/\\\\/g; s/"/\\"/g')"; }

current_libraries() { # library...
    printf '"libraryfolders"\n{\n'
    n=0
    for lib; do
        printf '\t"%s"\n\t{\n\t\t"path"\t\t%s\n\t\t"label"\t\t""\n' "$n" "$(vdf_quoted "$lib")"
        printf '\t\t"apps"\n\t\t{\n\t\t\t"2732960"\t\t"1234"\n\t\t}\n\t}\n'
        n=$((n + 1))
    done
    printf '}\n'
}

older_libraries() { # library... (Steam's root is not named in this form)
    printf '"LibraryFolders"\n{\n\t"TimeNextStatsReport"\t\t"1700000000"\n\t"ContentStatsID"\t\t"-123"\n'
    n=1
    for lib; do
        printf '\t"%s"\t\t%s\n' "$n" "$(vdf_quoted "$lib")"
        n=$((n + 1))
    done
    printf '}\n'
}

write_config() { # name for Zero Hour, name for every game ("-": none)
    {
        printf '"InstallConfigStore"\n{\n\t"Software"\n\t{\n\t\t"Valve"\n\t\t{\n\t\t\t"Steam"\n\t\t\t{\n'
        printf '\t\t\t\t"CompatToolMapping"\n\t\t\t\t{\n'
        [ "$2" = - ] || printf '\t\t\t\t\t"0"\n\t\t\t\t\t{\n\t\t\t\t\t\t"name"\t\t"%s"\n\t\t\t\t\t\t"config"\t\t""\n\t\t\t\t\t\t"priority"\t\t"75"\n\t\t\t\t\t}\n' "$2"
        [ "$1" = - ] || printf '\t\t\t\t\t"2732960"\n\t\t\t\t\t{\n\t\t\t\t\t\t"name"\t\t"%s"\n\t\t\t\t\t\t"config"\t\t""\n\t\t\t\t\t\t"priority"\t\t"250"\n\t\t\t\t\t}\n' "$1"
        printf '\t\t\t\t}\n\t\t\t}\n\t\t}\n\t}\n}\n'
    } >"$S/config/config.vdf"
}

install_game() { # library app
    mkdir -p "$1/steamapps/compatdata/$2/pfx"
    printf '"AppState"\n{\n\t"appid"\t\t"%s"\n\t"installdir"\t\t"Game %s"\n}\n' "$2" "$2" >"$1/steamapps/appmanifest_$2.acf"
}

mkdir -p "$S/config" "$S/steamapps/common" "$L/steamapps/common" "$C" "$T/away"
current_libraries "$S" "$L" >"$S/steamapps/libraryfolders.vdf"
install_game "$L" 2732960
install_game "$S" 2229870
for p in "Proton - Experimental" "Proton Hotfix" "Proton 9.0" "Proton 6.3" "Proton 8.0 (Beta)"; do
    stand_in_proton "$S/steamapps/common/$p"
done
stand_in_proton "$L/steamapps/common/Proton 10.0" 1628350
# The player's own tool: the folder's name is not the tool's.
stand_in_proton "$S/compatibilitytools.d/my tool"
printf '"compatibilitytools"\n{\n  "compat_tools"\n  {\n    "GE-Proton9-20" // the name Steam records\n    {\n      "install_path" "."\n      "display_name" "GE-Proton9-20"\n      "from_oslist" "windows"\n      "to_oslist" "linux"\n    }\n  }\n}\n' \
    >"$S/compatibilitytools.d/my tool/compatibilitytool.vdf"
# Steam's Linux runtime, installed only where a case says so.
runtime="$L/steamapps/common/SteamLinuxRuntime_sniper"
mkdir -p "$runtime"
cat >"$runtime/_v2-entry-point" <<'EOF'
#!/bin/sh
printf 'runtime=%s\nruntime-options=%s\n' "${0%/_v2-entry-point}" "$1 $2" >>"$CALLS"
while [ "$1" != -- ]; do shift; done
shift
exec "$@"
EOF
chmod +x "$runtime/_v2-entry-point"

cp "$script" "$C/corvane-proton"
cp "$game_exe" "$C/Corvane.exe"

# Homes: the Deck's links to Steam's root, Flatpak's Steam, none at all.
mkdir -p "$T/homes/deck/.steam" "$T/homes/deck/.local/share" "$T/homes/none" \
         "$T/homes/flatpak/.var/app/com.valvesoftware.Steam/.local/share"
ln -s "$S" "$T/homes/deck/.local/share/Steam"
ln -s ../.local/share/Steam "$T/homes/deck/.steam/steam"
ln -s ../.local/share/Steam "$T/homes/deck/.steam/root"
ln -s "$S" "$T/homes/flatpak/.var/app/com.valvesoftware.Steam/.local/share/Steam"

# Moves a path away for one case; restore puts everything back.
hidden=''
hide() {
    for path; do
        n=$(printf '%s' "$hidden" | grep -c '^')
        mv "$path" "$T/away/$n"
        hidden="$hidden$n	$path
"
    done
}
restore() {
    printf '%s' "$hidden" | while IFS='	' read -r n path; do mv "$T/away/$n" "$path"; done
    hidden=''
    write_config - -
    current_libraries "$S" "$L" >"$S/steamapps/libraryfolders.vdf"
}
hide_runtime() { rm -f "$L/steamapps/appmanifest_1628350.acf"; }
use_runtime() {
    printf '"AppState"\n{\n\t"appid"\t\t"1628350"\n\t"installdir"\t\t"SteamLinuxRuntime_sniper"\n}\n' \
        >"$L/steamapps/appmanifest_1628350.acf"
}
hide_numbered() { hide "$S/steamapps/common/Proton "[0-9]* "$L/steamapps/common/Proton 10.0"; }
hide_protons() { hide_numbered; hide "$S/steamapps/common/Proton - Experimental"; }
hide_zero_hour() { hide "$L/steamapps/appmanifest_2732960.acf"; }
hide_prefix() { hide "$L/steamapps/compatdata/2732960"; }
# Zero Hour in a library whose name needs Steam's escapes, named only there.
escaped_library() {
    E="$T/Lib \\ \"quoted\" ü"
    install_game "$E" 2732960
    current_libraries "$S" "$E" >"$S/steamapps/libraryfolders.vdf"
}
older_form() { older_libraries "$L" >"$S/steamapps/libraryfolders.vdf"; }

# Runs the script from Corvane's folder, in the scratch folder, with Steam's
# variable only when $steam_client names a root; the game ends with status
# $exit_code.
exit_code=0
steam_client=''
run() { # home, then the script's arguments
    home=$1
    shift
    rm -f "$CALLS" "$report"
    (cd "$T" && exec env ${steam_client:+"STEAM_COMPAT_CLIENT_INSTALL_PATH=$steam_client"} \
        HOME="$T/homes/$home" STANDIN_EXIT_CODE=$exit_code \
        "$shell" "$C/corvane-proton" "$@") </dev/null >"$T/out" 2>"$T/err"
    status=$?
}

restore

# --- Cases ---------------------------------------------------------------------

case_name="Corvane run whole"
exit_code=7
run deck -- -PLAY ZeroHour "$mod"
exit_code=0
expect "exit status (Corvane's)" "$status" 7
expect "proton's verb" "$(called verb)" run
expect "program" "$(called program)" "$C/Corvane.exe"
expect "Steam's root" "$(called STEAM_COMPAT_CLIENT_INSTALL_PATH)" "$S"
line=$(head -n 1 "$report" 2>/dev/null | tr -d '\r')
checks=$((checks + 1))
case $line in
    "commandline="*" -PLAY ZeroHour \"$mod\"") ;;
    *) fail "the game was given: $line" ;;
esac

# Which game: its prefix (compatdata) and the app id Proton is told.
while IFS='|' read -r case_name prepare args app compat_data; do
    [ -n "$case_name" ] || continue
    $prepare
    # shellcheck disable=SC2086 # the arguments of the row, one word each
    run deck $args
    expect "exit status" "$status" 0
    expect "compatdata" "$(called STEAM_COMPAT_DATA_PATH)" "$compat_data"
    expect "SteamAppId" "$(called SteamAppId)" "$app"
    expect "SteamGameId" "$(called SteamGameId)" "$app"
    restore
done <<EOF
Zero Hour before Generals|:||2732960|$L/steamapps/compatdata/2732960
--game generals|:|--game generals|2229870|$S/steamapps/compatdata/2229870
Generals alone|hide_zero_hour||2229870|$S/steamapps/compatdata/2229870
older libraryfolders.vdf|older_form||2732960|$L/steamapps/compatdata/2732960
escapes in a library's path|escaped_library||2732960|$T/Lib \\ "quoted" ü/steamapps/compatdata/2732960
EOF

# Which Proton: the game's entry in config.vdf, else the entry "0", else
# the highest numbered Proton installed, else Experimental.
while IFS='|' read -r case_name prepare for_game for_all expected; do
    [ -n "$case_name" ] || continue
    $prepare
    write_config "$for_game" "$for_all"
    run deck
    expect "exit status" "$status" 0
    expect "Proton" "$(called proton)" "$expected"
    restore
done <<EOF
a tool of the player's own, not Valve's newer|:|GE-Proton9-20|proton_9|$S/compatibilitytools.d/my tool
proton_experimental|:|proton_experimental|-|$S/steamapps/common/Proton - Experimental
proton_hotfix|:|proton_hotfix|-|$S/steamapps/common/Proton Hotfix
proton_9|:|proton_9|-|$S/steamapps/common/Proton 9.0
proton_63|:|proton_63|-|$S/steamapps/common/Proton 6.3
a beta|:|proton_8|-|$S/steamapps/common/Proton 8.0 (Beta)
the entry for every game|:|-|proton_63|$S/steamapps/common/Proton 6.3
no choice: the highest numbered|:|-|-|$L/steamapps/common/Proton 10.0
the choice not installed|:|proton_5|proton_9|$L/steamapps/common/Proton 10.0
no numbered Proton: Experimental|hide_numbered|-|-|$S/steamapps/common/Proton - Experimental
EOF

# Steam's Linux runtime: used when the Proton asks for it and it is installed.
while IFS='|' read -r case_name prepare first options verb; do
    [ -n "$case_name" ] || continue
    $prepare
    run deck -- -PLAY ZeroHour "$mod"
    expect "exit status" "$status" 0
    expect "runtime" "$(called runtime)" "$first"
    expect "runtime's options" "$(called runtime-options)" "$options"
    expect "Proton" "$(called proton)" "$L/steamapps/common/Proton 10.0"
    expect "proton's verb" "$(called verb)" "$verb"
    # The container sees only what it is told to share: Corvane's folder and
    # every library.
    if [ -n "$first" ]; then shared_folder=$C shared_libraries=$S:$L; else shared_folder=unset shared_libraries=unset; fi
    expect "Corvane's folder shared" "$(called STEAM_COMPAT_INSTALL_PATH)" "$shared_folder"
    expect "libraries shared" "$(called STEAM_COMPAT_LIBRARY_PATHS)" "$shared_libraries"
    expect "the game given" "$(head -n 1 "$report" 2>/dev/null | tr -d '\r' | grep -c -F " -PLAY ZeroHour \"$mod\"")" 1
    restore
done <<EOF
in the runtime|use_runtime|$runtime|--verb=waitforexitandrun --|waitforexitandrun
runtime not installed|hide_runtime|||run
EOF
hide_runtime

# Where Steam is: Steam's own variable, else the usual places in the home.
while IFS='|' read -r case_name home client expected; do
    [ -n "$case_name" ] || continue
    steam_client=$client
    run "$home"
    steam_client=''
    if [ -n "$expected" ]; then
        expect "exit status" "$status" 0
        expect "Steam's root" "$(called STEAM_COMPAT_CLIENT_INSTALL_PATH)" "$expected"
    else
        checks=$((checks + 1))
        [ "$status" -ne 0 ] || fail "ran without a Steam"
        expect_text "$T/err" "corvane-proton: Steam was not found"
    fi
done <<EOF
the Deck's links|deck||$S
Flatpak|flatpak||$S
Steam's variable|none|$S|$S
Steam's variable before the home|deck|$T/no such Steam|
none|none||
EOF

# --print: nothing runs, and what it prints, pasted, runs the same.
case_name="--print"
run deck -- -PLAY ZeroHour "$mod"
cp "$CALLS" "$T/calls.run"
cp "$report" "$T/report.run"
run deck --print -- -PLAY ZeroHour "$mod"
expect "exit status" "$status" 0
checks=$((checks + 1))
[ ! -e "$CALLS" ] || fail "--print ran Proton"
expect "variables, one a line" "$(grep -c -E '^[A-Za-z_]+=.* \\$' "$T/out")" 5
rm -f "$CALLS" "$report"
(cd "$T" && HOME="$T/homes/none" "$shell" -c "$(cat "$T/out")") </dev/null >/dev/null 2>&1
checks=$((checks + 1))
cmp -s "$CALLS" "$T/calls.run" || fail "pasted, it called: $(cat "$CALLS" 2>/dev/null)"
checks=$((checks + 1))
cmp -s "$report" "$T/report.run" || fail "pasted, the game was given: $(head -n 1 "$report" 2>/dev/null)"

# What cannot work says why, on standard error, and runs nothing.
while IFS='|' read -r case_name prepare args expected_status text hint; do
    [ -n "$case_name" ] || continue
    $prepare
    # shellcheck disable=SC2086 # the arguments of the row, one word each
    run deck $args
    expect "exit status" "$status" "$expected_status"
    expect_text "$T/err" "$text"
    [ -z "$hint" ] || expect_text "$T/err" "$hint"
    expect "lines not from corvane-proton" "$(grep -c -v '^corvane-proton: ' "$T/err")" 0
    checks=$((checks + 1))
    [ ! -e "$CALLS" ] || fail "Proton ran"
    restore
done <<EOF
no prefix yet|hide_prefix||1|Zero Hour has no Proton prefix yet|Start Zero Hour once from Steam
no Proton|hide_protons||1|No Proton was found|WINEPREFIX=~/.wine-generals wine '$C/Corvane.exe'
no such game|hide_zero_hour|--game zerohour|1|Zero Hour (Steam app 2732960) is not installed|
--proton without one|:|--proton $T|1|no program called proton|
Corvane's arguments before --|:|-PLAY ZeroHour|2|go after --|
an unknown game|:|--game redalert|2|zerohour or generals|
EOF
# Without Steam the same hint.
case_name="no Steam"
run none
expect_text "$T/err" "WINEPREFIX=~/.wine-generals wine '$C/Corvane.exe'"

printf '%s: %d checks, %d failed\n' "corvane-proton under $shell" "$checks" "$failures"
[ "$failures" -eq 0 ]
