#!/usr/bin/env bash
# Builds Corvane and runs it under Wine on a demo setup: a Wine prefix of its
# own in build/demo, a stand-in Generals installation registered where the
# real installer registers it, a configuration-file mod and a folder mod.
#
#   tools/demo.sh            with a display: opens the main window; play with
#                            it, make a mod of your own with Add..., the
#                            stand-in game shows a window ("Exit game")
#   tools/demo.sh --silent   with a display: a silent launch of the sample mod
#
# Without a display it runs on a private X server and saves screenshots: the
# silent launch while the game runs and after "END", the main window, and the
# mod editor while a mod is made from scratch, which is then launched too.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-}
jobs=$(nproc 2>/dev/null || echo 2)

"$root/tools/bootstrap.sh"
cmake -S "$root" -B "$root/build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$root/build/win" -j "$jobs" --target Corvane demo_game editor_demo_player

demo="$root/build/demo"
mkdir -p "$demo"
interactive=""
if [ -n "${DISPLAY:-}" ] && xset q >/dev/null 2>&1; then
    interactive=1
    export CORVANE_USE_DISPLAY=1
fi
# The session runs Wine in a UTF-8 locale (LANG=C.UTF-8), so that names in
# any language work in the demo too.
. "$root/tools/wine-session.sh"
wine_session_start "$demo"
trap wine_session_stop EXIT

drive_c="$WINEPREFIX/drive_c"
game="$drive_c/Program Files/EA Games/Command and Conquer Generals"
game_dos='C:\Program Files\EA Games\Command and Conquer Generals\'
program="$drive_c/Corvane"
sources="$drive_c/ModSources/DemoMod"

echo "== Demo setup in $demo"
rm -rf "$game" "$program" "$sources"
mkdir -p "$game/Data/INI" "$game/Data/English" "$program/HD Skies/Art/Textures" \
         "$program/HD Skies/Data/INI" "$sources/Data/INI" "$sources/Maps/Desert Storm"
cp "$root/build/win/demo_game/Generals.exe" "$game/Generals.exe"
printf '; Generals settings\r\nMaxCameraHeight = 310\r\n' >"$game/Data/INI/GameData.ini"
printf 'Weather Normal\r\nEnd\r\n' >"$game/Data/INI/Weather.ini"
printf 'strings' >"$game/Data/English/generals.csf"
printf '; DemoMod settings\r\nMaxCameraHeight = 800\r\n' >"$sources/Data/INI/GameData.ini"
printf 'desert storm map' >"$sources/Maps/Desert Storm/Desert Storm.map"
printf 'BIGF' >"$sources/DemoMod.big"
printf 'TGA sky' >"$program/HD Skies/Art/Textures/sky.tga"
printf 'Weather Stormy\r\nEnd\r\n' >"$program/HD Skies/Data/INI/Weather.ini"
cp "$root/build/win/Corvane.exe" "$program/Corvane.exe"
# Destinations name the game's usual folder; Corvane reads the detected one in its place.
printf '%s\r\n' 'Location=C:\ModSources\DemoMod\DemoMod.big' \
    '[Folder]' 'Source=C:\ModSources\DemoMod\Data\INI\GameData.ini' \
    'Destination=C:\Program Files\EA Games\Command and Conquer Generals\Data\INI' \
    '[Folder]' 'Source=C:\ModSources\DemoMod\Maps' \
    'Destination=C:\Program Files\EA Games\Command and Conquer Generals\Data' >"$program/DemoMod.zcf"

key='HKLM\SOFTWARE\Electronic Arts\EA Games\Generals'
wine reg add "$key" /v InstallPath /t REG_SZ /d "$game_dos" /f /reg:32 </dev/null >/dev/null 2>&1
wine reg add "$key" /v Version /t REG_DWORD /d 65544 /f /reg:32 </dev/null >/dev/null 2>&1

tree_hash() { (cd "$game" && find . -type f -print0 | sort -z | xargs -0 md5sum | md5sum | cut -c1-32); }
# One image of the root window: xwd -root paints a window that lies wholly
# inside another (the folder chooser over the editor) as a black square.
shot() { import -window root "$1"; echo "   screenshot: $1"; }

cd "$drive_c"
if [ -n "$interactive" ]; then
    export DEMO_GAME_RUN_MS=120000
    if [ "$mode" = "--silent" ]; then
        wine 'C:\Corvane\Corvane.exe' -SILENT DemoMod </dev/null >/dev/null 2>&1
    else
        cat <<'GUIDE'
== To make a mod of your own from scratch:
   Add..., type a title, press "..." and pick C:\ModSources\DemoMod\DemoMod.big.
   In the folder list open ModSources, DemoMod, Data, INI; pick GameData.ini and
   press Add File; in the chooser open Data, INI and press OK. Press OK, pick the
   new mod, Start Game; "Exit game" in the stand-in game puts the folder back.
GUIDE
        wine 'C:\Corvane\Corvane.exe' </dev/null >/dev/null 2>&1
    fi
    exit 0
fi

export DEMO_GAME_RUN_MS=4000
before=$(tree_hash)
echo "== Silent launch: Corvane.exe -SILENT DemoMod (the stand-in game runs 4 s)"
wine 'C:\Corvane\Corvane.exe' -SILENT DemoMod </dev/null >/dev/null 2>&1 &
corvane=$!
sleep 3
shot "$demo/silent-launch-running.png"
sleep 4
shot "$demo/silent-launch-end.png"
kill "$corvane" 2>/dev/null || true
wineserver -k </dev/null >/dev/null 2>&1 || true
setsid wineserver -p </dev/null >/dev/null 2>&1 &
after=$(tree_hash)
if [ "$before" = "$after" ]; then
    echo "   game folder after the restore: identical to before ($after)"
else
    echo "   game folder after the restore: DIFFERENT ($before -> $after)"
fi

echo "== Main window: Corvane.exe"
wine 'C:\Corvane\Corvane.exe' </dev/null >/dev/null 2>&1 &
corvane=$!
sleep 3
shot "$demo/main-window.png"

echo "== A mod made from scratch in the editor, then launched"
player="$root/build/win/tools/demo/editor_demo_player.exe"
place=$(wine "$player" fill </dev/null 2>/dev/null | tr -d '\r')
sleep 1
read -r x y w h <<<"$place"
import -window root -crop "${w}x${h}+${x}+${y}" +repage "$demo/mod-editor.png"
echo "   screenshot: $demo/mod-editor.png (the README's picture: docs/mod-editor.png)"
wine "$player" finish </dev/null >/dev/null 2>&1
sleep 3
shot "$demo/editor-mod-running.png"
sleep 5
shot "$demo/editor-mod-end.png"
kill "$corvane" 2>/dev/null || true
after=$(tree_hash)
if [ "$before" = "$after" ]; then
    echo "   game folder after the restore: identical to before ($after)"
else
    echo "   game folder after the restore: DIFFERENT ($before -> $after)"
fi
echo "== Screenshots are in $demo"
