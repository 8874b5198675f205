#!/bin/sh
# Installs what is missing, builds, and runs every test: first the normal build, then
# the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
. "$(dirname "$0")/common.sh"
install_missing

build
(cd build && ctest --output-on-failure -j2)

# Any sanitizer report fails the run.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
BUILD_DIR=build-asan build -DKP_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cd build-asan
ctest --output-on-failure -j2
