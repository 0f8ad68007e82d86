#!/usr/bin/env bash
# Builds the Debian package from the build folder (cpack -G DEB) into a
# temporary folder and checks what a user gets from it: every file in its
# place, the run-time dependencies declared, a pkg-config file naming the
# package's prefix, and programs that run from the unpacked package on its own
# library.
# Usage: debian_package_test.sh BUILD_DIR
set -euo pipefail
build=$1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack -G DEB"; }
debs=("$work"/out/quillon_*.deb)
[ -f "${debs[0]}" ] || { cat "$work/cpack.log"; fail "cpack made no quillon_*.deb"; }
deb=${debs[0]}

# The file list: "perms owner size date time path [-> target]", paths as ./usr/...
dpkg-deb -c "$deb" | awk '{ sub(/^\./, "", $6); print substr($1, 1, 1), $6, $8 }' >"$work/files"
has() { grep -q "^[-l] $1\( \|$\)" "$work/files" || fail "the package has no $1"; }
libdir=$(awk '$2 ~ /\/libQ30COM32\.so\.1$/ { sub(/\/libQ30COM32\.so\.1$/, "", $2); print $2 }' "$work/files")
[ -n "$libdir" ] || fail "the package has no libQ30COM32.so.1"

app_id=org.quillon.quillon
for f in /usr/bin/quillon /usr/bin/quillon-cli /usr/bin/q30sim \
         /usr/include/q30com32/q30com32.h "$libdir/pkgconfig/q30com32.pc" "$libdir/cmake/Q30COM32/Q30COM32Config.cmake" \
         /usr/share/quillon/res/strings/en.strings /usr/share/quillon/res/dialogs/802-msn.dlg \
         /usr/share/applications/$app_id.desktop /usr/share/metainfo/$app_id.metainfo.xml \
         /usr/share/icons/hicolor/scalable/apps/$app_id.svg \
         /usr/share/man/man1/quillon.1.gz /usr/share/man/man1/quillon-cli.1.gz /usr/share/man/man1/q30sim.1.gz \
         /usr/share/doc/quillon/copyright; do
  has "$f"
done
for size in 16 22 24 32 48 64 128 256; do
  has "/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
done
grep -q "^l $libdir/libQ30COM32.so libQ30COM32.so.1$" "$work/files" || fail "libQ30COM32.so is not a link to libQ30COM32.so.1"
grep -q "^l $libdir/libQ30COM32.so.1 libQ30COM32.so.[0-9.]*$" "$work/files" || fail "libQ30COM32.so.1 is not a link to the versioned library"

depends=$(dpkg-deb -f "$deb" Depends)
for package in libc6 libstdc++6 libqt6widgets6; do
  [[ "$depends" == *"$package "* ]] || fail "Depends lacks $package: '$depends'"
done

# Unpacked, with nothing of the build folder in reach.
dpkg-deb -x "$deb" "$work/root"
root=$work/root
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
for shot in $(sed -n 's|.*<image>.*/screenshots/\([^<]*\)</image>.*|\1|p' "$metainfo"); do
  [ -f "$root/usr/share/quillon/screenshots/$shot" ] || fail "the screenshot $shot the metainfo names is not in the package"
done
grep -qx "prefix=/usr" "$root$libdir/pkgconfig/q30com32.pc" || fail "the pkg-config file does not name the prefix /usr"

cd "$work"
export HOME="$work/home"
unset QUILLON_RES_DIR LD_LIBRARY_PATH
mkdir -p "$HOME"
loaded=$(ldd "$root/usr/bin/quillon-cli" | awk '/libQ30COM32\.so\.1 =>/ { print $3 }')
[ "$(realpath "${loaded:-/nonexistent}")" = "$(realpath "$root$libdir/libQ30COM32.so.1")" ] \
  || fail "quillon-cli from the package does not load the package's library (loads '${loaded:-nothing}')"
"$root/usr/bin/quillon-cli" --demo find >"$work/find.out" 2>&1 || { cat "$work/find.out"; fail "quillon-cli --demo find from the package"; }
grep -q "Device found" "$work/find.out" || { cat "$work/find.out"; fail "quillon-cli --demo find found no device"; }
echo "Debian package OK"
