#!/bin/sh
# End-to-end tests of a screen saver (ZARKOLT.SCR, SUPERZAR.SCR, KLUNO.SCR,
# RONKU.SCR or DOLLIX.SCR) under Wine, each scenario with its own prefix and
# private X display.
#   saver.sh SCENARIO BASE_PREFIX WORK_DIR WINDOWS_BUILD [PROGRAM]
# Scenarios:
#   configure   /c shows dialog 2003; Return (OK) closes it, and Esc in a second run
#   run-key     /s in the Wine virtual desktop: the mode the saver's rule picks
#               among the modes the desktop lists, the border, the black field,
#               the moving picture at its place (DOLLIX: the landscape rule,
#               the picture at (16, 8) on black); a key ends it and the
#               desktop's size returns
#   run-mouse   /s: two mouse moves in a second are let pass, a sweep (moves
#               until the saver ends) ends it
#   preview     /p HWND of a small window: a child filling its client area
#               draws the icon centred (seen in Wine's trace of DrawIcon), no
#               mode change; the preview ends with its window
#   low-screen  /s on a plain X screen 300 rows high: the saver closes at once
#   sound       /s with the sound going to a file: the attract mode is heard
# Every wait is on a condition with a time-out; saver_probe.exe (built with
# the programs) lists the modes and runs the saver, hosts the preview and
# keeps the virtual desktop open.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
scenario=$1 base=$2 t=$3 build=$4 program=${5:-ZARKOLT}
shot="python3 $here/shot.py"
case $program in
    SUPERZAR) title='SUPER ZARKOLT' ;;
    *) title=$program ;;
esac
# DOLLIX's landscape picture stands at (16, 8) on black; the others are
# portraits centred in the border.
landscape=false
[ "$program" = DOLLIX ] && landscape=true
border=0c0c14

rm -rf "$t"
mkdir -p "$t"
cp "$build/velto/SAVERS/$program.SCR" "$build/tests/wine/saver_probe.exe" "$t/"
wine_use_prefix "$base" "$t"
trap wine_stop EXIT

fail() {
    echo "FAIL ($program $scenario): $*" >&2
    wine_processes >&2
    xdotool search --name . getwindowname %@ 2>/dev/null | sed 's/^/window: /' >&2 || true
    import -window root "$t/failure.png" 2>/dev/null || true
    exit 1
}

snap() { import -window root "$t/$1.png"; }
pixel() { $shot pixel "$t/$1.png" "$2" "$3"; }
window_named() { xdotool search --name "^$1\$" | head -n 1; }
has_window() { [ -n "$(window_named "$1")" ]; }
no_window() { [ -z "$(window_named "$1")" ]; }

# In the virtual desktop, in the test's directory.
desktop() { wine_desktop "$t/wine.log" "$t" 1024x768 "$@"; }
has_line() { [ -f "$t/$1" ] && tr -d '\r' <"$t/$1" | grep -q "^$2\$"; }

