#!/bin/sh
# End-to-end checks of ZARKOLT.EXE under Wine that play the game: the lives
# setting, the sound test's tone, and a silent game without a sound device.
# One case per run:
#   zarkolt_play.sh CASE BASE_PREFIX WORK_DIR WINDOWS_BUILD DRIVER.EXE
# CASE: lives, tone, no-sound.
# The game runs in a Wine virtual desktop on a private X display; the driver
# posts commands and keys to it, screenshots show what it draws. Every wait is
# on a condition with a time-out; everything started here is stopped through
# this test's own prefix and display.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
case=$1 base=$2 t=$3 build=$4 driver=$5
shot="python3 $here/shot.py"

rm -rf "$t"
mkdir -p "$t/velto/ZARKOLT"
cp "$build/velto/ZARKOLT/ZARKOLT.EXE" "$t/velto/ZARKOLT/"
wine_use_prefix "$base" "$t"
trap wine_stop EXIT
export VELTO_DESKTOP=velto
key='HKCU\Software\Velto\ZARKOLT'

fail() {
    echo "FAIL ($case): $*" >&2
    wine_processes >&2
    import -window root "$t/failure.png" 2>/dev/null || true
    exit 1
}

drive() { "$WINE" "$driver" "$@" 2>>"$t/driver.log" | tr -d '\r'; }

# Virtual-key codes.
VK_F2=0x71 VK_F3=0x72 VK_F10=0x79

# A key held for a moment: long enough for the game to see it in a frame.
press() {
    drive key "$1" down
    sleep 0.1
    drive key "$1" up
}

# The data of a value as reg shows it (hex for binary values), or nothing.
value() { "$WINE" reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v n="$1" '$1 == n { print $3 }'; }
value_is() { [ "$(value "$1")" = "$2" ]; }

start_game() {
    (cd "$t/velto/ZARKOLT" && exec "$WINE" explorer /desktop=velto,1024x768 ZARKOLT.EXE) >>"$t/wine.log" 2>&1 &
    drive window || fail "no game window"
    # A click into the picture activates the game window (the game ignores the mouse).
    w=$(xdotool search --name '^ZARKOLT' | head -n 1)
    xdotool mousemove --window "$w" 60 80 click 1 2>/dev/null || true
    wait_until 20 find_client || fail "no client area"
}

stop_game() {
    drive close || fail "no game to close"
    drive closed || fail "the game did not end"
}

snap() { import -window root "$t/$1.png"; }

# The client area of the game window: sets left top.
find_client() {
    snap client
    set -- $($shot client "$t/client.png")
    [ "$1" != none ] && [ "$3" = 224 ] && [ "$4" = 288 ] || return 1
    left=$1 top=$2
}

# Pixels of a colour in a rectangle of the picture (client coordinates):
# "count mean-x mean-y".
where() {
    snap "$1"
    $shot where "$t/$1.png" $((left + $2)) $((top + $3)) "$4" "$5" "$6"
}

# The ship symbols of the lives on the bottom line (30 cyan pixels each).
ships() {
    set -- $(where lives 0 280 80 8 00ffff)
    [ $(($1 % 30)) = 0 ] && echo $(($1 / 30)) || echo "?"
}
ships_are() { [ "$(ships)" = "$1" ]; }

# A credit and a one-player start once the game shows its header (the coin
# counts from then on), repeated until COMMAND... tells that the game is on.
# (The attract's demo flight also shows a ship and ship symbols: the keys
# come first.)
header_shown() { [ "$(top_score | tr -d 0)" != "" ]; }
start_play() {
    wait_until 20 header_shown || fail "no top score shown"
    i=0
    while :; do
        press $VK_F2
        press $VK_F3
        if wait_until 3 "$@"; then return 0; fi
        i=$((i + 1))
        [ $i -le 5 ] || fail "no game: $* (ship symbols $(ships))"
    done
}

# The yellow digits of the top score on the second line.
top_score() {
    snap top
    $shot mask "$t/top.png" $((left + 72)) $((top + 8)) 80 8 ffff00
}

wine_start_display "$t"

case $case in
lives)
    # Three ships by default: two wait on the bottom line.
    start_game
    start_play ships_are 2
    # Five ships from the settings dialog: the game resets and shows four.
    setting='ZARKOLT: ｹﾞｰﾑの設定'
    drive command 148
    drive wait "$setting@1016" || fail "no settings dialog"
    drive select "$setting" 1016 3 change
    drive click "$setting@1016" 1
    drive wait "$setting@65535" || fail "no reset notice"
    drive click "$setting@65535" 1
    drive gone "$setting" || fail "the dialog stays"
    wait_until 20 value_is Configuration 03000134353637171900010203F0 || fail "lives not saved"
    start_play ships_are 4
    stop_game
    ;;
tone)
    # ALSA writes what Wine plays into a file (22,050 Hz, 16-bit, mono).
    wine_record_sound "$t/out.wav"
    start_game
    size() { stat -c %s "$t/out.wav" 2>/dev/null || echo 0; }
    wait_until 20 test "$(size)" -gt 44 || fail "no sound was played"
    drive key $VK_F10
    test_mode() { xdotool search --name '^ZARKOLT - ﾃｽﾄﾓｰﾄﾞ$'; }
    wait_until 10 test_mode || fail "no test mode"
    from=$(size)
    # The sound test: a step every 1.5 s, voices 1-3 each playing A4 (440 Hz).
    recorded() { [ "$(size)" -gt $((from + 22050 * 2 * 12)) ]; }
    wait_until 30 recorded || fail "the recording stopped"
    stop_game
    # The strongest frequency above 100 Hz of each quarter second after test
    # mode began (sox's spectrum: 4096 points, 5.4 Hz apart); the three
    # voices hold A4 for 4.5 s in a row, no tune holds a note that long.
    sox "$t/out.wav" "$t/test.wav" trim "$(echo "($from - 44) / 44100" | bc -l)" 12
    q=0 run=0 longest=0
    while [ $q -lt 48 ]; do
        f=$(sox "$t/test.wav" -n trim "$(echo "$q * 0.25" | bc -l)" 0.25 stat -freq 2>&1 |
            awk 'NF == 2 && $1 + 0 > 100 && $2 + 0 > p { p = $2 + 0; f = $1 + 0 }
                 /RMS +amplitude/ { r = $3 } END { print r < 0.01 ? 0 : int(f) }')
        echo "$q $f" >>"$t/tones.txt"
        if [ "$f" -ge 430 ] && [ "$f" -le 452 ]; then run=$((run + 1)); else run=0; fi
        [ $run -le $longest ] || longest=$run
        q=$((q + 1))
    done
    [ $longest -ge 12 ] || fail "the 440 Hz test tone lasts $longest quarter seconds (see tones.txt)"
    ;;
no-sound)
    # No audio driver: the game runs silent.
    "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d '' /f >/dev/null 2>&1
    start_game
    snap silent
    runs() {
        snap later
        [ "$($shot differ "$t/silent.png" "$t/later.png" "$left" "$top" 224 288)" -gt 0 ]
    }
    wait_until 10 runs || fail "the game does not run without sound"
    stop_game
    ;;
*)
    fail "unknown case"
    ;;
esac
echo "ok ($case)"
