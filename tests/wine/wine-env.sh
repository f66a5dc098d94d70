# Shared set-up of the Wine tests; source it, then call the functions.
#
#   wine_base_prefix DIR      create (once) a clean 32-bit prefix in DIR
#   wine_use_prefix BASE T    copy BASE into the test's own dir T and point
#                             WINEPREFIX, HOME and the locale at it; the
#                             tests run without Wine's help viewer
#   wine_start_display T [WxHxD]  start a private Xvfb (1024x768x24), export DISPLAY
#   wine_record_sound FILE    send the test's sound to a WAV file
#   tone_run WAV FROM SECONDS LOW HIGH  longest run of quarter seconds of a
#                             recorded tone between LOW and HIGH Hz
#   wav_rms WAV [FROM]        the recording's RMS amplitude (16-bit samples)
#                             from byte FROM (the end of the header by default)
#   wait_until SECONDS COMMAND...  retry COMMAND until it succeeds (SECONDS
#                             as on a quick machine; see WINE_PATIENCE)
#   retry_until SECONDS EVERY ACTION COMMAND...  do ACTION (a shell text) and
#                             wait EVERY seconds for COMMAND, again and again:
#                             an input given until it is taken
#   sweep_until SECONDS WIDTH HEIGHT COMMAND...  move the pointer to and fro
#                             inside WIDTH x HEIGHT until COMMAND succeeds
#   drive_start DRIVER.EXE T  start the test driver (settings_driver.exe) once
#                             for the test, after the display
#   drive COMMAND...          run a command of the driver, print what it prints
#   drive_renew               end the driver and start a new one (for a new
#                             virtual desktop)
#   runs PID                  the process runs (and is not a zombie)
#   wine_desktop LOG DIR SCREEN SHOWN PROGRAM...  run a program in a virtual
#                             desktop until SHOWN, once the one before has
#                             ended; started again where Wine ended before
#                             its desktop showed
#   wine_processes            list the processes of this test's prefix and
#                             the state of its X server (for failure reports)
#   wine_stop                 stop this test's wineserver and Xvfb, remove
#                             the test's prefix copy
#
# Each test runs with its own prefix and X display; everything started here is
# stopped by pid or by its own prefix.
#
# The 32-bit Wine runs the 32-bit programs, natively or through QEMU where the
# kernel cannot run 32-bit programs (see tools/setup.sh). VELTO_WINE_BITS=64
# runs the 64-bit Wine instead, for the 64-bit build of the same programs,
# where the 32-bit Wine cannot run at all. Wine's own messages are off;
# VELTO_WINEDEBUG, where set, is Wine's WINEDEBUG (e.g. err+all,+ddraw), for a
# look into a test that fails.

if [ "${VELTO_WINE_BITS:-32}" = 64 ]; then
    export WINEARCH=win64
    export WINELOADER=/usr/lib/wine/wine64
    export WINESERVER=/usr/lib/wine/wineserver64
    WINE=/usr/lib/wine/wine64
    WINESERVER_CMD=/usr/lib/wine/wineserver64
else
    export WINEARCH=win32
    WINE=wine
    WINESERVER_CMD=wineserver
fi
export WINEDEBUG=${VELTO_WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Bumped whenever wine_base_prefix sets up prefixes differently: older cached
# prefixes are made again.
WINE_PREFIX_VERSION=3

WINE_XVFB_PID=""
WINE_TEST_PREFIX=""

# The prefix's settings as a registry file (UTF-16 with a byte-order mark):
# unmanaged windows (with no window manager, a managed window's end costs
# seconds); the GDI renderer (no GL needed); the Japanese UI faces the dialogs ask for,
# in their Japanese and English names, drawn with the IPA fonts; Marlett for
# the caption buttons' symbols.
wine_prefix_settings() {
    printf '\377\376'
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\Direct3D]' '"renderer"="gdi"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
        '"MS UI Gothic"="IPAPGothic"' '"ＭＳ Ｐゴシック"="IPAPGothic"' '"MS PGothic"="IPAPGothic"' \
        '"ＭＳ ゴシック"="IPAGothic"' '"MS Gothic"="IPAGothic"' '' \
        '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts]' \
        '"Marlett (TrueType)"="marlett.ttf"' '' | iconv -f UTF-8 -t UTF-16LE
}

