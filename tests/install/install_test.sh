#!/usr/bin/env bash
# What `cmake --install` and `make package` deliver: every file in its place, the programs
# runnable from there, the desktop entry and the AppStream metainfo valid, the man pages
# free of warnings, and a Debian package with its dependencies declared.
# Usage: install_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$stage/usr" > "$stage/install.log"
id=org.ribodex.Ribodex
files=(
  usr/bin/ribodex usr/bin/ribodex-cli usr/bin/ribodex-sim
  usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml
  usr/share/man/man1/ribodex.1 usr/share/man/man1/ribodex-cli.1 usr/share/man/man1/ribodex-sim.1
)
for size in 16 22 24 32 48 64 128 256; do
  files+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for f in "${files[@]}"; do
  [ -f "$stage/$f" ] || fail "$f not installed"
done
file "$stage/usr/share/icons/hicolor/256x256/apps/$id.png" | grep -q "256 x 256" || fail "256 icon size"

[ "$("$stage/usr/bin/ribodex-cli" --version)" = "ribodex-cli $version" ] || fail "installed ribodex-cli --version"
[ "$("$stage/usr/bin/ribodex-sim" --version)" = "ribodex-sim $version" ] || fail "installed ribodex-sim --version"
grep -q "<release version=\"$version\"" "$stage/usr/share/metainfo/$id.metainfo.xml" || fail "metainfo version"
# The entry starts the program by a name that the installed binary answers to.
grep -qx "Exec=ribodex" "$stage/usr/share/applications/$id.desktop" || fail "desktop entry Exec"
grep -qx "Icon=$id" "$stage/usr/share/applications/$id.desktop" || fail "desktop entry Icon"

if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$stage/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
else
  echo "desktop-file-validate not installed: skipped"
fi
if command -v appstreamcli > /dev/null; then
  appstreamcli validate --no-net --pedantic "$stage/usr/share/metainfo/$id.metainfo.xml" ||
    fail "appstreamcli validate"
else
  echo "appstreamcli not installed: skipped"
fi
if command -v groff > /dev/null; then
  for page in "$stage"/usr/share/man/man1/*.1; do
    warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$page" 2>&1)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
  done
fi

if command -v cpack > /dev/null && command -v dpkg-deb > /dev/null && command -v dpkg-shlibdeps > /dev/null; then
  (cd "$build" && cpack -G DEB -B "$stage/package" > "$stage/cpack.log" 2>&1) || { cat "$stage/cpack.log"; fail "cpack"; }
  deb=$(ls "$stage"/package/ribodex_"$version"_*.deb 2> /dev/null | head -n 1 || true)
  if [ -z "$deb" ]; then
    fail "no package ribodex_${version}_*.deb"
  else
    depends=$(dpkg-deb -f "$deb" Depends)
    for needed in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 xdg-utils; do
      grep -q "$needed" <<< "$depends" || fail "Depends lacks $needed: $depends"
    done
    contents=$(dpkg-deb -c "$deb")
    for f in "${files[@]}"; do
      grep -q " \./$f\$" <<< "$contents" || fail "package lacks /$f"
    done
  fi
else
  echo "cpack, dpkg-deb or dpkg-shlibdeps not installed: package skipped"
fi

[ "$failures" -eq 0 ] && echo "install layout: all good"
exit "$failures"
