#!/bin/sh
# Installs what the game needs, builds the game, and starts it.
. "$(dirname "$0")/common.sh"

# Without a display the game cannot open its window: say so before installing and building.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  echo "play.sh: there is no display to open the game window on." >&2
  echo "Start it from a desktop session, or under a virtual display:" >&2
  echo "  xvfb-run -a sh scripts/play.sh" >&2
  echo "(xvfb-run comes with the xvfb package: sudo apt-get install -y xvfb xauth)" >&2
  exit 1
fi

install_missing $GAME_PACKAGES
# Only the game: the tests and benchmarks, and what they need installed, are test.sh's.
configure -DBUILD_TESTING=OFF
cmake --build "${BUILD_DIR:-build}" --target krunkplexa
# The game finds its help page beside itself, where the configure step puts it.
exec "${BUILD_DIR:-build}/krunkplexa" "$@"