wine_base_prefix() {
    base=$1
    if [ "$(cat "$base/ready" 2>/dev/null)" = "$WINE_PREFIX_VERSION" ]; then return 0; fi
    rm -rf "$base"
    mkdir -p "$base/home"
    (
        export WINEPREFIX="$base/pfx" HOME="$base/home"
        unset DISPLAY
        "$WINE" wineboot -i >/dev/null 2>&1
        # Wine ships Marlett but does not install it into a prefix.
        for fonts in /usr/share/wine/fonts /usr/lib/wine/fonts; do
            if [ -f "$fonts/marlett.ttf" ]; then
                cp "$fonts/marlett.ttf" "$base/pfx/drive_c/windows/Fonts/"
                break
            fi
        done
        wine_prefix_settings >"$base/settings.reg"
        "$WINE" regedit /S "$base/settings.reg" >/dev/null 2>&1
        "$WINESERVER_CMD" -w
    )
    if [ ! -f "$base/pfx/system.reg" ]; then
        echo "wine: could not create a prefix in $base" >&2
        return 1
    fi
    # A private Japanese locale for the code page 932 texts.
    if [ ! -d "$base/locale/ja_JP.UTF-8" ]; then
        mkdir -p "$base/locale"
        localedef -i ja_JP -f UTF-8 "$base/locale/ja_JP.UTF-8" >/dev/null 2>&1 || true
    fi
    echo "$WINE_PREFIX_VERSION" >"$base/ready"
}

wine_use_prefix() {
    base=$1
    t=$2
    rm -rf "$t/pfx"
    mkdir -p "$t/home"
    cp -a "$base/pfx" "$t/pfx"
    export WINEPREFIX="$t/pfx" HOME="$t/home"
    WINE_TEST_PREFIX="$t/pfx"
    export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winhlp32.exe=d"
    if [ -d "$base/locale/ja_JP.UTF-8" ]; then
        export LOCPATH="$(cd "$base/locale" && pwd)" LANG=ja_JP.UTF-8
    fi
    # One wineserver for the whole test (it ends a minute after its last
    # program): the many short wine calls of a test neither pay for a new
    # server each nor meet one that is just ending.
    "$WINESERVER_CMD" -p60
}

# Starts a private Xvfb and exports DISPLAY. Display numbers go round from 100
# to 599, the last one given kept in the lock file below, so that a number is
# used again only long after (a server that is just ending may still remove
# the socket file of a new one on its number, and programs run through QEMU
# reach an X server by that file only). Where another server has the number,
# ours ends at once and the next is tried; so is the next where ours runs but
# cannot listen (two servers that start on a machine without the sockets'
# directory may both fail to make it).
wine_start_display() {
    t=$1
    if [ ! -d /tmp/.X11-unix ]; then
        mkdir -p /tmp/.X11-unix 2>/dev/null && chmod 1777 /tmp/.X11-unix 2>/dev/null || true
    fi
    xs_deadline=$(($(date +%s) + 180))
    # One test at a time chooses a number and starts its server: two servers
    # on one number, the loser may remove the winner's socket file as it ends.
    xs_lock=/tmp/.velto-display-lock
    exec 9>>$xs_lock
    flock -w 600 9 || true
    n=$(head -c 8 $xs_lock 2>/dev/null | tr -cd 0-9)
    n=${n:-99}
    while :; do
        n=$(((n - 99) % 500 + 100))
        while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$(((n - 99) % 500 + 100)); done
        Xvfb ":$n" -screen 0 "${2:-1024x768x24}" -nolisten tcp >"$t/xvfb.log" 2>&1 9>&- &
        WINE_XVFB_PID=$!
        xs_given_up=$(($(date +%s) + 60))
        until [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock")" = "$WINE_XVFB_PID" ] &&
            [ -S "/tmp/.X11-unix/X$n" ] && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; do
            kill -0 "$WINE_XVFB_PID" 2>/dev/null || break
            if grep -q 'failed to create listener' "$t/xvfb.log" 2>/dev/null || [ "$(date +%s)" -ge $xs_given_up ]; then
                kill "$WINE_XVFB_PID" 2>/dev/null || true
                wait "$WINE_XVFB_PID" 2>/dev/null || true
                break
            fi
            sleep 0.1
        done
        # Ours holds the number's lock and answers (one that lost it ends).
        if kill -0 "$WINE_XVFB_PID" 2>/dev/null; then break; fi
        WINE_XVFB_PID=""
        [ "$(date +%s)" -lt $xs_deadline ] || {
            exec 9>&-
            echo "wine: Xvfb did not start (see $t/xvfb.log)" >&2
            return 1
        }
    done
    echo $n >$xs_lock 2>/dev/null || true
    exec 9>&-
    export DISPLAY=":$n"
}

