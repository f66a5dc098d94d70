#!/bin/sh
# End-to-end checks of the settings, the high-score record and the settings
# dialogs of ZARKOLT.EXE (or KLUNO.EXE, DOLLIX.EXE) under Wine, one case per
# run:
#   settings.sh BASE_PREFIX WORK_DIR PROGRAM.EXE DRIVER.EXE CASE [PROGRAM]
# PROGRAM: ZARKOLT (the default), KLUNO or DOLLIX.
# CASE: first-start, maximize-text, score-check, long-configuration,
#       game-setting, controls, full-screen, texts-fit; kluno-ships and
#       kluno-controls for KLUNO; dollix-controls for DOLLIX.
set -eu
. "$(dirname "$0")/wine-env.sh"
base=$1 t=$2 exe=$3 driver=$4 case=$5 program=${6:-ZARKOLT}
export VELTO_GAME_CLASS=$program
rm -rf "$t"
mkdir -p "$t/velto/$program"
cp "$exe" "$t/velto/$program/$program.EXE"
wine_use_prefix "$base" "$t"
wine_start_display "$t"
trap wine_stop EXIT
drive_start "$driver" "$t"

key="HKCU\\Software\\Velto\\$program"
game_pid=""

fail() {
    echo "settings $case: $*" >&2
    wine_processes >&2
    echo "full-screen item enabled: $(drive menu "${full_screen_command:-0}" 2>&1)" >&2
    "$WINE" reg query "$key" >&2 2>/dev/null || true
    import -window root "$t/failure.png" 2>/dev/null || true
    exit 1
}

# Starts the game in the window, or in a virtual desktop that offers the
# full-screen display modes.
start_game() {
    if [ "${1:-}" = desktop ]; then
        game_shown() { xdotool search --name "^$program"; }
        wine_desktop "$t/game.log" "$t/velto/$program" 1024x768 game_shown "$program.EXE" || fail "no game window"
        game_pid=$WINE_DESKTOP_PID
    else
        "$WINE" "$t/velto/$program/$program.EXE" >>"$t/game.log" 2>&1 &
        game_pid=$!
    fi
    drive window || fail "no game window"
}

# Closes the game (WM_CLOSE) and waits until its process is gone (in a
# virtual desktop, whose process stays, until its window is gone).
stop_game() {
    drive close || fail "no game to close"
    if [ -n "${VELTO_DESKTOP:-}" ]; then
        drive closed || fail "the game did not end"
        return
    fi
    game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }
    wait_until 20 game_ended || fail "the game did not end"
}

# The data of a value as reg shows it (hex for binary values), or nothing.
value() { drive value "${key#HKCU\\}" "$1" 2>/dev/null; }

# Waits until a value reads as given.
value_is() { [ "$(value "$1")" = "$2" ]; }
wait_value() { wait_until 20 value_is "$1" "$2" || fail "$1 is '$(value "$1")', expected '$2'"; }

# Waits until a driver query prints the expected text.
drive_gives() {
    expected=$1
    shift
    [ "$(drive "$@")" = "$expected" ]
}
wait_drive() {
    wanted=$1
    shift
    wait_until 10 drive_gives "$wanted" "$@" || fail "$* gives '$(drive "$@")', expected '$wanted'"
}

value_present() { [ -n "$(value "$1")" ]; }
wait_present() { wait_until 20 value_present "$1" || fail "$1 was not written"; }

# The 8-bit sum of a hex string's bytes.
hex_sum() { echo "$1" | fold -w2 | awk '{ s = (s + ("0x" $1) + 0) % 256 } END { print s }'; }

expect() { [ "$1" = "$2" ] || fail "${3:-}: got '$1', expected '$2'"; }

# refused PAGE MESSAGE: OK on the control sheet's page (a control id of it)
# shows MESSAGE; the message goes with its OK and the sheet stays open.
key_message="同じｷｰに複数の機能が割り当てられています。
ｷｰの設定を変更してください。"
refused() {
    drive click "$sheet@$1" 1
    expect "$(drive text "$sheet@65535")" "$2" "message"
    drive click "$sheet@65535" 1
    drive gone "$sheet@65535" || fail "the message stays"
    drive wait "$sheet@$1" || fail "the sheet closed"
}

# The default "Configuration", the size of "Score" in hex digits, the
# flags, the default lives (or ships) choice and the command ids.
flags="SoundMute JoystickUse JoyAxisExchange FullScreen ModeX Maximize"
case $program in
    KLUNO)
        defaults=000000FF343536372E00FD score_digits=330 lives=0
        full_screen_command=150 settings_command=154 controls_command=155
        ;;
    DOLLIX)
        defaults=02000100343536372E16170003310002030002038E score_digits=174 lives=2
        flags="SoundMute JoystickUse FullScreen ModeX Maximize"
        full_screen_command=149 settings_command=148 controls_command=151
        ;;
    *)
        defaults=02000134353637171900010203F1 score_digits=168 lives=2
        full_screen_command=149 settings_command=148 controls_command=151
        ;;
