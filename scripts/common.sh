# Shared by play.sh and test.sh: install what is missing, then configure and build.
set -eu
cd "$(dirname "$0")/.."

# What the game needs to build and run (xdg-utils opens the help page in a browser).
GAME_PACKAGES="cmake g++ ninja-build qt6-base-dev nlohmann-json3-dev fonts-dejavu-core xdg-utils"
# What the tests, the sanitizer and fuzzer builds, the benchmarks and the installation
# checks (the desktop entry's and the metadata's validators, the package tools) add.
TEST_PACKAGES="libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth imagemagick ccache clang libclang-rt-14-dev
  desktop-file-utils appstream dpkg-dev file"

# install_missing PACKAGE...
install_missing() {
  missing=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  echo "Installing:$missing"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
}

configure() {
  cmake -S . -B "${BUILD_DIR:-build}" -G Ninja "$@"
}

build() {
  configure "$@"
  cmake --build "${BUILD_DIR:-build}"
}
