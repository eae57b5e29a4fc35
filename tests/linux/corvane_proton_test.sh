#!/bin/sh
# corvane-proton against a Steam made up in a scratch folder as players have
# it: Steam's root and a second library whose path holds a blank and "&",
# homes that reach Steam as the Deck, Flatpak, Snap and ProtonUp-Qt's users
# do, stand-in Protons (small scripts that note how they were called and
# then run the program under Wine in the test prefix) in every place Steam
# takes them from, a stand-in Steam runtime, and a copy of the script beside
# the stand-in game named Corvane.exe. The system's folders are a scratch
# one too (CORVANE_PROTON_SYSROOT).
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
    mkdir -p "$1/steamapps/compatdata/$2/pfx" "$1/steamapps/common/Game $2"
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
tool_manifest() { # file, the name Steam records, install_path
    mkdir -p "${1%/*}"
    printf '"compatibilitytools"\n{\n  "compat_tools"\n  {\n    "%s" // the name Steam records\n    {\n      "install_path" "%s"\n      "display_name" "%s"\n      "from_oslist" "windows"\n      "to_oslist" "linux"\n    }\n  }\n}\n' \
        "$2" "$3" "$2" >"$1"
}
# The player's own tools, in each place Steam looks: the folder's name is
# not the tool's; a manifest may lie straight in the tools folder.
stand_in_proton "$S/compatibilitytools.d/my tool"
tool_manifest "$S/compatibilitytools.d/my tool/compatibilitytool.vdf" GE-Proton9-20 .
stand_in_proton "$T/tools/GE abs"
tool_manifest "$S/compatibilitytools.d/ge.vdf" GE-Absolute "$T/tools/GE abs"
stand_in_proton "$T/homes/protonup/.steam/compatibilitytools.d/GE-Proton10-1"
tool_manifest "$T/homes/protonup/.steam/compatibilitytools.d/GE-Proton10-1/compatibilitytool.vdf" GE-Proton10-1 .
stand_in_proton "$T/sysroot/usr/local/share/steam/compatibilitytools.d/Local Proton"
tool_manifest "$T/sysroot/usr/local/share/steam/compatibilitytools.d/local.vdf" Local-Proton "Local Proton"
stand_in_proton "$T/sysroot/usr/share/steam/compatibilitytools.d/Shadowed"
tool_manifest "$T/sysroot/usr/share/steam/compatibilitytools.d/Shadowed/compatibilitytool.vdf" GE-Proton10-1 .
stand_in_proton "$T/extra tools/Nix Proton"
tool_manifest "$T/extra tools/Nix Proton/compatibilitytool.vdf" Nix-Proton .
# A Flatpak extension of Flatpak's Steam, kept by Flatpak in the home.
tool_manifest "$T/homes/deck/.local/share/flatpak/runtime/com.valvesoftware.Steam.CompatibilityTool.Proton-GE/x86_64/stable/active/files/compatibilitytool.vdf" Proton-GE .
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

# Homes: the Deck's links to Steam's root, Flatpak's Steam, Snap's, a
# ProtonUp-Qt user's ~/.steam/root that is ~/.steam itself, none at all.
mkdir -p "$T/homes/deck/.steam" "$T/homes/deck/.local/share" "$T/homes/none" \
         "$T/homes/flatpak/.var/app/com.valvesoftware.Steam/.local/share" "$T/homes/snap/snap/steam/common/.local/share"
ln -s "$S" "$T/homes/deck/.local/share/Steam"
ln -s ../.local/share/Steam "$T/homes/deck/.steam/steam"
ln -s ../.local/share/Steam "$T/homes/deck/.steam/root"
ln -s "$S" "$T/homes/flatpak/.var/app/com.valvesoftware.Steam/.local/share/Steam"
ln -s "$S" "$T/homes/snap/snap/steam/common/.local/share/Steam"
ln -s "$S" "$T/homes/protonup/.steam/steam"
ln -s . "$T/homes/protonup/.steam/root"

