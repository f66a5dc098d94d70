#!/bin/sh
# End-to-end tests of ZARKOLT.EXE under Wine, in a Wine virtual desktop on a
# private X display, with our embedded game data.
#   zarkolt.sh SCENARIO BASE_PREFIX WORK_DIR WINDOWS_BUILD
# Scenarios: window, maximized, fullscreen, modex, pause, close, help, sound.
# Every wait is on a condition with a time-out; everything started here is
# stopped through this test's own prefix and display.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
scenario=$1 base=$2 t=$3 build=$4
shot="python3 $here/shot.py"

rm -rf "$t"
mkdir -p "$t/velto/ZARKOLT"
cp "$build/velto/ZARKOLT/ZARKOLT.EXE" "$t/velto/ZARKOLT/"
cp "$build/tests/wine/LAUNCHER.EXE" "$t/velto/"
wine_use_prefix "$base" "$t"
trap wine_stop EXIT

fail() {
    echo "FAIL ($scenario): $*" >&2
    import -window root "$t/failure.png" 2>/dev/null || true
    exit 1
}

# wait_until SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds.
wait_until() {
    limit=$(($1 * 10))
    shift
    i=0
    until "$@" >/dev/null 2>&1; do
        i=$((i + 1))
        [ $i -lt $limit ] || return 1
        sleep 0.1
    done
}

setting() { "$WINE" reg add 'HKCU\Software\Velto\ZARKOLT' /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1; }

window_named() { xdotool search --name "^$1\$"; }
game_window() { xdotool search --name '^ZARKOLT' | head -n 1; }

start_game() {
    (cd "$t/velto/ZARKOLT" && exec "$WINE" explorer /desktop=velto,1024x768 ZARKOLT.EXE) >"$t/wine.log" 2>&1 &
    wait_until 60 window_named ZARKOLT || fail "no window with caption ZARKOLT"
    focus_game
}

# A click into the picture activates the game window (the game ignores the mouse).
focus_game() {
    w=$(game_window)
    xdotool mousemove --window "$w" 60 80 click 1 2>/dev/null || true
}

key() { xdotool key --window "$(game_window)" "$@" 2>/dev/null; }

snap() { import -window root "$t/$1.png"; }

# The client area of the game window: sets left top width height.
find_client() {
    snap "$1"
    set -- $($shot client "$t/$1.png")
    [ "$1" != none ] || return 1
    left=$1 top=$2 width=$3 height=$4
}

client_is() { find_client client && [ "$width" = "$1" ] && [ "$height" = "$2" ]; }

# differs A B: the client area changed between two screenshots.
differs() { [ "$($shot differ "$t/$1.png" "$t/$2.png" "$left" "$top" "$width" "$height")" -gt 0 ]; }

# Waits until the picture changes from the screenshot named $1.
# picture_still: two screenshots a second apart show the same picture.
picture_still() {
    snap still1
    sleep 1
    snap still2
    ! differs still1 still2
}

picture_moves() {
    n=0
    while [ $n -lt 50 ]; do
        snap later
        if differs "$1" later; then return 0; fi
        n=$((n + 1))
        sleep 0.1
    done
    return 1
}

launcher_ran() { [ -f "$t/velto/LAUNCHER.RAN" ]; }

wine_start_display "$t"

case $scenario in
window)
    start_game
    wait_until 20 client_is 224 288 || fail "client area ${width:-?} x ${height:-?}, not 224 x 288"
    [ "$($shot colours "$t/client.png" "$left" "$top" "$width" "$height")" -gt 8 ] ||
        fail "the attract picture is missing"
    snap attract
    picture_moves attract || fail "the attract picture does not move"
    # A credit and a start.
    key F2
    sleep 0.3
    key F3
    sleep 1
    snap playing
    picture_moves playing || fail "the game does not run after F2 F3"
    xdotool keydown --window "$(game_window)" Left 2>/dev/null
    sleep 0.5
    xdotool keyup --window "$(game_window)" Left 2>/dev/null
    key F9
    # Test mode: the caption changes; F10 again takes it back.
    key F10
    wait_until 10 window_named 'ZARKOLT - ﾃｽﾄﾓｰﾄﾞ' || fail "F10 gave no test-mode caption"
    snap test
    key F10
    wait_until 10 window_named ZARKOLT || fail "the caption did not come back after F10"
    ;;
maximized)
    setting Maximize 1
    start_game
    wait_until 20 client_is 448 576 || fail "maximized client area ${width:-?} x ${height:-?}, not 448 x 576"
    ;;
