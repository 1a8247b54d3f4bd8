#!/usr/bin/env bash
# Lays out a demo game installation in the Wine prefix of a build tree:
# the stand-in game and editor, a handful of sample YMods, and the game's
# installation record in the prefix's Windows directory.
#
#   tools/make-demo.sh [BUILD_DIR]      (default build/windows)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${1:-$here/../build/windows}
build=$(cd "$build" && pwd)
wine_dir=${YORV_WINE_DIR:-$build/wine}
run=("$here/wine-run.sh" --prefix "$wine_dir")

# Make sure the prefix exists before writing into it.
"${run[@]}" cmd /c exit 0 >/dev/null 2>&1

drive_c="$wine_dir/prefix/drive_c"
game="$drive_c/Games/Yorv HollowFen"
rm -rf "$game"
mkdir -p "$game"
cp "$build/tests/standin/yorv_standin.exe" "$game/yorv.exe"
cp "$build/tests/standin/yorv_standin.exe" "$game/yorvedit.exe"

crlf() { sed 's/$/\r/'; }

mkdir -p "$game/FenRaiders"
crlf > "$game/FenRaiders/YMOD.DIZ" <<'DIZ'
Fen Raiders 1.2
Copyright (c) 1998 Marsh Lantern Mods
Support: fenraiders@example.com
Raid the drowned villages of the eastern fen
with a band of six reed-cutters.

Twelve new levels, three new foes,
and a boat you can steer.
DIZ

mkdir -p "$game/bogwalk"
echo "The bogwalk YMod has no description file." > "$game/bogwalk/readme.txt"

mkdir -p "$game/Hollow Night"
crlf > "$game/Hollow Night/YMOD.DIZ" <<'DIZ'
Hollow Night (beta 3)
(c) 1998 Ada Reedman
DIZ
echo "levels" > "$game/Hollow Night/night.lvl"

mkdir -p "$game/Secret Stash"  # hidden: not offered
mkdir -p "$game/Source"        # the game's own: never a YMod
mkdir -p "$game/AVI"
mkdir -p "$game/TideMill"
printf 'Tide Mill & Sluice Gates\r\nby Tom Whitwater\r\n\r\nWork the sluices before the tide turns.\r\n' \
    > "$game/TideMill/YMOD.DIZ"

"${run[@]}" cmd /c attrib +h 'C:\Games\Yorv HollowFen\Secret Stash' >/dev/null 2>&1

printf 'Yorv HollowFen\r\nC:\\Games\\Yorv HollowFen\r\n' > "$drive_c/windows/yorvhollowfen.ini"
echo "Demo game installation: $game"
