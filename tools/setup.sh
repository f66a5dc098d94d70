#!/bin/sh
# Installs what building, playing and testing need, from Debian's packages.
# Safe to run again: it only installs what is missing.
#
# Where the kernel cannot run 32-bit programs, it makes them run through
# QEMU's user-mode emulator (as root): the distribution's backports suite,
# qemu-user 10 or newer from it, and a binfmt_misc entry "velto-i386" for
# i386 programs. Where that cannot be done, the Wine tests and play use the
# 64-bit build under the 64-bit Wine instead.
# VELTO_WINE32_QEMU=1 takes the QEMU path even where the kernel runs 32-bit
# programs itself (to try that path; the entry then serves the whole machine).
set -eu

PACKAGES="cmake make g++ libgtest-dev googletest libbenchmark-dev libpng-dev pkg-config
clang-format g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 xvfb xdotool
imagemagick sox fonts-ipafont-gothic fonts-wine locales pasmo x11-utils python3"
WINE32_PACKAGES="wine32:i386"
BINFMT=/proc/sys/fs/binfmt_misc
ENTRY=velto-i386

say() { echo "setup: $*" >&2; }

missing_of() {
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed'; then
            printf ' %s' "$p"
        fi
    done
}

# Installs the packages of the list that are missing (as root).
install_missing() {
    missing=$(missing_of "$@")
    [ -n "$missing" ] || return 0
    if [ "$(id -u)" != 0 ]; then
        say "these Debian packages are missing:$missing"
        say "run this script as root (or with sudo) to install them."
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    case " $(dpkg --print-foreign-architectures | tr '\n' ' ') " in
        *" i386 "*) ;;
        *) dpkg --add-architecture i386 ;;
    esac
    apt-get update -q
    apt-get install -y -q $missing
}

# Runs a minimal i386 program (exit status 0): succeeds where 32-bit programs
# run, natively or through a binfmt_misc entry.
runs_32bit() {
    probe=$(mktemp)
    # ELF header, one loadable segment, then: mov eax, 1; xor ebx, ebx; int 0x80.
    printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\010\064\0\0\0\0\0\0\0\0\0\0\0\064\0\040\0\1\0\0\0\0\0\0\0' >"$probe"
    printf '\1\0\0\0\0\0\0\0\0\200\4\010\0\200\4\010\135\0\0\0\135\0\0\0\5\0\0\0\0\020\0\0' >>"$probe"
    printf '\270\1\0\0\0\061\333\315\200' >>"$probe"
    chmod 700 "$probe"
    status=0
    "$probe" 2>/dev/null || status=$?
    rm -f "$probe"
    return $status
}

# The address of the distribution's main archive, as the machine's own
# sources name it (one-line or deb822 form); empty if none is found.
archive_uri() {
    codename=$1
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] || continue
        awk -v c="$codename" '$1 == "deb" {
            i = 2; if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
            if ($(i + 1) == c) { print $i; exit } }' "$f"
    done
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        awk -v c="$codename" 'function flush() {
                if (deb && uri != "" && (" " suites " ") ~ (" " c " ")) { print uri; found = 1 }
                deb = 0; uri = ""; suites = "" }
            /^[ \t]*$/ { flush(); if (found) exit; next }
            /^Types:/ { deb = ($0 ~ /[ \t]deb([ \t]|$)/) }
            /^URIs:/ { uri = $2 }
            /^Suites:/ { sub(/^Suites:[ \t]*/, ""); suites = $0 }
            END { if (!found) flush() }' "$f"
    done
}