# Flatpak's own Steam, whose files name its folder as its sandbox sees it
# (~/.local/share/Steam, nothing outside), with Generals and the Proton that
# last ran it.
F="$T/homes/flatpak2/.var/app/com.valvesoftware.Steam/.local/share/Steam"
mkdir -p "$F/config" "$F/steamapps"
current_libraries "$T/homes/flatpak2/.local/share/Steam" >"$F/steamapps/libraryfolders.vdf"
install_game "$F" 2229870
stand_in_proton "$F/steamapps/common/Proton 7.0"
stand_in_proton "$F/steamapps/common/Proton 8.0"
printf '7.0-6\n%s\n' "$T/homes/flatpak2/.local/share/Steam/steamapps/common/Proton 7.0/files/share/fonts/" \
    >"$F/steamapps/compatdata/2229870/config_info"

# Moves paths away or to another name for one case, and makes new ones;
# restore puts everything back.
moved=''
made=''
move() { # from to
    mv "$1" "$2"
    moved="$2	$1
$moved"
}
hide() {
    for path; do move "$path" "$T/away/$(printf '%s' "$moved" | grep -c '^')"; done
}
make_proton() { # folder [the app manifest in Steam's folder that names it]
    stand_in_proton "$1"
    made="$made$1
"
    if [ $# -gt 1 ]; then
        id=${2##*_}
        printf '"AppState"\n{\n\t"appid"\t\t"%s"\n\t"installdir"\t\t"%s"\n}\n' "${id%.acf}" "${1##*/}" >"$2"
        made="$made$2
"
    fi
}
extra_tools=''
restore() {
    printf '%s' "$moved" | while IFS='	' read -r from to; do mv "$from" "$to"; done
    printf '%s' "$made" | while IFS= read -r path; do rm -rf "$path"; done
    moved='' made='' extra_tools=''
    rm -f "$L/steamapps/compatdata/2732960/config_info"
    write_config - -
    current_libraries "$S" "$L" >"$S/steamapps/libraryfolders.vdf"
}
hide_runtime() { rm -f "$L/steamapps/appmanifest_1628350.acf"; }
use_runtime() {
    printf '"AppState"\n{\n\t"appid"\t\t"1628350"\n\t"installdir"\t\t"SteamLinuxRuntime_sniper"\n}\n' \
        >"$L/steamapps/appmanifest_1628350.acf"
}
hide_numbered() { hide "$S/steamapps/common/Proton "[0-9]* "$L/steamapps/common/Proton 10.0"; }
hide_experimental() { hide "$S/steamapps/common/Proton - Experimental"; }
hide_protons() { hide_numbered; hide_experimental; }
hide_zero_hour() { hide "$L/steamapps/appmanifest_2732960.acf"; }
hide_prefix() { hide "$L/steamapps/compatdata/2732960"; }
# Zero Hour in a library whose name needs Steam's escapes, named only there.
escaped_library() {
    E="$T/Lib \\ \"quoted\" ü"
    install_game "$E" 2732960
    current_libraries "$S" "$E" >"$S/steamapps/libraryfolders.vdf"
}
older_form() { older_libraries "$L" >"$S/steamapps/libraryfolders.vdf"; }
# Older installs spell the folder SteamApps, in Steam's folder or a library.
steamapps_upper_root() { move "$S/steamapps" "$S/SteamApps"; }
steamapps_upper_library() { move "$L/steamapps" "$L/SteamApps"; }
config_list() { move "$S/steamapps/libraryfolders.vdf" "$S/config/libraryfolders.vdf"; }
# Steam's folder keeps the manifest of a Zero Hour that went to the library.
stale_manifest() {
    cp "$L/steamapps/appmanifest_2732960.acf" "$S/steamapps/"
    made="$made$S/steamapps/appmanifest_2732960.acf
"
}
# The prefix notes the Proton that last ran it.
last_ran_63() {
    printf '9.0-1\n%s\n%s\n' "$S/steamapps/common/Proton 6.3/files/share/fonts/" \
        "$S/steamapps/common/Proton 6.3/files/lib/" >"$L/steamapps/compatdata/2732960/config_info"
}
last_ran_gone() {
    printf '9.0-1\n%s\n' "$S/steamapps/common/Proton 5.0/dist/share/fonts/" >"$L/steamapps/compatdata/2732960/config_info"
}
# Steam installed Proton 9.0 (Beta); a Proton 9.0 folder is left over.
choose_flatpak_tool() { write_config Proton-GE -; }
installed_beta() { make_proton "$S/steamapps/common/Proton 9.0 (Beta)" "$S/steamapps/appmanifest_2805730.acf"; }
extra_path() { extra_tools="$T/no such folder:$T/extra tools"; }

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
        ${extra_tools:+"STEAM_EXTRA_COMPAT_TOOLS_PATHS=$extra_tools"} CORVANE_PROTON_SYSROOT="$T/sysroot" \
        HOME="$T/homes/$home" XDG_DATA_HOME="$T/homes/$home/.local/share" STANDIN_EXIT_CODE=$exit_code \
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
while IFS='|' read -r case_name prepare args app compat_data said; do
    [ -n "$case_name" ] || continue
    $prepare
    # shellcheck disable=SC2086 # the arguments of the row, one word each
    run deck $args
    expect "exit status" "$status" 0
    expect "compatdata" "$(called STEAM_COMPAT_DATA_PATH)" "$compat_data"
    expect "SteamAppId" "$(called SteamAppId)" "$app"
    expect "SteamGameId" "$(called SteamGameId)" "$app"
    [ -z "$said" ] || expect_text "$T/err" "$said"
    restore
done <<EOF
Zero Hour before Generals|:||2732960|$L/steamapps/compatdata/2732960|
--game generals|:|--game generals|2229870|$S/steamapps/compatdata/2229870|
Generals alone|hide_zero_hour||2229870|$S/steamapps/compatdata/2229870|
older libraryfolders.vdf|older_form||2732960|$L/steamapps/compatdata/2732960|
escapes in a library's path|escaped_library||2732960|$T/Lib \\ "quoted" ü/steamapps/compatdata/2732960|
only config/libraryfolders.vdf|config_list||2732960|$L/steamapps/compatdata/2732960|
SteamApps in Steam's folder|steamapps_upper_root|--game generals|2229870|$S/SteamApps/compatdata/2229870|
SteamApps in a library|steamapps_upper_library||2732960|$L/SteamApps/compatdata/2732960|
a stale manifest in Steam's folder, the game in the library|stale_manifest||2732960|$L/steamapps/compatdata/2732960|Passing over $S/steamapps/appmanifest_2732960.acf
EOF

# Which Proton: the game's entry in config.vdf, else the one that last ran
# its prefix, else the entry "0", else Experimental, else the highest
# numbered; the line that names it says why.
while IFS='|' read -r case_name prepare home for_game for_all expected why; do
    [ -n "$case_name" ] || continue
    $prepare
    write_config "$for_game" "$for_all"
    run "$home"
    expect "exit status" "$status" 0
    expect "Proton" "$(called proton)" "$expected"
    expect_text "$T/err" "with ${expected##*/} ($why"
    restore
done <<EOF
a tool of the player's own, not Valve's newer|:|deck|GE-Proton9-20|proton_9|$S/compatibilitytools.d/my tool|Steam's choice for Zero Hour
a manifest straight in compatibilitytools.d, an absolute path|:|deck|GE-Absolute|-|$T/tools/GE abs|Steam's choice
~/.steam/root is ~/.steam, before the system's tool of that name|:|protonup|GE-Proton10-1|-|$T/homes/protonup/.steam/compatibilitytools.d/GE-Proton10-1|Steam's choice
/usr/local/share, a manifest straight there, a relative path|:|deck|Local-Proton|-|$T/sysroot/usr/local/share/steam/compatibilitytools.d/Local Proton|Steam's choice
STEAM_EXTRA_COMPAT_TOOLS_PATHS|extra_path|deck|Nix-Proton|-|$T/extra tools/Nix Proton|Steam's choice
proton_experimental|:|deck|proton_experimental|-|$S/steamapps/common/Proton - Experimental|Steam's choice
proton_hotfix|:|deck|proton_hotfix|-|$S/steamapps/common/Proton Hotfix|Steam's choice
proton_9|:|deck|proton_9|-|$S/steamapps/common/Proton 9.0|Steam's choice
proton_9 installed as a beta, a Proton 9.0 folder left over|installed_beta|deck|proton_9|-|$S/steamapps/common/Proton 9.0 (Beta)|Steam's choice
proton_63|:|deck|proton_63|-|$S/steamapps/common/Proton 6.3|Steam's choice
a beta|:|deck|proton_8|-|$S/steamapps/common/Proton 8.0 (Beta)|Steam's choice
the choice before the one that last ran the prefix|last_ran_63|deck|proton_9|-|$S/steamapps/common/Proton 9.0|Steam's choice
no choice: the one that last ran the prefix, older than the newest|last_ran_63|deck|-|proton_9|$S/steamapps/common/Proton 6.3|it last ran this prefix
an empty choice is none|last_ran_63|deck||proton_9|$S/steamapps/common/Proton 6.3|it last ran this prefix
the one that last ran is gone: the entry for every game|last_ran_gone|deck|-|proton_63|$S/steamapps/common/Proton 6.3|Steam's default
the choice not installed: the entry for every game|:|deck|proton_5|proton_9|$S/steamapps/common/Proton 9.0|Steam's default
no choice: Experimental|:|deck|-|-|$S/steamapps/common/Proton - Experimental|fallback
no choice, no Experimental: the highest numbered|hide_experimental|deck|-|-|$L/steamapps/common/Proton 10.0|fallback
Flatpak's Steam naming its folder as its sandbox sees it|:|flatpak2|-|-|$F/steamapps/common/Proton 7.0|it last ran this prefix
EOF

# Steam's Linux runtime: used when the Proton asks for it and it is installed.
while IFS='|' read -r case_name prepare first options verb; do
    [ -n "$case_name" ] || continue
    $prepare
    write_config proton_10 -
    run deck -- -PLAY ZeroHour "$mod"
    expect "exit status" "$status" 0
    expect "runtime" "$(called runtime)" "$first"
    expect "runtime's options" "$(called runtime-options)" "$options"
    expect "Proton" "$(called proton)" "$L/steamapps/common/Proton 10.0"
    expect "proton's verb" "$(called verb)" "$verb"
    # The container sees only what it is told to share: Corvane's folder and
    # every library.
    # Steam names each library's steamapps folder, as Proton expects.
    if [ -n "$first" ]; then
        shared_folder=$C shared_libraries=$S/steamapps:$L/steamapps
    else
        shared_folder=unset shared_libraries=unset
    fi
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
Snap|snap||$S
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
a tool only Flatpak's sandbox runs|choose_flatpak_tool|--game zerohour -- -PLAY ZeroHour|1|Proton-GE, is a Flatpak extension|flatpak run '--filesystem=$C' '--command=$C/corvane-proton' com.valvesoftware.Steam --game zerohour -- -PLAY ZeroHour
Corvane's arguments before --|:|-PLAY ZeroHour|2|go after --|
an unknown game|:|--game redalert|2|zerohour or generals|
EOF
# Without Steam the same hint.
case_name="no Steam"
run none
expect_text "$T/err" "WINEPREFIX=~/.wine-generals wine '$C/Corvane.exe'"

printf '%s: %d checks, %d failed\n' "corvane-proton under $shell" "$checks" "$failures"
[ "$failures" -eq 0 ]