esac
setting="$program: ｹﾞｰﾑの設定"
sheet="$program: 操作の設定"
scores="$program: ﾊｲｽｺｱのﾘｾｯﾄ"

case $case in
first-start)
    start_game
    wait_present Score
    expect "$(value Configuration)" $defaults Configuration
    for flag in $flags; do
        expect "$(value $flag)" 0 $flag
    done
    score=$(value Score)
    expect "${#score}" $score_digits "Score length"
    expect "$(hex_sum "$score")" 0 "Score sum"
    count=$("$WINE" reg query "$key" | tr -d '\r' | grep -c 'REG_')
    expect "$count" $(($(echo $flags | wc -w) + 2)) "values"
    stop_game
    ;;
maximize-text)
    "$WINE" reg add "$key" /v Maximize /t REG_SZ /d "a long text" /f >/dev/null 2>&1
    start_game
    wait_value Maximize 0
    wait_drive "224 288" client
    stop_game
    ;;
score-check)
    start_game
    wait_present Score
    good=$(value Score)
    bad=$(echo "$good" | awk -v n=$score_digits '{ last = substr($0, n - 1, 2); printf "%s%02X", substr($0, 1, n - 2), (("0x" last) + 1) % 256 }')
    "$WINE" reg add "$key" /v Score /t REG_BINARY /d "$bad" /f >/dev/null 2>&1
    expect "$(value Score)" "$bad" "edited Score"
    drive key 0x78 # F9
    wait_value Score "$good"
    # One byte short, with a good sum: the defaults again.
    short=$(echo "$good" | cut -c1-$((score_digits - 4)))
    short=$short$(printf '%02X' $(((256 - $(hex_sum "$short")) % 256)))
    "$WINE" reg add "$key" /v Score /t REG_BINARY /d "$short" /f >/dev/null 2>&1
    expect "$(value Score)" "$short" "shortened Score"
    drive key 0x78 # F9
    wait_value Score "$good"
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended"
    stop_game
    ;;
long-configuration)
    # A record one byte too long (another lives choice, a good sum): the
    # defaults stay, the dialog shows them, and the start-up's reset saves
    # them.
    long=01$(echo "$defaults" | cut -c3-$((${#defaults} - 2)))
    long=$long$(printf '%02X' $(((256 - $(hex_sum "$long")) % 256)))00
    expect "$(hex_sum "$long")" 0 "the long record's sum"
    "$WINE" reg add "$key" /v Configuration /t REG_BINARY /d "$long" /f >/dev/null 2>&1
    start_game
    drive command $settings_command
    drive wait "$setting@1016" || fail "no settings dialog"
    expect "$(drive selected "$setting" 1016)" $lives "lives"
    drive click "$setting@1016" 2 # Cancel
    drive gone "$setting" || fail "the dialog stays"
    wait_value Configuration $defaults
    stop_game
    ;;
game-setting)
    start_game
    wait_present Score
    drive command 148
    drive wait "$setting@1016" || fail "no settings dialog"
    expect "$(drive selected "$setting" 1016)" 2 "ships"
    expect "$(drive item "$setting" 1032 0)" "1st 20,000 & Every 60,000" "bonus list"
    drive select "$setting" 1032 5 endok
    drive select "$setting" 1016 3 change
    expect "$(drive item "$setting" 1032 0)" "1st 20,000 & every 70,000" "bonus list for 5 ships"
    expect "$(drive selected "$setting" 1032)" 5 "bonus kept"
    drive select "$setting" 1016 0 change
    expect "$(drive item "$setting" 1032 5)" "1st 20,000 & Every 80,000" "bonus list for 1 ship"
    drive select "$setting" 1016 3 change
    drive click "$setting@1016" 1
    expect "$(drive text "$setting@65535")" "ｹﾞｰﾑの設定の変更を有効にするためにｹﾞｰﾑをﾘｾｯﾄします。" "notice"
    drive click "$setting@65535" 1
    drive gone "$setting" || fail "the dialog stays"
    wait_value Configuration 03050134353637171900010203EB
    # The high-score reset: the defaults go back into "Score" at once.
    good=$(value Score)
    "$WINE" reg add "$key" /v Score /t REG_BINARY /d "00$(echo "$good" | cut -c3-)" /f >/dev/null 2>&1
    drive command 148
    drive click "$setting@1060" 1060
    expect "$(drive text "$scores@65535")" "ｹﾞｰﾑのﾊｲｽｺｱをﾘｾｯﾄします。よろしいですか?" "question"
    drive click "$scores@65535" 6 # Yes
    wait_value Score "$good"
    drive click "$setting@1016" 2 # Cancel: the scores stay reset
    drive gone "$setting" || fail "the dialog stays"
    stop_game
    ;;
kluno-ships)
    # Five ships chosen: the reset notice, the new record.
    start_game
    wait_present Score
    drive command 154
    drive wait "$setting@1016" || fail "no settings dialog"
    expect "$(drive selected "$setting" 1016)" 0 "ships"
    expect "$(drive item "$setting" 1032 0)" "1st 10,000 2nd 30,000 & Every 50,000" "bonus list"
    expect "$(drive item "$setting" 1021 1)" "HARD" "difficulty list"
    drive select "$setting" 1016 1 change
    drive click "$setting@1016" 1
    expect "$(drive text "$setting@65535")" "ｹﾞｰﾑの設定の変更を有効にするためにｹﾞｰﾑをﾘｾｯﾄします。" "notice"
    drive click "$setting@65535" 1
    drive gone "$setting" || fail "the dialog stays"
    wait_value Configuration 010000FF343536372E00FC
    stop_game
    ;;
controls)
    start_game
    wait_present Score
    drive command 151
    drive wait "$sheet@1051" || fail "no control sheet"
    expect "$(drive item "$sheet" 1051 52)" "↑" "key names"
    expect "$(drive selected "$sheet" 1055)" 23 "button 1 key"
    drive select "$sheet" 1051 22 endok # "W" for up
    drive click "$sheet@1051" 1
    drive gone "$sheet" || fail "the sheet stays"
    wait_value Configuration 020001163536371719000102030F
    # One key for two functions is refused and the sheet stays open.
    drive command 151
    drive select "$sheet@1051" 1051 23 endok # "X", also button 1
    refused 1051 "$key_message"
    # The joystick page: no joystick here, so no calibration.
    drive page "$sheet" 1
    drive wait "$sheet@1039" || fail "no joystick page"
    expect "$(drive enabled "$sheet" 1040)" 0 "calibration button"
    expect "$(drive item "$sheet@1057" 1057 15)" "ﾎﾞﾀﾝ 16" "button names"
    drive click "$sheet@1039" 2 # Cancel
    drive gone "$sheet" || fail "the sheet stays"
    expect "$(value Configuration)" 020001163536371719000102030F "after Cancel"
    stop_game
    ;;
kluno-controls)
    # "Space" for up as well as for the shot is refused; "W" is taken.
    start_game
    wait_present Score
    drive command 155
    drive wait "$sheet@1051" || fail "no control sheet"
    expect "$(drive selected "$sheet" 1055)" 46 "shot key"
    drive select "$sheet" 1051 46 endok
    refused 1051 "$key_message"
    drive select "$sheet" 1051 22 endok
    drive click "$sheet@1051" 1
    drive gone "$sheet" || fail "the sheet stays"
    wait_value Configuration 000000FF163536372E001B
    stop_game
    ;;
