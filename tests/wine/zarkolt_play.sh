#!/bin/sh
# End-to-end checks of ZARKOLT.EXE (or KLUNO.EXE, RONKU.EXE, DOLLIX.EXE) under Wine that play the
# game: the lives setting, the test mode's tone, and a silent game without a
# sound device. One case per run:
#   zarkolt_play.sh CASE BASE_PREFIX WORK_DIR WINDOWS_BUILD DRIVER.EXE [PROGRAM]
# PROGRAM: ZARKOLT (the default), KLUNO, RONKU or DOLLIX.
# CASE: lives (ZARKOLT, DOLLIX), tone (not RONKU), no-sound.
# The game runs in a Wine virtual desktop on a private X display; the driver
# posts commands and keys to it, screenshots show what it draws. Every wait is
# on a condition with a time-out; everything started here is stopped through
# this test's own prefix and display.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
case=$1 base=$2 t=$3 build=$4 driver=$5 program=${6:-ZARKOLT}
shot="python3 $here/shot.py"

# The client area; the sound menu item; the test tone: how long to record
# after test mode began, the band of its frequency and the quarter seconds it
# must last.
cw=224 ch=288
case $program in
    KLUNO) sound_command=152 tone_seconds=12 tone_band="430 452" tone_quarters=24 ;;
    RONKU) sound_command=151 ;;
    DOLLIX) cw=288 ch=224 sound_command=146 tone_seconds=12 tone_band="427 453" tone_quarters=24 ;;
    *) sound_command=146 tone_seconds=12 tone_band="430 452" tone_quarters=12 ;;
esac

rm -rf "$t"
mkdir -p "$t/velto/$program"
cp "$build/velto/$program/$program.EXE" "$t/velto/$program/"
wine_use_prefix "$base" "$t"
trap wine_stop EXIT
export VELTO_DESKTOP=velto VELTO_GAME_CLASS=$program
key="HKCU\\Software\\Velto\\$program"

fail() {
    echo "FAIL ($case): $*" >&2
    wine_processes >&2
    import -window root "$t/failure.png" 2>/dev/null || true
    exit 1
}

# Virtual-key codes.
VK_F2=0x71 VK_F3=0x72 VK_F10=0x79

# A key held for a moment: long enough for the game to see it in a frame.
press() {
    drive key "$1" down
    sleep 0.1
    drive key "$1" up
}

# The data of a value as reg shows it (hex for binary values), or nothing.
value() { drive value "${key#HKCU\\}" "$1" 2>/dev/null; }
value_is() { [ "$(value "$1")" = "$2" ]; }

start_game() {
    game_shown() { xdotool search --name "^$program"; }
    wine_desktop "$t/wine.log" "$t/velto/$program" 1024x768 game_shown "$program.EXE" || fail "no game window"
    drive window || fail "no game window"
    # A click into the picture activates the game window (the game ignores the mouse).
    w=$(xdotool search --name "^$program" | head -n 1)
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
    [ "$1" != none ] && [ "$3" = $cw ] && [ "$4" = $ch ] || return 1
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

# DOLLIX's dolls in reserve on the left edge, column 1 from row 4 (16 red
# pixels each), in a game for one: the demo plays for two and names player
# 2 in blue on the right edge.
dolls() {
    set -- $(where lives 8 32 8 72 e82828)
    [ $(($1 % 16)) = 0 ] && echo $(($1 / 16)) || echo "?"
}
dolls_are() {
    [ "$(dolls)" = "$1" ] && [ "$($shot where "$t/lives.png" $((left + 280)) $((top + 16)) 8 16 2848e0)" = "0 0 0" ]
}

# A credit and a one-player start once the game shows its header (the coin
# counts from then on), repeated until COMMAND... tells that the game is on.
# (The attract's demo flight also shows a ship and ship symbols: the keys
# come first.)
header_shown() { [ "$(top_score | tr -d 0)" != "" ]; }
start_play() {
    wait_until 20 header_shown || fail "no top score shown"
    retry_until 20 3 "press $VK_F2; press $VK_F3" "$@" || fail "no game: $*"
}

# The yellow digits of the top score on the second line.
top_score() {
    snap top
    $shot mask "$t/top.png" $((left + 72)) $((top + 8)) 80 8 ffff00
}

wine_start_display "$t"
drive_start "$driver" "$t"

case $case in
lives)
    # Three ships (dolls) by default: two wait on the bottom line (on
    # DOLLIX's left edge). Five from the settings dialog: the game resets and
    # shows four.
    if [ "$program" = DOLLIX ]; then
        waiting=dolls_are five=03000100343536372E16170003310002030002038D
        header_shown() { true; } # DOLLIX counts coins from its title on
    else
        waiting=ships_are five=03000134353637171900010203F0
    fi
    start_game
    start_play $waiting 2
    setting="$program: ｹﾞｰﾑの設定"
    drive command 148
    drive wait "$setting@1016" || fail "no settings dialog"
    drive select "$setting" 1016 3 change
    drive click "$setting@1016" 1
    drive wait "$setting@65535" || fail "no reset notice"
    drive click "$setting@65535" 1
    drive gone "$setting" || fail "the dialog stays"
    wait_until 20 value_is Configuration $five || fail "lives not saved"
    start_play $waiting 4
    stop_game
    ;;
tone)
    # ALSA writes what Wine plays into a file (22,050 Hz, 16-bit, mono).
    wine_record_sound "$t/out.wav"
    start_game
    size() { stat -c %s "$t/out.wav" 2>/dev/null || echo 0; }
    wait_until 20 test "$(size)" -gt 44 || fail "no sound was played"
    [ "$(drive menu $sound_command)" = 1 ] || fail "the sound item $sound_command is greyed"
    # The recording from just before F10 on (however late the caption is
    # seen), 4 s more than the test tone needs.
    from=$(size)
    tone_seconds=$((tone_seconds + 4))
    drive key $VK_F10
    test_mode() { xdotool search --name "^$program - ﾃｽﾄﾓｰﾄﾞ\$"; }
    wait_until 10 test_mode || fail "no test mode"
    recorded() { [ "$(size)" -gt $((from + 22050 * 2 * tone_seconds)) ]; }
    wait_until 30 recorded || fail "the recording stopped"
    stop_game
    # ZARKOLT's sound test steps every 1.5 s, voices 1-3 each playing A4
    # (440 Hz) for 4.5 s in a row, no tune holds a note that long; KLUNO's
    # test screen holds a 440 Hz sine; DOLLIX's sound test begins with a
    # steady 440 Hz tone.
    longest=$(tone_run "$t/out.wav" "$from" $tone_seconds $tone_band)
    [ "$longest" -ge $tone_quarters ] ||
        fail "the 440 Hz test tone lasts $longest quarter seconds (see out.wav.tones)"
    ;;
no-sound)
    # No audio driver: the game runs silent.
    "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d '' /f >/dev/null 2>&1
    start_game
    snap silent
    # (Not named "runs": that one, of the shared helpers, tells whether the
    # test driver still runs.)
    picture_moves() {
        snap later
        [ "$($shot differ "$t/silent.png" "$t/later.png" "$left" "$top" $cw $ch)" -gt 0 ]
    }
    wait_until 10 picture_moves || fail "the game does not run without sound"
    [ "$(drive menu $sound_command)" = 0 ] || fail "the sound item $sound_command is not greyed"
    stop_game
    ;;
*)
    fail "unknown case"
    ;;
esac
echo "ok ($case)"
