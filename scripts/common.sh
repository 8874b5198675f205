# Shared by play.sh and test.sh: install what is missing, then configure and build.
set -eu
cd "$(dirname "$0")/.."

PACKAGES="cmake g++ ninja-build qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  xvfb xauth imagemagick fonts-dejavu-core ccache clang libclang-rt-14-dev"

install_missing() {
  missing=""
  for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  echo "Installing:$missing"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
}

build() {
  cmake -S . -B "${BUILD_DIR:-build}" -G Ninja "$@"
  cmake --build "${BUILD_DIR:-build}"
}
