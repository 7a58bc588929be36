#!/usr/bin/env bash
# The painted caption under a real window manager (Xvfb and openbox), driven with the real
# pointer and keyboard (xdotool): dragging the caption moves the window, dragging an edge or
# a corner resizes it, a double click maximises it, Alt+F4 closes it and the placement is
# stored. Skipped when one of the tools is missing. Usage: window_manager_test.sh RIBODEX_BINARY
set -uo pipefail
ribodex=$1
for tool in Xvfb openbox xdotool xprop; do
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

# No port stored: the start ends with one message box, at once; confirming it leaves the
# window idle, ready for the pointer.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work
QT_QPA_PLATFORM=xcb LC_ALL=C "$ribodex" > "$work/ribodex.log" 2>&1 &
app=$!
pids+=($app)
windows() { xdotool search --onlyvisible --name '^Quillcast Ribodex$' 2> /dev/null; }
for _ in $(seq 200); do [ "$(windows | wc -l)" -ge 2 ] && break; sleep 0.1; done
window="" box=""
for id in $(windows); do
  if xprop -id "$id" _NET_WM_STATE | grep -q MODAL; then box=$id; else window=$id; fi
done
[ -n "$window" ] && [ -n "$box" ] || { cat "$work/ribodex.log"; fail "no window and message box"; exit 1; }
xdotool windowactivate --sync "$box" key Return
for _ in $(seq 50); do [ "$(windows | wc -l)" -eq 1 ] && break; sleep 0.1; done

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
