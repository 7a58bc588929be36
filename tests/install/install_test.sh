#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` and `make package` deliver: every file in its place, the programs
# runnable from there, the desktop entry and the AppStream metainfo valid, the man pages
# free of warnings and naming every command and option of their program's --help, and a
# Debian package with its dependencies declared that lintian finds no error in.
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
  usr/share/man/man1/ribodex.1.gz usr/share/man/man1/ribodex-cli.1.gz usr/share/man/man1/ribodex-sim.1.gz
  usr/share/doc/ribodex/copyright usr/share/doc/ribodex/changelog.gz
  usr/share/icons/hicolor/scalable/apps/$id.svg
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
[ "$("$stage/usr/bin/ribodex" --version)" = "ribodex $version" ] || fail "installed ribodex --version"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$stage/usr/bin/ribodex" > /dev/null 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "ribodex without a display ends with $status, not 1"
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
  for program in ribodex ribodex-cli ribodex-sim; do
    page=$stage/usr/share/man/man1/$program.1.gz
    warnings=$(zcat "$page" | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z 2>&1)
    [ -z "$warnings" ] || fail "$program.1: $warnings"
    text=$(zcat "$page" | LC_ALL=C groff -man -Tascii -P -cbou 2> /dev/null)
    # Every option of --help in the page, and every command (an indented word under "Commands:").
    help=$("$stage/usr/bin/$program" --help 2>&1)
    for option in $(grep -oE -- '(^|[ [,])--?[a-z][a-z-]*' <<< "$help" | grep -oE -- '--?[a-z-]+' | sort -u); do
      grep -qF -- "$option" <<< "$text" || fail "$program.1 lacks $option"
    done
    for command in $(sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\).*/\1/p' <<< "$help"); do
      grep -qE "^ +$command( |\$)" <<< "$text" || fail "$program.1 lacks the command $command"
    done
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
    if command -v lintian > /dev/null; then
      lintian --fail-on error "$deb" > "$stage/lintian.log" 2>&1 || { cat "$stage/lintian.log"; fail "lintian"; }
    fi
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
