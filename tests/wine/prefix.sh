#!/bin/sh
# Creates the cached Wine prefix that every Wine test copies.
set -eu
. "$(dirname "$0")/wine-env.sh"
wine_base_prefix "$1"