# Enables the backports suite in a sources file of its own.
enable_backports() {
    codename=$1
    if grep -rqs -- "$codename-backports" /etc/apt/sources.list /etc/apt/sources.list.d/; then return 0; fi
    uri=$(archive_uri "$codename" | head -n 1)
    if [ -z "$uri" ]; then
        say "no '$codename' archive in the machine's apt sources to take $codename-backports from"
        return 1
    fi
    printf 'Types: deb\nURIs: %s\nSuites: %s-backports\nComponents: main\n' "$uri" "$codename" \
        >/etc/apt/sources.list.d/velto-backports.sources
    if [ -f /usr/share/keyrings/debian-archive-keyring.gpg ]; then
        echo "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" >>/etc/apt/sources.list.d/velto-backports.sources
    fi
}

qemu_i386() {
    for q in /usr/bin/qemu-i386 /usr/bin/qemu-i386-static; do
        if [ -x "$q" ]; then
            echo "$q"
            return 0
        fi
    done
    return 1
}

qemu_new_enough() {
    version=$("$1" --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9][0-9.]*\).*/\1/p')
    [ -n "$version" ] && [ "${version%%.*}" -ge 10 ]
}

# Installs qemu-user 10 or newer from the backports suite; refuses an older one.
install_qemu() {
    if q=$(qemu_i386) && qemu_new_enough "$q"; then return 0; fi
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [ -n "$codename" ] || { say "cannot tell the distribution's release name"; return 1; }
    enable_backports "$codename" || return 1
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    candidate=$(apt-cache madison qemu-user | awk -v s="$codename-backports/" 'index($0, s) { print $3; exit }')
    if [ -z "$candidate" ] || dpkg --compare-versions "$candidate" lt 1:10; then
        say "$codename-backports offers qemu-user '${candidate:-none}'; the 32-bit Wine needs QEMU 10 or newer" \
            "(older ones cannot keep Wine's fixed mappings), so none is installed"
        return 1
    fi
    apt-get install -y -q --no-install-recommends -t "$codename-backports" qemu-user
    q=$(qemu_i386) && qemu_new_enough "$q" || { say "qemu-i386 10 or newer did not install"; return 1; }
}

# Registers i386 ELF programs (executables and shared objects) with QEMU as
# interpreter, opened once at registration (flag F).
register_binfmt() {
    q=$1
    if [ -f "$BINFMT/$ENTRY" ]; then
        if grep -qx "interpreter $q" "$BINFMT/$ENTRY" && grep -qx 'flags: F' "$BINFMT/$ENTRY"; then return 0; fi
        echo -1 >"$BINFMT/$ENTRY"
    fi
    printf '%s' ":$ENTRY:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$q:F" \
        >"$BINFMT/register"
}

# Makes 32-bit programs run through QEMU; says why not in one line and
# fails where it cannot.
qemu_path() {
    if [ "$(id -u)" != 0 ]; then
        say "this kernel runs no 32-bit programs; as root, setup would run them through QEMU." \
            "Until then Wine runs the 64-bit build."
        return 1
    fi
    if [ ! -f "$BINFMT/register" ]; then
        if ! grep -qw binfmt_misc /proc/filesystems 2>/dev/null ||
            ! mount -t binfmt_misc binfmt_misc "$BINFMT" 2>/dev/null; then
            say "this kernel runs no 32-bit programs and offers no binfmt_misc; Wine runs the 64-bit build."
            return 1
        fi
    fi
    if [ "$(cat "$BINFMT/status")" != enabled ]; then
        say "binfmt_misc is disabled on this machine; Wine runs the 64-bit build."
        return 1
    fi
    install_qemu || return 1
    q=$(qemu_i386)
    register_binfmt "$q"
    if ! runs_32bit; then
        echo -1 >"$BINFMT/$ENTRY" 2>/dev/null || true
        say "32-bit programs do not run through $q; Wine runs the 64-bit build."
        return 1
    fi
}

install_missing $PACKAGES

# 32-bit programs: natively, through an entry made before, or through QEMU.
if [ "${VELTO_WINE32_QEMU:-0}" = 1 ] || ! runs_32bit; then
    qemu_path || true
fi

install_missing $WINE32_PACKAGES
