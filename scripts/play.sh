#!/bin/sh
# Installs what is missing, builds, and starts the game.
. "$(dirname "$0")/common.sh"
install_missing
build
# The help page is looked for in the current directory, and the build puts it beside the game.
cd "${BUILD_DIR:-build}"
exec ./krunkplexa "$@"
