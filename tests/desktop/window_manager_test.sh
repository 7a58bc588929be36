#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The painted caption under a real window manager (Xvfb and openbox), driven with the real
# pointer and keyboard (xdotool): dragging the caption moves the window, dragging an edge or
# a corner resizes it, the caption's buttons show pressed and a release outside does nothing,
# its window menu opens and moves the window by keyboard, a floated toolbar with the focus
# leaves the caption active, Shift+F10 and the Menu key open the list's menu at the current
# item, a double click maximises it, Alt+F4 closes it and the placement is stored. Skipped
# when one of the tools is missing. Usage: window_manager_test.sh RIBODEX_BINARY
set -uo pipefail
ribodex=$1
for tool in Xvfb openbox xdotool xprop xwd python3; do
  command -v "$tool" > /dev/null || { echo "$tool not installed: skipped"; exit 0; }
done
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null; done
  wait 2> /dev/null
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n 1 "$work/display")
openbox --sm-disable > "$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

# The built-in demo phone: the window shows its phone book, idle and ready for the pointer.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work
QT_QPA_PLATFORM=xcb LC_ALL=C "$ribodex" --port DEMO > "$work/ribodex.log" 2>&1 &
app=$!
pids+=($app)
windows() { xdotool search --onlyvisible --classname '^ribodex$' 2> /dev/null; }
for _ in $(seq 200); do window=$(xdotool search --onlyvisible --name '^Quillcast Ribodex$' 2> /dev/null) && break; sleep 0.1; done
[ -n "$window" ] || { cat "$work/ribodex.log"; fail "no window"; exit 1; }
xprop -id "$window" WM_CLASS | grep -q "\"$(sed -n 's/^StartupWMClass=//p' "$(dirname "$0")/../../resources/linux/org.ribodex.Ribodex.desktop")\"" ||
  fail "WM_CLASS $(xprop -id "$window" WM_CLASS) does not match the desktop entry's StartupWMClass"
# The window's pixels from column X0 to X1 and row Y0 to Y1 (ends excluded) as BGRA hex.
pixels() {
  xwd -silent -id "$window" | python3 -c 'import struct, sys; x0, x1, y0, y1 = map(int, sys.argv[1:])
d = sys.stdin.buffer.read(); h = struct.unpack(">25I", d[:100]); o = h[0] + h[19] * 12
print(b"".join(d[o + y * h[12] + 4 * x0:o + y * h[12] + 4 * x1] for y in range(y0, y1)).hex())' "$@"
}
# The read takes no input: wait for the second entry's icon (its head in blue).
for _ in $(seq 100); do [ "$(pixels 13 14 120 121 | cut -c1-6)" = "aa5a28" ] && break; sleep 0.2; done

geometry() {  # x y width height of the window, once it has stopped changing
  local last="" now
  for _ in $(seq 30); do
    eval "$(xdotool getwindowgeometry --shell "$window")"
    now="$X $Y $WIDTH $HEIGHT"
    [ "$now" = "$last" ] && break
    last=$now
    sleep 0.2
  done
  echo "$now"
}
drag() {  # from x y to x y; a first step of 4 pixels starts a move there (a resize starts on the press)
  xdotool mousemove "$1" "$2" sleep 0.2 mousedown 1 sleep 0.2 mousemove $(($1 + 4)) "$2" sleep 0.2 \
    mousemove "$3" "$4" sleep 0.3 mouseup 1
  sleep 0.5
}
near() { [ $(( $1 - $2 )) -le "$3" ] && [ $(( $2 - $1 )) -le "$3" ]; }
maximised() {  # waits up to 3 s for it
  for _ in $(seq 30); do
    xprop -id "$window" _NET_WM_STATE | grep -q MAXIMIZED_HORZ && return 0
    sleep 0.1
  done
  return 1
}

# Room on the right for the edge drags, wherever the window manager placed the window.
xdotool windowmove "$window" 100 100
read -r x y w h < <(geometry)
xprop -id "$window" _NET_FRAME_EXTENTS | grep -q "= 0, 0, 0, 0" || fail "the window manager draws a frame"
drag $((x + w / 2)) $((y + 12)) $((x + w / 2 + 100)) $((y + 72))
read -r x2 y2 w2 h2 < <(geometry)
near $((x2 - x)) 96 2 && near $((y2 - y)) 60 2 || fail "caption drag: $x,$y -> $x2,$y2"
[ "${w2}x$h2" = "${w}x$h" ] || fail "caption drag changed the size: ${w}x$h -> ${w2}x$h2"

drag $((x2 + w2 - 2)) $((y2 + h2 / 2)) $((x2 + w2 + 78)) $((y2 + h2 / 2))
read -r x3 y3 w3 h3 < <(geometry)
near $((w3 - w2)) 80 2 && [ "$x3" = "$x2" ] || fail "right edge: width $w2 -> $w3, left $x2 -> $x3"
drag $((x3 + 2)) $((y3 + h3 - 2)) $((x3 - 38)) $((y3 + h3 + 38))
read -r x4 y4 w4 h4 < <(geometry)
near $((w4 - w3)) 40 2 && near $((h4 - h3)) 40 2 || fail "bottom-left corner: ${w3}x$h3 -> ${w4}x$h4"

