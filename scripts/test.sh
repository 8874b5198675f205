#!/bin/sh
# Installs what is missing, builds, and runs every test: first the normal build and an
# installation of it with its Debian package, then the same suite built with
# AddressSanitizer and UndefinedBehaviorSanitizer, then the script reader under a fuzzer.
. "$(dirname "$0")/common.sh"
install_missing $GAME_PACKAGES $TEST_PACKAGES

# play.sh may have left the build directory without the tests.
build -DBUILD_TESTING=ON
(cd "${BUILD_DIR:-build}" && ctest --output-on-failure -j2)
# Installed as a player gets it: the files, their validators, the Debian package.
sh scripts/check_install.sh "${BUILD_DIR:-build}"

# Any sanitizer report fails the run.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
BUILD_DIR=build-asan build -DKP_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
(cd build-asan && ctest --output-on-failure -j2)

# The script reader under clang's coverage-guided fuzzer, for a bounded time, starting
# from the scenario scripts.
BUILD_DIR=build-fuzz build -DKP_LIBFUZZER=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++
mkdir -p build-fuzz/corpus
cp tests/scenarios/*.play tests/records/*.krunk build-fuzz/corpus/
build-fuzz/kp_script_fuzzer -max_total_time="${KP_FUZZ_SECONDS:-60}" -timeout=10 -max_len=2048 \
  -print_final_stats=1 build-fuzz/corpus
echo "All tests passed: normal build, installation and package, sanitizer build, script fuzzer."
