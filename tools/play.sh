#!/bin/sh
# Plays a game: installs what is missing, builds the Windows programs,
# prepares a Wine prefix once (under build/) and starts the game in a Wine
# virtual desktop on your display.
#   tools/play.sh [game]      game: zarkolt (the default), superzar, kluno or dollix
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
game=${1:-zarkolt}

case $game in
    zarkolt) folder=ZARKOLT program=ZARKOLT.EXE ;;
    superzar) folder=SUPERZAR program=SUPERZAR.EXE ;;
    kluno) folder=KLUNO program=KLUNO.EXE ;;
    dollix) folder=DOLLIX program=DOLLIX.EXE ;;
    *)
        echo "play: unknown game '$game' (known: zarkolt, superzar, kluno, dollix)" >&2
        exit 2
        ;;
esac

if [ -z "${DISPLAY:-}" ]; then
    echo "play: no X display (DISPLAY is not set)" >&2
    exit 1
fi

sh tools/setup.sh

jobs=$(nproc 2>/dev/null || echo 4)
# The 32-bit programs under the 32-bit Wine wherever it works (on kernels that
# cannot run 32-bit programs, through the QEMU that setup registers); elsewhere
# a 64-bit build of the same sources under the 64-bit Wine.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    preset=windows
    export VELTO_WINE_BITS=32
else
    preset=windows64
    export VELTO_WINE_BITS=64
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$jobs" --target "${game}_program"

. "$root/tests/wine/wine-env.sh"
base="$root/build/play-wine$VELTO_WINE_BITS"
wine_base_prefix "$base"
export WINEPREFIX="$base/pfx" HOME="$base/home"
if [ -d "$base/locale/ja_JP.UTF-8" ]; then
    export LOCPATH="$base/locale" LANG=ja_JP.UTF-8
fi

cd "$root/build/$preset/velto/$folder"
exec "$WINE" explorer /desktop=velto,1024x768 "$program"
