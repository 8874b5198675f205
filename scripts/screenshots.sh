#!/bin/sh
# Takes a screenshot of the launcher and of every game window, each part way through a game,
# under a private virtual display, into docs/screenshots/NAME.png (the README and the
# AppStream metadata show them). The game plays scripts/screenshots/NAME.play in its own
# windows (krunkplexa --script) and saves what the display shows of its window.
#   sh scripts/screenshots.sh [NAME...]     # default: the launcher and every window
# Needs the game built (build/krunkplexa, or BUILD_DIR) and Xvfb (the xvfb package).
set -eu
cd "$(dirname "$0")/.."
game="${BUILD_DIR:-build}/krunkplexa"
out=docs/screenshots
if [ ! -x "$game" ]; then
  echo "screenshots.sh: $game is not built (cmake -S . -B build -G Ninja && cmake --build build)" >&2
  exit 1
fi
command -v Xvfb >/dev/null || { echo "screenshots.sh: Xvfb is missing (apt-get install -y xvfb)" >&2; exit 1; }

names="${*:-launcher square largesquare house torus triangular cube wall tetrahedron wireframe triangular4d quadrion}"
work=$(mktemp -d)
xvfb=""
trap '[ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
# Xvfb picks a free display and writes its number to the pipe it is given.
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
tries=0
while [ ! -s "$work/display" ]; do
  tries=$((tries + 1))
  [ "$tries" -le 100 ] || { echo "screenshots.sh: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
  sleep 0.1
done
export DISPLAY=":$(cat "$work/display")" XDG_RUNTIME_DIR="$work" DBUS_SESSION_BUS_ADDRESS=disabled: QT_QPA_PLATFORM=xcb
mkdir -p "$out"
for name in $names; do
  script="scripts/screenshots/$name.play"
  [ -f "$script" ] || { echo "screenshots.sh: no script $script" >&2; exit 1; }
  if [ "$name" = launcher ]; then
    "$game" --script "$script" --screenshot "$out/$name.png"
  else
    "$game" --open "$name" --script "$script" --screenshot "$out/$name.png"
  fi
  echo "$out/$name.png"
done
