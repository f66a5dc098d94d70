#!/bin/sh
# Installs what building, playing and testing need, from Debian's packages.
# Safe to run again: it only installs what is missing.
set -eu

PACKAGES="cmake make g++ libgtest-dev googletest libbenchmark-dev libpng-dev pkg-config
clang-format g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64 xvfb xdotool
imagemagick sox fonts-ipafont-gothic locales pasmo x11-utils python3"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed'; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

if [ "$(id -u)" != 0 ]; then
    echo "setup: these Debian packages are missing:$missing" >&2
    echo "setup: run this script as root (or with sudo) to install them." >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
case " $(dpkg --print-foreign-architectures | tr '\n' ' ') " in
    *" i386 "*) ;;
    *) dpkg --add-architecture i386 ;;
esac
apt-get update -q
apt-get install -y -q $missing