# The mode the saver's rule takes among those the desktop lists (the probe
# lists them before it starts the saver), the first listed of equal sizes.
# Portrait: the least height of at least 304 rows in a landscape mode;
# landscape: at least 304 x 240, not portrait, a mode smaller both ways. Sets
# W and H, and the picture's rectangle PX PY PW PH.
choose_mode() {
    wait_until 30 has_line run.txt listed || fail "the probe listed no display modes"
    tr -d '\r' <"$t/run.txt" | sed -n 's/^mode //p' >"$t/modes.txt"
    if $landscape; then
        rule='$2 <= $1 && $2 >= 240 && $1 >= 304 && (h == "" || ($2 < h && $1 < w))'
    else
        rule='$2 < $1 && $2 >= 304 && (h == "" || $2 < h)'
    fi
    set -- $(awk "$rule"' { w = $1; h = $2 } END { print w, h }' "$t/modes.txt")
    [ $# = 2 ] || fail "no listed mode suits the saver: $(tr '\n' ' ' <"$t/modes.txt")"
    W=$1 H=$2
    if $landscape; then
        PX=16 PY=8 PW=288 PH=224
    else
        PX=$((W / 2 - 112)) PY=$((H / 2 - 144)) PW=224 PH=288
    fi
}

# The saver full screen in the chosen mode. Portrait: the border to the
# mode's edges, the black field around the picture. Landscape: black around
# the picture at (16, 8). Either: a picture of many colours. (One reading of
# the screenshot for all its points.)
shows_saver() {
    snap full
    if $landscape; then
        set -- $($shot each "$t/full.png" "where 0 0 $W 8 000000" "where 0 0 16 $H 000000" \
            "where $((PX + PW)) 0 $((W - PX - PW)) $H 000000" "where 0 $((PY + PH)) $W $((H - PY - PH)) 000000" \
            "colours $PX $PY $PW $PH")
        [ $# = 13 ] && [ "$1" = $((W * 8)) ] && [ "$4" = $((16 * H)) ] && [ "$7" = $(((W - PX - PW) * H)) ] &&
            [ "${10}" = $((W * (H - PY - PH))) ] && [ "${13}" -gt 4 ]
        return
    fi
    fx=$((W / 2 - 120)) fy=$((H / 2 - 152))
    # Right of the mode, the desktop (where the mode is narrower than it).
    beyond="pixel 1 1"
    [ "$W" -ge 1024 ] || beyond="pixel $W 1"
    set -- $($shot each "$t/full.png" "pixel 1 1" "pixel $((W - 2)) $((H - 2))" "pixel $((fx - 1)) $((fy - 1))" \
        "pixel $((fx + 2)) $((fy + 2))" "pixel $((fx + 237)) $((fy + 301))" "pixel $((fx + 240)) $((fy + 304))" \
        "$beyond" "colours $((fx + 8)) $((fy + 8)) 224 288")
    [ $# = 8 ] && [ "$1" = $border ] && [ "$2" = $border ] && [ "$3" = $border ] && [ "$4" = 000000 ] &&
        [ "$5" = 000000 ] && [ "$6" = $border ] && { [ "$W" -ge 1024 ] || [ "$7" != $border ]; } && [ "$8" -gt 8 ]
}

moved() { snap later && [ "$($shot differ "$t/full.png" "$t/later.png" $PX $PY $PW $PH)" -gt 0 ]; }
picture_moves() { wait_until 10 moved; }

# Keys go to the window under the pointer: it stands inside the smallest mode
# before the saver starts.
start_saver() {
    xdotool mousemove 100 100
    listed() { has_line run.txt listed; }
    desktop listed saver_probe.exe run.txt run "$program.SCR" /s || fail "the probe listed no display modes"
    choose_mode
    wait_until 30 shows_saver || fail "no full-screen saver in $W x $H"
    picture_moves || fail "the saver's picture does not move"
}

# The saver has ended, and the desktop is 1024 x 768 again.
ended() { has_line run.txt ended; }
desktop_back() { has_line run.txt "1024 768"; }

case $scenario in
configure)
    wine_start_display "$t"
    caption="${title}ｽｸﾘｰﾝｾｰﾊﾞｰのﾊﾞｰｼﾞｮﾝ情報"
    for key in Return Escape; do
        box_shown() { has_window "$caption"; }
        desktop box_shown "$program.SCR" /c || fail "no configure box titled $caption"
        box=$WINE_DESKTOP_PID
        snap "configure-$key"
        # A click on the caption makes the box active; the key goes to it
        # (again, should it come before the box takes keys).
        answer() {
            xdotool mousemove --window "$(window_named "$caption")" 100 8 click 1 2>/dev/null || true
            xdotool key "$key" 2>/dev/null || fail "xdotool could not send $key"
        }
        retry_until 20 5 answer no_window "$caption" || fail "$key did not close the configure box"
        wait $box
    done
    ;;
run-key)
    wine_start_display "$t"
    start_saver
    has_window "$title \\(DirectDraw\\)" || fail "no saver window titled \"$title (DirectDraw)\""
    # Again, should the key come before the saver takes keys.
    retry_until 30 5 "xdotool key space" ended || fail "a key did not end the saver"
    wait_until 10 desktop_back || fail "the desktop's size did not return: $(tr '\n' ' ' <"$t/run.txt")"
    ;;
run-mouse)
    wine_start_display "$t"
    start_saver
    # Moves count from the saver's start on (the window and the mode change
    # under the pointer make some) until its once-a-second tick after the
    # first: two moves are tried only after that tick has surely come.
    sleep 4
    xdotool mousemove 110 100
    xdotool mousemove 120 100
    sleep 2
    ended && fail "two mouse moves ended the saver"
    # A sweep: more than four moves within a second, kept up until the saver
    # ends (quick moves reach a slow saver merged).
    sweep_until 30 "$W" "$H" ended || fail "a sweep of the mouse did not end the saver"
    wait_until 10 desktop_back || fail "the desktop's size did not return: $(tr '\n' ' ' <"$t/run.txt")"
    ;;
preview)
    # A child window of another process paints into nothing Wine shows here,
    # so the icon is seen through the calls the preview makes: Wine's relay
    # trace of DrawIcon alone.
    "$WINE" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ /d user32.DrawIcon /f >/dev/null 2>&1
    wine_start_display "$t"
    host_shown() { has_window "saver preview host"; }
    WINEDEBUG=+relay desktop host_shown saver_probe.exe host.txt host "$program.SCR" || fail "no preview host window"
    wait_until 30 has_line host.txt "child 152 112" || fail "no preview window filling the host's client area"
    # The icon drawn centred: (152 / 2 - 16, 112 / 2 - 16). The 64-bit Wine
    # shows whole registers: only their low 32 bits are the arguments.
    icon_drawn() { grep -a "DrawIcon(" "$t/wine.log" | grep -Eq ",[0-9a-f]*0000003c,[0-9a-f]*00000028,"; }
    wait_until 30 icon_drawn || fail "the preview did not draw the icon at (60, 40)"
    snap preview
    [ "$($shot where "$t/preview.png" 0 0 1024 768 $border)" = "0 0 0" ] || fail "the preview took the screen"
    # The desktop keeps its 1024 x 768: its colour reaches the far corner.
    [ "$(pixel preview 1020 764)" = "$(pixel preview 600 400)" ] && [ "$(pixel preview 1020 764)" != 000000 ] ||
        fail "the display mode changed under the preview"
    # The host closes its window 3 s after the preview came.
    wait_until 30 has_line host.txt "preview ended" || fail "the preview outlived its window: $(cat "$t/host.txt" 2>/dev/null)"
    ;;
low-screen)
    wine_start_display "$t" 640x300x24
    (cd "$t" && exec "$WINE" saver_probe.exe run.txt run "$program.SCR" /s) >>"$t/wine.log" 2>&1 &
    wait_until 30 ended || fail "the saver did not close on a screen of 300 rows"
    ;;
sound)
    wine_record_sound "$t/out.wav"
    wine_start_display "$t"
    start_saver
    recorded() { [ "$(stat -c %s "$t/out.wav" 2>/dev/null || echo 0)" -gt 400000 ]; }
    wait_until 20 recorded || fail "no sound was played"
    retry_until 30 5 "xdotool key space" ended || fail "a key did not end the saver"
    rms=$(wav_rms "$t/out.wav")
    [ "$rms" -gt 100 ] || fail "the recorded sound is silent (RMS $rms)"
    ;;
*)
    fail "unknown scenario"
    ;;
esac
echo "ok ($program $scenario)"