dollix-controls)
    start_game
    wait_present Score
    # Player 2's up on "Space", player 1's button: refused.
    drive command 151
    drive wait "$sheet@1051" || fail "no control sheet"
    expect "$(drive selected "$sheet" 1066)" 22 "player 2's up"
    drive select "$sheet" 1066 46 endok
    refused 1051 "$key_message"
    drive click "$sheet@1051" 2 # Cancel
    drive gone "$sheet" || fail "the sheet stays"
    expect "$(value Configuration)" $defaults "after the refused key"
    # Joystick 1's coin on its own button 1: refused with the button message.
    drive command 151
    drive wait "$sheet@1051" || fail "no control sheet"
    drive page "$sheet" 1
    drive wait "$sheet@1039" || fail "no joystick page"
    drive select "$sheet" 1061 0 endok
    refused 1039 "同じﾎﾞﾀﾝに複数の機能が割り当てられています。
ﾎﾞﾀﾝの設定を変更してください。"
    # Both players' coin on button 6 (they are different joysticks): taken.
    drive select "$sheet" 1061 5 endok
    drive select "$sheet" 1063 5 endok
    drive click "$sheet@1039" 1
    drive gone "$sheet" || fail "the sheet stays"
    wait_value Configuration 02000100343536372E161700033100050300050388
    stop_game
    ;;
full-screen)
    export VELTO_DESKTOP=velto
    start_game desktop
    wait_present Score
    drive command $full_screen_command
    wait_drive 1 fullscreen
    stop_game
    expect "$(value FullScreen)" 1 FullScreen
    start_game desktop
    wait_drive 1 fullscreen
    stop_game
    ;;
texts-fit)
    # Every label, button and box text of the game-settings dialog and of
    # both control pages fits its control in the dialog's own font.
    start_game
    wait_present Score
    fits() {
        clipped=$(drive fits "$1" "$2") || fail "could not measure the texts of $2"
        import -window root "$t/$2.png"
        [ -z "$clipped" ] || fail "clipped in $2: $clipped"
    }
    drive command $settings_command
    drive wait "$setting@1016" || fail "no settings dialog"
    fits "$setting@1016" GAME_SETTING
    drive click "$setting@1016" 2 # Cancel
    drive gone "$setting" || fail "the dialog stays"
    drive command $controls_command
    drive wait "$sheet@1051" || fail "no control sheet"
    fits "$sheet@1051" KEYBOARD
    drive page "$sheet" 1
    drive wait "$sheet@1039" || fail "no joystick page"
    fits "$sheet@1039" JOYSTICK
    drive click "$sheet@1039" 2 # Cancel
    drive gone "$sheet" || fail "the sheet stays"
    stop_game
    ;;
*)
    fail "unknown case"
    ;;
esac
echo "settings $case: ok"