fullscreen)
    start_game
    wait_until 20 client_is 224 288 || fail "no window before full screen"
    key F11
    # 640 x 480: card background (pen 1) in the corner, the black frame
    # around the picture, the card on both sides, the picture in the middle.
    screen_is_card() {
        snap full
        corner=$($shot pixel "$t/full.png" 4 4)
        [ "$corner" != "$($shot pixel "$t/full.png" 700 700)" ] &&
            [ "$($shot pixel "$t/full.png" 203 200)" = 000000 ] &&
            [ "$($shot pixel "$t/full.png" 436 300)" = 000000 ] &&
            [ "$($shot colours "$t/full.png" 16 108 168 264)" -gt 4 ] &&
            [ "$($shot colours "$t/full.png" 456 108 168 264)" -gt 4 ] &&
            [ "$($shot colours "$t/full.png" 208 96 224 288)" -gt 8 ]
    }
    wait_until 20 screen_is_card || fail "the 640 x 480 screen with the card did not show"
    left=208 top=96 width=224 height=288
    picture_moves full || fail "the full-screen picture does not move"
    key F11
    wait_until 20 client_is 224 288 || fail "the window did not come back after full screen"
    ;;
modex)
    setting ModeX 1
    start_game
    wait_until 20 client_is 224 288 || fail "no window before full screen"
    key F11
    # 320 x 240: black frame of 16 columns and 8 rows, the turned picture.
    screen_is_turned() {
        snap turned
        [ "$($shot pixel "$t/turned.png" 8 120)" = 000000 ] &&
            [ "$($shot pixel "$t/turned.png" 160 3)" = 000000 ] &&
            [ "$($shot pixel "$t/turned.png" 160 236)" = 000000 ] &&
            [ "$($shot colours "$t/turned.png" 16 8 288 224)" -gt 8 ] &&
            [ "$($shot colours "$t/turned.png" 330 10 300 200)" -le 1 ]
    }
    wait_until 20 screen_is_turned || fail "the turned 320 x 240 picture did not show"
    key F11
    wait_until 20 client_is 224 288 || fail "the window did not come back after full screen"
    ;;
pause)
    start_game
    wait_until 20 client_is 224 288 || fail "no window"
    snap running
    picture_moves running || fail "the game does not run"
    # A click on the desktop takes the activation away: no frame advances.
    xdotool mousemove 900 700 click 1
    wait_until 30 picture_still || fail "frames advance while another program is active"
    focus_game
    picture_moves still2 || fail "the game does not resume on activation"
    ;;
close)
    start_game
    wait_until 20 client_is 224 288 || fail "no window"
    key alt+F4
    wait_until 20 launcher_ran || fail "the launcher did not start after closing"
    for value in Configuration SoundMute JoystickUse JoyAxisExchange FullScreen ModeX Maximize Score; do
        "$WINE" reg query 'HKCU\Software\Velto\ZARKOLT' /v "$value" >/dev/null 2>&1 || fail "no value $value"
    done
    ;;
help)
    # Wine's help viewer asks about the missing help file and waits.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    start_game
    wait_until 20 client_is 224 288 || fail "no window"
    key F1
    wait_until 30 picture_still || fail "frames advance while the help question is up"
    focus_game
    key alt+F4
    wait_until 30 launcher_ran || fail "the program hangs after F1 without a help file"
    ;;
sound)
    # ALSA writes what Wine plays into a file (22,050 Hz, 16-bit, mono).
    printf '%s\n' 'pcm.!default { type plug; rate_converter "linear";' \
        '  slave { pcm "cap"; format S16_LE; rate 22050; channels 1 } }' \
        "pcm.cap { type file; slave.pcm \"null\"; file \"$t/out.wav\"; format \"wav\" }" >"$HOME/.asoundrc"
    start_game
    recorded() { [ "$(stat -c %s "$t/out.wav" 2>/dev/null || echo 0)" -gt 400000 ]; }
    wait_until 60 recorded || fail "no sound was played"
    focus_game
    key alt+F4
    wait_until 30 launcher_ran || fail "the launcher did not start after closing"
    # The attract mode's sound is not silence.
    rms=$(python3 -c "
import math, struct, sys
data = open(sys.argv[1], 'rb').read()[44:]
n = len(data) // 2
values = struct.unpack('<%dh' % n, data[:2 * n])
print(int(math.sqrt(sum(v * v for v in values) / n)))" "$t/out.wav")
    [ "$rms" -gt 100 ] || fail "the recorded sound is silent (RMS $rms)"
    ;;
*)
    fail "unknown scenario"
    ;;
esac
echo "ok ($scenario)"