popup() {  # the id of an open menu of ours: a visible window of the program but the main one and the toolbar
  for _ in $(seq 20); do windows | grep -vxF -e "$window" -e "${toolbar:-none}" && return 0; sleep 0.1; done
  return 1
}
xdotool windowactivate --sync "$window" sleep 0.3
active=$(pixels $((w4 * 3 / 4)) $((w4 * 3 / 4 + 4)) 5 6)
# Held on the close button it shows pressed; moved off, raised again; let go there, the window stays.
xdotool mousemove $((x4 + w4 - 12)) $((y4 + 10)) mousedown 1 sleep 0.3
pressed=$(pixels $((w4 - 30)) $((w4 - 4)) 4 28)
xdotool mousemove $((x4 + 100)) $((y4 + 10)) sleep 0.3
[ "$pressed" != "$(pixels $((w4 - 30)) $((w4 - 4)) 4 28)" ] || fail "the close button does not show pressed"
xdotool mouseup 1 sleep 0.5
xdotool getwindowname "$window" > /dev/null 2>&1 || fail "a release outside closed the window"
# The window menu: a right click on the caption, M for Move, the arrows and Enter.
xdotool mousemove $((x4 + w4 / 2)) $((y4 + 10)) click 3
popup > /dev/null || fail "no window menu on a right click"
xdotool key m sleep 0.3 key Right Right Right Right Down Down sleep 0.3 key Return
read -r x5 y5 w5 h5 < <(geometry)
[ "$x5" -gt "$x4" ] && [ "$y5" -gt "$y4" ] && [ "${w5}x$h5" = "${w4}x$h4" ] ||
  fail "window menu Move: $x4,$y4 ${w4}x$h4 -> $x5,$y5 ${w5}x$h5"
xdotool mousemove $((x5 + 9)) $((y5 + 9)) click 1  # the icon
popup > /dev/null || fail "no window menu on a click on the icon"
xdotool key Escape
# What's This: the toolbar's help button, a click on About (explained), a click on the list; the
# message pane is idle again, not left with About's prompt.
xdotool mousemove $((x5 + 200)) $((y5 + 200)) sleep 0.5
idle=$(pixels 6 200 $((h5 - 22)) $((h5 - 6)))
xdotool mousemove $((x5 + 313)) $((y5 + 59)) sleep 0.4 click 1 sleep 0.4 mousemove $((x5 + 290)) $((y5 + 59)) \
  sleep 0.4 click 1 sleep 0.6 mousemove $((x5 + 200)) $((y5 + 200)) sleep 0.4 click 1 sleep 0.6
[ "$(pixels 6 200 $((h5 - 22)) $((h5 - 6)))" = "$idle" ] || fail "the status bar kept a prompt after a What's This click"
# The toolbar dragged off by its handle floats; with the focus there, the caption stays active.
xdotool mousemove $((x5 + 10)) $((y5 + 59)) sleep 0.2 mousedown 1 sleep 0.2 mousemove $((x5 + 30)) $((y5 + 80)) \
  sleep 0.2 mousemove $((x5 + 150)) $((y5 + h5 + 100)) sleep 0.3 mouseup 1
toolbar=$(popup) || fail "the toolbar did not float"
eval "$(xdotool getwindowgeometry --shell "$toolbar")"
xdotool mousemove $((X + 4)) $((Y + HEIGHT / 2)) click 1 sleep 0.5
[ "$(xprop -root _NET_ACTIVE_WINDOW | grep -o '0x[0-9a-f]*$')" = "$(printf '0x%x' "$toolbar")" ] ||
  fail "the floated toolbar did not take the focus"
[ "$(pixels $((w5 * 3 / 4)) $((w5 * 3 / 4 + 4)) 5 6)" = "$active" ] || fail "an inactive caption with the toolbar active"
# The list's menu from the keyboard, below the current item (the second row, clicked).
row_y=$((y5 + 121))
for keys in shift+F10 Menu; do
  xdotool windowactivate --sync "$window" mousemove $((x5 + 60)) "$row_y" click 1 sleep 0.3 key "$keys"
  menu=$(popup) || { fail "$keys opened no menu"; continue; }
  eval "$(xdotool getwindowgeometry --shell "$menu")"
  near "$Y" $((row_y + 8)) 12 || fail "$keys: the menu at y $Y, the current item at $row_y"
  xdotool key Escape sleep 0.3
done
x4=$x5 y4=$y5

# A click without a move is no move: the double click reaches the window and maximises it.
xdotool mousemove $((x4 + w4 / 2)) $((y4 + 12)) click --repeat 2 --delay 80 1
maximised || fail "double click did not maximise"

xdotool windowactivate --sync "$window" key alt+F4
for _ in $(seq 100); do kill -0 "$app" 2> /dev/null || break; sleep 0.1; done
kill -0 "$app" 2> /dev/null && fail "Alt+F4 did not end the program"
grep -q "cx=$w4" "$XDG_CONFIG_HOME/Olvenstrom Software Engineering/Quillcast Ribodex.ini" ||
  fail "the placement was not stored"

[ "$failures" -eq 0 ] && echo "window manager: all good"
exit "$failures"
