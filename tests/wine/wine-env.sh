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
#   wait_until N COMMAND...   retry COMMAND until it succeeds or N x 10 tries
#   wine_processes            list the processes of this test's prefix (for
#                             failure reports)
#   wine_stop                 stop this test's wineserver and Xvfb, remove
#                             the test's prefix copy
#
# Each test runs with its own prefix and X display; everything started here is
# stopped by pid or by its own prefix.
#
# The 32-bit Wine runs the 32-bit programs, natively or through QEMU where the
# kernel cannot run 32-bit programs (see tools/setup.sh). VELTO_WINE_BITS=64
# runs the 64-bit Wine instead, for the 64-bit build of the same programs,
# where the 32-bit Wine cannot run at all.

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
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Bumped whenever wine_base_prefix sets up prefixes differently: older cached
# prefixes are made again.
WINE_PREFIX_VERSION=2

WINE_XVFB_PID=""
WINE_TEST_PREFIX=""

# The prefix's settings as a registry file (UTF-16 with a byte-order mark):
# the GDI renderer (no GL needed); the Japanese UI faces the dialogs ask for,
# in their Japanese and English names, drawn with the IPA fonts; Marlett for
# the caption buttons' symbols.
wine_prefix_settings() {
    printf '\377\376'
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
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

# Starts a private Xvfb and exports DISPLAY. The display number comes from the
# test's name, so that numbers are seldom reused at once (a server that is
# just ending may still remove the socket file of a new one on its number,
# and programs run through QEMU reach an X server by that file only). Where
# another server has the number, ours ends at once and the next is tried.
wine_start_display() {
    t=$1
    n=$(( ($(printf '%s' "$t" | cksum | cut -d' ' -f1) % 400) + 100 ))
    tries=0
    while :; do
        while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 "${2:-1024x768x24}" -nolisten tcp >"$t/xvfb.log" 2>&1 &
        WINE_XVFB_PID=$!
        i=0
        until [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock")" = "$WINE_XVFB_PID" ] &&
            [ -S "/tmp/.X11-unix/X$n" ] && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; do
            kill -0 "$WINE_XVFB_PID" 2>/dev/null || break
            i=$((i + 1))
            if [ $i -gt 300 ]; then
                echo "wine: Xvfb did not start (see $t/xvfb.log)" >&2
                return 1
            fi
            sleep 0.1
        done
        # Ours holds the number's lock and answers (one that lost it ends).
        if kill -0 "$WINE_XVFB_PID" 2>/dev/null; then break; fi
        tries=$((tries + 1))
        [ $tries -lt 20 ] || { echo "wine: no free X display" >&2; return 1; }
        n=$((n + 1))
    done
    export DISPLAY=":$n"
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
}

# wait_until N COMMAND...: runs COMMAND every 0.1 s until it succeeds; gives
# up (status 1) after N x 10 tries.
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

wine_processes() {
    for p in /proc/[0-9]*; do
        if tr '\0' '\n' 2>/dev/null <"$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX"; then
            ps -o pid=,stat=,etime=,time=,args= -p "${p#/proc/}" 2>/dev/null || true
        fi
    done
}

# Stops the test's Wine and X server and removes its copy of the prefix (some
# 700 MB each), keeping the test's screenshots and logs.
wine_stop() {
    if [ -n "${WINEPREFIX:-}" ]; then
        "$WINESERVER_CMD" -k >/dev/null 2>&1 || true
        "$WINESERVER_CMD" -w >/dev/null 2>&1 || true
    fi
    if [ -n "${WINE_TEST_PREFIX:-}" ]; then
        rm -rf "$WINE_TEST_PREFIX"
        WINE_TEST_PREFIX=""
    fi
    if [ -n "$WINE_XVFB_PID" ]; then
        kill "$WINE_XVFB_PID" 2>/dev/null || true
        wait "$WINE_XVFB_PID" 2>/dev/null || true
        WINE_XVFB_PID=""
    fi
}