# The time-outs of the waits below are given as what a quick machine needs;
# they wait ten times as long, for a machine that is loaded or runs Wine
# through an emulator. Every wait ends as soon as its condition holds.
WINE_PATIENCE=10

# wait_until SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds;
# gives up (status 1) once SECONDS x WINE_PATIENCE have passed. The time-out
# goes by the clock: a try that is slow under load does not stretch it.
wait_until() {
    wu_seconds=$(($1 * WINE_PATIENCE))
    shift
    wine_wait $wu_seconds "$@"
}
# wine_wait SECONDS COMMAND...: the same for SECONDS as they are.
wine_wait() {
    wu_deadline=$(($(date +%s) + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        [ "$(date +%s)" -lt $wu_deadline ] || return 1
        sleep 0.1
    done
}

# wine_desktop LOG DIR SCREEN SHOWN PROGRAM [ARGUMENTS...]: runs PROGRAM (a
# Windows program) from DIR in a Wine virtual desktop of SCREEN (WxH) in the
# background, its output appended to LOG, and waits until the command SHOWN
# succeeds. The 32-bit Wine through QEMU now and then fails to load its X
# driver and ends before its desktop shows ("no driver could be loaded"): a
# desktop that ended before it showed, leaving neither itself nor the program
# running, is started again (three starts at most), and LOG says so. A
# desktop that is still closing (Wine ends it a while after its last window)
# is waited for first: a program started into it finds no display modes once
# it has gone. The test driver, where one runs, is renewed for each desktop
# after the first. Sets WINE_DESKTOP_PID; status 1 when SHOWN never
# succeeded.
WINE_DESKTOPS=0
wine_desktop() {
    wd_log=$1 wd_dir=$2 wd_screen=$3 wd_shown=$4 wd_program=$5
    shift 4
    wine_wait $((30 * WINE_PATIENCE)) wine_no_desktop || {
        echo "wine: the desktop before did not end" >>"$wd_log"
        return 1
    }
    if [ $WINE_DESKTOPS -gt 0 ] && [ -n "$WINE_DRIVE_DIR" ]; then drive_renew; fi
    WINE_DESKTOPS=$((WINE_DESKTOPS + 1))
    wd_attempt=1
    while :; do
        (cd "$wd_dir" && exec "$WINE" explorer "/desktop=velto,$wd_screen" "$@") >>"$wd_log" 2>&1 &
        WINE_DESKTOP_PID=$!
        wine_wait $((30 * WINE_PATIENCE)) wine_desktop_shown_or_ended || return 1
        "$wd_shown" >/dev/null 2>&1 && return 0
        [ $wd_attempt -lt 3 ] || return 1
        echo "wine: Wine ended before its desktop showed; starting it again" >>"$wd_log"
        wd_attempt=$((wd_attempt + 1))
    done
}
# wine_runs_any TEXT...: a process of the prefix runs whose command line holds
# one of the TEXTs (any case; the greps here, started with the prefix, are no
# program).
wine_runs_any() {
    wr_texts=""
    for wr_text in "$@"; do wr_texts="$wr_texts$wr_text
"; done
    for pid in $(wine_prefix_pids); do ps -o args= -p "$pid" 2>/dev/null || true; done |
        grep -v grep | grep -qiF -- "${wr_texts%?}"
}
wine_no_desktop() { ! wine_runs_any /desktop=velto; }
# Shown, or ended: the Wine started for it has ended, and neither a desktop
# nor the program runs in the prefix (other programs, the test driver among
# them, may run on).
wine_desktop_shown_or_ended() {
    "$wd_shown" || { ! runs "$WINE_DESKTOP_PID" && ! wine_runs_any /desktop=velto "$wd_program"; }
}

# retry_until SECONDS EVERY ACTION COMMAND...: does ACTION (a shell text, such
# as "key F2"), waits EVERY seconds (as they are) for COMMAND, and does ACTION
# again while COMMAND fails, until SECONDS x WINE_PATIENCE have passed. For an
# input that may come before the program takes it and does no harm when it
# comes twice.
retry_until() {
    ru_deadline=$(($(date +%s) + $1 * WINE_PATIENCE))
    ru_every=$2 ru_action=$3
    shift 3
    while :; do
        eval "$ru_action" || true
        wine_wait "$ru_every" "$@" && return 0
        [ "$(date +%s)" -lt $ru_deadline ] || return 1
    done
}

# sweep_until SECONDS WIDTH HEIGHT COMMAND...: moves the pointer to and fro
# inside the screen's top-left WIDTH x HEIGHT, a new place every 20 ms, until
# COMMAND succeeds; gives up once SECONDS x WINE_PATIENCE have passed. (Moves
# that come quickly reach a slow program merged into fewer: no number of
# moves is enough by itself.)
sweep_until() {
    sw_deadline=$(($(date +%s) + $1 * WINE_PATIENCE))
    sw_width=$(($2 - 32)) sw_height=$(($3 - 32))
    shift 3
    sw_step=0
    until "$@" >/dev/null 2>&1; do
        [ "$(date +%s)" -lt $sw_deadline ] || return 1
        sw_step=$((sw_step + 1))
        xdotool mousemove $((16 + sw_step * 37 % sw_width)) $((16 + sw_step * 23 % sw_height)) 2>/dev/null || true
        sleep 0.02
    done
}

# Makes ALSA write what Wine plays into FILE (22,050 Hz, 16-bit, mono WAV)
# instead of a sound card; call it after wine_use_prefix.
wine_record_sound() {
    printf '%s\n' 'pcm.!default { type plug; rate_converter "linear";' \
        '  slave { pcm "cap"; format S16_LE; rate 22050; channels 1 } }' \
        "pcm.cap { type file; slave.pcm \"null\"; file \"$1\"; format \"wav\" }" >"$HOME/.asoundrc"
}

# tone_run WAV FROM SECONDS LOW HIGH: prints the longest run of quarter
# seconds, within SECONDS of the recording WAV from its byte FROM on, whose
# strongest frequency above 100 Hz lies between LOW and HIGH Hz (sox's
# spectrum: 4096 points, 5.4 Hz apart at 22,050 Hz). Each quarter's frequency
# (0 where silent) is listed in WAV.tones.
tone_run() {
    sox "$1" "$1.part.wav" trim "$(echo "($2 - 44) / 44100" | bc -l)" "$3"
    : >"$1.tones"
    q=0 run=0 longest=0
    while [ $q -lt $(($3 * 4)) ]; do
        f=$(sox "$1.part.wav" -n trim "$(echo "$q * 0.25" | bc -l)" 0.25 stat -freq 2>&1 |
            awk 'NF == 2 && $1 + 0 > 100 && $2 + 0 > p { p = $2 + 0; f = $1 + 0 }
                 /RMS +amplitude/ { r = $3 } END { print r < 0.01 ? 0 : int(f) }')
        echo "$q $f" >>"$1.tones"
        if [ "$f" -ge "$4" ] && [ "$f" -le "$5" ]; then run=$((run + 1)); else run=0; fi
        [ $run -le $longest ] || longest=$run
        q=$((q + 1))
    done
    echo $longest
}

wav_rms() {
    python3 -c "
import math, struct, sys
data = open(sys.argv[1], 'rb').read()[int(sys.argv[2]):]
n = len(data) // 2
values = struct.unpack('<%dh' % n, data[:2 * n])
print(int(math.sqrt(sum(v * v for v in values) / max(n, 1))))" "$1" "${2:-44}"
}

# The test driver serves all commands of a test from one start (each start of
# Wine costs time): drive writes a request into T/drive, the driver answers
# with what the command printed and its exit status. VELTO_DESKTOP names the
# Wine desktop the command works in, if any. A driver that ended (the 32-bit
# Wine through an emulator now and then fails to start) is started again.
WINE_DRIVE_DIR=""
drive_start() {
    WINE_DRIVE_DIR=$2/drive WINE_DRIVER=$1 WINE_DRIVE_LOG=$2/driver.log
    rm -rf "$WINE_DRIVE_DIR"
    mkdir -p "$WINE_DRIVE_DIR"
    drive_serve
}
drive_serve() {
    "$WINE" "$WINE_DRIVER" serve "Z:$WINE_DRIVE_DIR" >/dev/null 2>>"$WINE_DRIVE_LOG" &
    echo $! >"$WINE_DRIVE_DIR/pid"
}
# A new driver for a new desktop: one that has worked in a desktop that has
# gone still takes the display for that desktop's, and when the new desktop
# changes the display modes, its own update of them (from the X screen itself)
# leaves every program of the prefix, the game among them, without any.
drive_renew() {
    drive quit >/dev/null || true
    wait_until 20 drive_ended || echo "settings_driver: did not end" >>"$WINE_DRIVE_LOG"
    drive_serve
}
drive_ended() { ! drive_runs; }
# runs PID: the process runs (one that ended but was not yet waited for
# counts as ended).
runs() { [ -r "/proc/$1/stat" ] && ! grep -q '^[0-9]* ([^)]*) Z' "/proc/$1/stat"; }
drive_runs() { runs "$(cat "$WINE_DRIVE_DIR/pid")"; }
drive_request() { printf '%s\n' "${VELTO_DESKTOP:-}" "$@" >"$WINE_DRIVE_DIR/request.tmp" && mv "$WINE_DRIVE_DIR/request.tmp" "$WINE_DRIVE_DIR/request"; }
drive() {
    drive_request "$@"
    dr_deadline=$(($(date +%s) + 60 * WINE_PATIENCE))
    until [ -f "$WINE_DRIVE_DIR/status" ]; do
        if [ "$(date +%s)" -ge $dr_deadline ]; then
            echo "settings_driver: no answer to $*" >&2
            return 1
        fi
        if ! drive_runs; then
            echo "settings_driver: ended; started again for $*" >>"$WINE_DRIVE_LOG"
            [ -f "$WINE_DRIVE_DIR/request" ] || drive_request "$@"
            drive_serve
        fi
        sleep 0.02
    done
    dr_status=$(cat "$WINE_DRIVE_DIR/status")
    tr -d '\r' <"$WINE_DRIVE_DIR/answer"
    rm -f "$WINE_DRIVE_DIR/status" "$WINE_DRIVE_DIR/answer"
    [ "$dr_status" = 0 ] || echo "settings_driver: $* failed (see driver.log)" >&2
    return "$dr_status"
}

wine_processes() {
    for pid in $(wine_prefix_pids); do
        ps -o pid=,stat=,etime=,time=,args= -p "$pid" 2>/dev/null || true
    done
    if [ -n "${WINE_XVFB_PID:-}" ]; then
        echo "X server $DISPLAY, pid $WINE_XVFB_PID: $(runs "$WINE_XVFB_PID" && echo runs || echo ended)," \
            "socket file $([ -S "/tmp/.X11-unix/X${DISPLAY#:}" ] && echo present || echo missing)"
    fi
}

# The processes started with this test's prefix (the test's shell among them).
wine_prefix_pids() {
    for p in /proc/[0-9]*; do
        if tr '\0' '\n' 2>/dev/null <"$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX"; then echo "${p#/proc/}"; fi
    done
}

# Stops the test's Wine and X server and removes its copy of the prefix (some
# 700 MB each), keeping the test's screenshots and logs.
wine_stop() {
    if [ -n "${WINEPREFIX:-}" ]; then
        "$WINESERVER_CMD" -k >/dev/null 2>&1 || true
        "$WINESERVER_CMD" -w >/dev/null 2>&1 || true
        # A Wine program that outlived its server (one still starting through
        # QEMU as the server ended) would wait for ever.
        for pid in $(wine_prefix_pids); do
            case $(readlink "/proc/$pid/exe" 2>/dev/null) in
                */wine* | */qemu-*) kill -9 "$pid" 2>/dev/null || true ;;
            esac
        done
    fi
    if [ -n "${WINE_TEST_PREFIX:-}" ]; then
        # A Wine process that is just ending (slowly, through QEMU) may still
        # write into the prefix: removing it is tried again for a while.
        wine_wait 30 rm -rf "$WINE_TEST_PREFIX" || rm -rf "$WINE_TEST_PREFIX" 2>/dev/null || true
        WINE_TEST_PREFIX=""
    fi
    if [ -n "$WINE_XVFB_PID" ]; then
        kill "$WINE_XVFB_PID" 2>/dev/null || true
        wait "$WINE_XVFB_PID" 2>/dev/null || true
        WINE_XVFB_PID=""
    fi
}
