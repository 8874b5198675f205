#!/bin/sh
# Installs what is missing, builds, and runs every test.
. "$(dirname "$0")/common.sh"
install_missing
build
cd "${BUILD_DIR:-build}"
ctest --output-on-failure -j2
