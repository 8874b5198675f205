#!/bin/sh
# Takes a screenshot of the launcher and of every game window, each part way through a game,
# under a private virtual display, into docs/screenshots/NAME.png (the README and the
# AppStream metadata show them). The game plays scripts/screenshots/NAME.play in its own
# windows (krunkplexa --script) and saves what the display shows of its window.
#   sh scripts/screenshots.sh [NAME...]     # default: the launcher and every window
#   sh scripts/screenshots.sh --compare DIR [NAME...]
#     takes the shots into a temporary folder instead and compares each with DIR/NAME.png
#     pixel for pixel (ImageMagick's compare -metric AE): prints the names that differ and
#     exits with 1 if any does. (The launcher's rings and stars move on the script's clock
#     when a picture is taken, so its shot is the same every run; one taken before they did
#     caught them at a moment of the real clock and differs.)
# The windows are those `krunkplexa-play --list-windows` names. Needs the game built
# (build/krunkplexa and build/krunkplexa-play, or BUILD_DIR) and Xvfb (the xvfb package);
# --compare also needs ImageMagick (the imagemagick package).
set -eu
cd "$(dirname "$0")/.."
game="${BUILD_DIR:-build}/krunkplexa"
play="${BUILD_DIR:-build}/krunkplexa-play"
out=docs/screenshots
compare_with=""
if [ "${1:-}" = --compare ]; then
  [ $# -ge 2 ] || { echo "usage: sh scripts/screenshots.sh --compare DIR [NAME...]" >&2; exit 2; }
  compare_with=$2
  shift 2
  [ -d "$compare_with" ] || { echo "screenshots.sh: no folder $compare_with" >&2; exit 2; }
  command -v compare >/dev/null || { echo "screenshots.sh: ImageMagick's compare is missing (apt-get install -y imagemagick)" >&2; exit 2; }
fi
for program in "$game" "$play"; do
  if [ ! -x "$program" ]; then
    echo "screenshots.sh: $program is not built (cmake -S . -B build -G Ninja && cmake --build build)" >&2
    exit 1
  fi
done
command -v Xvfb >/dev/null || { echo "screenshots.sh: Xvfb is missing (apt-get install -y xvfb)" >&2; exit 1; }

windows=$("$play" --list-windows | tr '\n' ' ')
names="${*:-launcher $windows}"
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
if [ -n "$compare_with" ]; then
  out="$work/shots"
fi
mkdir -p "$out"
differ=""
for name in $names; do
  script="scripts/screenshots/$name.play"
  [ -f "$script" ] || { echo "screenshots.sh: no script $script" >&2; exit 1; }
  if [ "$name" = launcher ]; then
    "$game" --script "$script" --screenshot "$out/$name.png"
  else
    "$game" --open "$name" --script "$script" --screenshot "$out/$name.png"
  fi
  if [ -z "$compare_with" ]; then
    echo "$out/$name.png"
    continue
  fi
  # compare prints the number of pixels that differ (or why it cannot tell) on standard error.
  pixels=$(compare -metric AE "$compare_with/$name.png" "$out/$name.png" null: 2>&1) || true
  if [ "$pixels" = 0 ]; then
    echo "same: $name"
  else
    echo "differs: $name ($pixels)"
    differ="$differ $name"
  fi
done
if [ -n "$differ" ]; then
  echo "screenshots.sh: differ from $compare_with:$differ" >&2
  exit 1
fi
