#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and uses it from there, as a
# user and as a developer of another program would: the three programs run on
# the installed library and resources, and a small program builds against the
# installed library through pkg-config and through the CMake package.
# Usage: install_test.sh BUILD_DIR PREFIX CONSUMER_SOURCE_DIR CXX
set -euo pipefail
build=$1 prefix=$2 consumer=$3 cxx=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# True when the program loads the library installed in $libdir.
loads_installed_library() {
  local loaded
  loaded=$(ldd "$1" | awk '/libQ30COM32\.so\.1 =>/ { print $3 }')
  [ -n "$loaded" ] && [ "$(realpath "$loaded")" = "$(realpath "$libdir/libQ30COM32.so.1")" ]
}

DESTDIR="$work/root" cmake --install "$build" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }
root="$work/root$prefix"

# Everything in its place.
pcfile=$(find "$root" -name q30com32.pc -path '*/pkgconfig/*' | head -n1)
[ -n "$pcfile" ] || fail "no q30com32.pc installed"
libdir=$(dirname "$(dirname "$pcfile")")
for f in bin/quillon bin/quillon-cli bin/q30sim include/q30com32/q30com32.h \
         include/q30com32/command_codes.h include/q30com32/drvcmd.h share/quillon/res/strings; do
  [ -e "$root/$f" ] || fail "$f is not installed"
done
[ -L "$libdir/libQ30COM32.so" ] && [ -L "$libdir/libQ30COM32.so.1" ] || fail "the library's version links are missing"
readelf -d "$libdir/libQ30COM32.so" | grep -q 'SONAME.*\[libQ30COM32\.so\.1\]' || fail "the library's SONAME is not libQ30COM32.so.1"
[ -f "$(find "$root" -name Q30COM32Config.cmake | head -n1)" ] || fail "no CMake package installed"

# From here on nothing of the build folder is in reach: another folder, a
# fresh home, no resource override.
cd "$work"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=offscreen
unset QUILLON_RES_DIR LD_LIBRARY_PATH
mkdir -p "$HOME"

loads_installed_library "$root/bin/quillon-cli" || fail "quillon-cli does not load the installed library"
"$root/bin/quillon-cli" --demo find >"$work/find.out" || fail "quillon-cli --demo find"
[ -s "$work/find.out" ] || fail "quillon-cli --demo find printed nothing"

"$root/bin/quillon" --demo --screenshot "$work/shots" >"$work/shots.log" 2>&1 || { cat "$work/shots.log"; fail "quillon --screenshot"; }
[ -n "$(find "$work/shots" -name '*.png' | head -n1)" ] || fail "quillon --screenshot saved no picture"
if grep -q 'quillon: .*:[0-9]*: ' "$work/shots.log"; then cat "$work/shots.log"; fail "the installed resources have problems"; fi

# The installed resources are the ones read: without the installed pictures
# the program names that folder as missing.
mv "$root/share/quillon/res/pictures" "$work/pictures"
timeout 5 "$root/bin/quillon" --demo >"$work/nopictures.log" 2>&1 || true
grep -qF "$root/share/quillon/res/pictures" "$work/nopictures.log" || { cat "$work/nopictures.log"; fail "quillon did not read the installed resources"; }
mv "$work/pictures" "$root/share/quillon/res/pictures"

# A program of others, through pkg-config (the sysroot maps the prefix into DESTDIR).
grep -qx "prefix=$prefix" "$libdir/pkgconfig/q30com32.pc" || fail "the pkg-config file does not name the prefix $prefix"
flags=$(PKG_CONFIG_PATH="$libdir/pkgconfig" PKG_CONFIG_SYSROOT_DIR="$work/root" pkg-config --cflags --libs q30com32) \
  || fail "pkg-config does not know q30com32"
"$cxx" -std=c++20 "$consumer/consumer.cpp" $flags -o "$work/by_pkgconfig" || fail "building against the pkg-config flags"
LD_LIBRARY_PATH="$libdir" "$work/by_pkgconfig" | grep -q '^D_SendDrvCmd' || fail "the pkg-config program did not run"

# ... and through the CMake package.
cmake -S "$consumer" -B "$work/consumer-build" -DCMAKE_PREFIX_PATH="$root" -DCMAKE_CXX_COMPILER="$cxx" \
  >"$work/consumer.log" 2>&1 || { cat "$work/consumer.log"; fail "find_package(Q30COM32)"; }
cmake --build "$work/consumer-build" >>"$work/consumer.log" 2>&1 || { cat "$work/consumer.log"; fail "building against the CMake package"; }
loads_installed_library "$work/consumer-build/consumer" || fail "the CMake package does not point at the installed library"
"$work/consumer-build/consumer" | grep -q '^D_SendDrvCmd' || fail "the CMake package program did not run"

# What the desktop reads: the entry, the icon at every size, the metainfo
# and the screenshots it names.
app_id=org.quillon.quillon
desktop_file="$root/share/applications/$app_id.desktop"
metainfo="$root/share/metainfo/$app_id.metainfo.xml"
desktop-file-validate "$desktop_file" >"$work/desktop.log" 2>&1 && [ ! -s "$work/desktop.log" ] \
  || { cat "$work/desktop.log"; fail "desktop-file-validate $desktop_file"; }
grep -qx "Exec=quillon" "$desktop_file" || fail "the desktop entry does not start quillon"
grep -qx "Icon=$app_id" "$desktop_file" || fail "the desktop entry does not name the icon $app_id"
for lang in de fr; do
  for key in Name GenericName Comment Keywords; do
    grep -q "^$key\[$lang\]=" "$desktop_file" || fail "the desktop entry has no $key[$lang]"
  done
done
for size in 16 22 24 32 48 64 128 256; do
  png="$root/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  [ -f "$png" ] || fail "no $size px icon"
  file "$png" | grep -q "PNG image data, $size x $size," || fail "the $size px icon is not a $size x $size PNG"
done
[ -f "$root/share/icons/hicolor/scalable/apps/$app_id.svg" ] || fail "no scalable icon"
[ -f "$root/share/quillon/icons/$app_id.png" ] || fail "no window icon beside the resources"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 || { cat "$work/appstream.log"; fail "appstreamcli validate $metainfo"; }
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" || fail "the metainfo does not launch $app_id.desktop"
shots=$(sed -n 's|.*<image>.*/screenshots/\([^<]*\)</image>.*|\1|p' "$metainfo")
[ -n "$shots" ] || fail "the metainfo names no screenshot"
for shot in $shots; do
  [ -f "$root/share/quillon/screenshots/$shot" ] || fail "the screenshot $shot the metainfo names is not installed"
done
for program in $(sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' "$metainfo"); do
  [ -x "$root/bin/$program" ] || fail "the metainfo provides $program, which is not installed"
done
echo "install tree OK"
