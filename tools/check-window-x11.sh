#!/usr/bin/env bash
# Runs the real tessel-demo on an X server and checks its window from the
# outside, with standard X tools: the title and size, that clicking "Start"
# turns its caption to "Stop" and makes the chart count, and that closing the
# window the way a window manager does ends the program with status 0.
#
#   tools/check-window-x11.sh PATH/TO/tessel-demo OUT-DIR
#
# Uses the X server in DISPLAY; without one it starts its own with xvfb-run.
# The screenshots, their crops and the program's output go to OUT-DIR.
set -uo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 PATH/TO/tessel-demo OUT-DIR" >&2
  exit 2
fi
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
fi

program=$1
out=$2
title="Orlo's Tessel Demo"
width=730
height=528
# Window-relative pixels: the Start button's box and its centre, and the
# occupancy chart's box (axes, bars and percentages).
start_box="81x33+528+72"
start_x=568
start_y=88
chart_box="244x332+456+136"

failures=0
pass() { echo "PASS: $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
give_up() {
  fail "$*"
  echo "FAIL: window check stopped early ($failures failure(s))"
  exit 1
}

for tool in xdotool xwininfo import convert compare; do
  command -v "$tool" >/dev/null || give_up "$tool is not installed"
done
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || give_up "python3-xlib is not installed"
[ -x "$program" ] || give_up "no program at $program"

mkdir -p "$out"
rm -f "$out"/*.png "$out"/tessel-demo.log

pid=
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null
    sleep 0.5
    kill -9 "$pid" 2>/dev/null
  fi
}
trap cleanup EXIT

"$program" >"$out/tessel-demo.log" 2>&1 &
pid=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1)
[ -n "$window" ] || give_up "no visible window named \"$title\" within 20 s"
pass "window $window appeared"

info=$(xwininfo -id "$window") || give_up "xwininfo could not read window $window"
shown_title=$(sed -n 's/^xwininfo: Window id: [^ ]* "\(.*\)"$/\1/p' <<<"$info")
shown_width=$(awk '/^ *Width:/ { print $2 }' <<<"$info")
shown_height=$(awk '/^ *Height:/ { print $2 }' <<<"$info")
if [ "$shown_title" = "$title" ]; then
  pass "title is \"$shown_title\""
else
  fail "title is \"$shown_title\", expected \"$title\""
fi
if [ "$shown_width" = "$width" ] && [ "$shown_height" = "$height" ]; then
  pass "size is ${shown_width}x${shown_height}"
else
  fail "size is ${shown_width}x${shown_height}, expected ${width}x${height}"
fi

# Lets the first paint reach the server before the picture is taken.
sleep 1
import -silent -window "$window" "$out/before.png" || give_up "could not take the first screenshot"
colours=$(convert "$out/before.png" -format '%k' info:)
if [ "${colours:-0}" -gt 16 ]; then
  pass "the window is drawn ($colours colours)"
else
  fail "the window looks blank ($colours colours)"
fi

xdotool mousemove --window "$window" "$start_x" "$start_y" click 1
# The pointer leaves the button so that its hover shading does not count as
# a change.
xdotool mousemove --window "$window" 10 300
sleep 2
import -silent -window "$window" "$out/after.png" || give_up "could not take the second screenshot"

# Number of pixels inside BOX that differ by more than FUZZ between the two
# screenshots.
pixels_changed() {
  local box=$1 name=$2 fuzz=$3
  convert "$out/before.png" -crop "$box" +repage "$out/$name-before.png"
  convert "$out/after.png" -crop "$box" +repage "$out/$name-after.png"
  # compare prints the count on standard error and exits 1 when they differ.
  compare -metric AE -fuzz "$fuzz" "$out/$name-before.png" "$out/$name-after.png" null: 2>&1 >/dev/null
}
# The button's text counts, not the slight shading it gains with the focus;
# the pale bars differ from the ground by less than that, so the chart is
# compared exactly.
start_changed=$(pixels_changed "$start_box" start-button 25%)
chart_changed=$(pixels_changed "$chart_box" chart 0)
if [[ "$start_changed" =~ ^[0-9]+$ ]] && [ "$start_changed" -gt 0 ]; then
  pass "the Start button's caption changed after the click ($start_changed pixels)"
else
  fail "the Start button looks the same after the click ($start_changed)"
fi
if [[ "$chart_changed" =~ ^[0-9]+$ ]] && [ "$chart_changed" -gt 0 ]; then
  pass "the chart changed while counting ($chart_changed pixels)"
else
  fail "the chart looks the same after 2 s of counting ($chart_changed)"
fi

# Asks the window to close as a window manager does, with WM_DELETE_WINDOW;
# the program ends when its last window closes.
/usr/bin/python3 - "$window" <<'PY' || fail "could not send WM_DELETE_WINDOW"
import sys
from Xlib import X, display
from Xlib.protocol import event

d = display.Display()
window = d.create_resource_object("window", int(sys.argv[1]))
delete = d.intern_atom("WM_DELETE_WINDOW")
if delete not in (window.get_wm_protocols() or []):
    sys.exit("the window does not take WM_DELETE_WINDOW")
message = event.ClientMessage(window=window, client_type=d.intern_atom("WM_PROTOCOLS"),
                              data=(32, [delete, X.CurrentTime, 0, 0, 0]))
window.send_event(message, event_mask=X.NoEventMask)
d.flush()
PY

for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  fail "the program still runs 10 s after its window was closed"
else
  wait "$pid"
  status=$?
  pid=
  if [ "$status" -eq 0 ]; then
    pass "the program exited with status 0 when its window closed"
  else
    fail "the program exited with status $status when its window closed (output in $out/tessel-demo.log)"
  fi
fi

if [ "$failures" -eq 0 ]; then
  echo "PASS: window check (screenshots in $out)"
  exit 0
fi
echo "FAIL: window check ($failures failure(s); screenshots in $out)"
exit 1
