#!/bin/sh
# Checks an installation as a player gets it: installs the build into a temporary prefix,
# validates the desktop entry and the AppStream metadata, plays a game with the installed
# runner from another folder, opens the help page there with the installed game (under a
# virtual display, the desktop's document opener replaced by one that notes what it is
# asked to open), then builds the Debian package and checks what it holds.
#   sh scripts/check_install.sh [BUILD_DIR]      (test.sh runs it on build)
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
build="${1:-build}"
# The real path: the installed programs find their folder with every link resolved.
work=$(cd "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
prefix="$work/prefix"
id=org.krunkplexa.KrunkPlexa
version=$(sed -n 's/^project(krunkplexa VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
fail() {
  echo "check_install.sh: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/krunkplexa bin/krunkplexa-play "share/krunkplexa/krunk plexa help.htm" \
  "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
  "share/icons/hicolor/scalable/apps/$id.svg" share/man/man6/krunkplexa.6.gz share/man/man6/krunkplexa-play.6.gz; do
  [ -f "$prefix/$f" ] || fail "the installation lacks $f"
done
for size in 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
  file "$png" | grep -q "PNG image data, $size x $size," || fail "$png is not a $size by $size PNG"
done
gzip -t "$prefix"/share/man/man6/*.gz
desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "the metadata's release is not version $version"
[ "$("$prefix/bin/krunkplexa" --version)" = "krunkplexa $version" ] || fail "krunkplexa --version does not say $version"
[ "$("$prefix/bin/krunkplexa-play" --version)" = "krunkplexa-play $version" ] ||
  fail "krunkplexa-play --version does not say $version"

# From a folder without the help page: a whole game with the installed runner, then the
# help page, found in the installed data folder.
elsewhere="$work/elsewhere"
mkdir "$elsewhere"
cd "$elsewhere"
"$prefix/bin/krunkplexa-play" "$root/tests/scenarios/tolva_globoria.play" | grep -q '"text":"Blue wins by points."' ||
  fail "the installed runner did not play the game to its verdict"
printf 'open square\nmenu Rules and Help > Rules and Help\nstate\n' | "$prefix/bin/krunkplexa-play" |
  grep -qF "\"documents\":[\"$prefix/share/krunkplexa/krunk plexa help.htm\"]" ||
  fail "the installed runner did not find the help page from $elsewhere"
mkdir "$work/opener"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >> "%s"\n' "$work/opened" > "$work/opener/xdg-open"
chmod +x "$work/opener/xdg-open"
printf 'menu Rules and Help > Rules and Help\nwait 500\n' > "$work/help.play"
PATH="$work/opener:$PATH" XDG_RUNTIME_DIR="$work" DBUS_SESSION_BUS_ADDRESS=disabled: QT_QPA_PLATFORM=xcb \
  xvfb-run -a "$prefix/bin/krunkplexa" --open square --script "$work/help.play" --screenshot "$work/square.png"
# The opener runs detached: give it a moment to note what it was asked.
tries=0
until grep -qF "$prefix/share/krunkplexa/krunk%20plexa%20help.htm" "$work/opened" 2>/dev/null; do
  tries=$((tries + 1))
  [ "$tries" -le 50 ] || fail "the installed game did not open the help page from $elsewhere"
  sleep 0.1
done
file "$work/square.png" | grep -q "PNG image data" || fail "the installed game saved no picture of its window"
cd "$root"

# The Debian package.
rm -f "$build"/krunkplexa_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/krunkplexa_"$version"_*.deb)
# The paths alone: each listed line less its mode, owner, size, date and time.
dpkg-deb -c "$deb" | sed 's/^[^ ]* *[^ ]* *[^ ]* *[^ ]* *[^ ]* //' > "$work/contents"
for f in ./usr/bin/krunkplexa ./usr/bin/krunkplexa-play "./usr/share/krunkplexa/krunk plexa help.htm" \
  "./usr/share/applications/$id.desktop" "./usr/share/metainfo/$id.metainfo.xml" \
  "./usr/share/icons/hicolor/scalable/apps/$id.svg" "./usr/share/icons/hicolor/48x48/apps/$id.png" \
  "./usr/share/icons/hicolor/256x256/apps/$id.png" ./usr/share/man/man6/krunkplexa.6.gz \
  ./usr/share/man/man6/krunkplexa-play.6.gz; do
  grep -qxF "$f" "$work/contents" || fail "the package lacks $f"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in section games"
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" || fail "the package does not depend on Qt's widgets"
echo "Installation checked: $prefix held every file, both validators passed, $(basename "$deb") built."
