#!/usr/bin/env bash
# Runs the real tessel-demo on an X server and checks its window from the
# outside, with standard X tools: the title and size, that clicking "Start"
# turns its caption to "Stop" and makes the chart count, and that closing the
# window the way a window manager does ends the program with status 0.
#
#   tools/check-window-x11.sh PATH/TO/tessel-demo PATH/TO/window_geometry OUT-DIR
#
# window_geometry prints where the window's parts stand, from the layout the
# view draws with. Uses the X server in DISPLAY; without one it starts its own
# with xvfb-run. The program runs on X at scale 1 whatever the caller's Qt
# settings. Waits by polling with deadlines; on failure it prints the
# program's own output. Screenshots, their crops and that output go to OUT-DIR.
set -uo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 PATH/TO/tessel-demo PATH/TO/window_geometry OUT-DIR" >&2
  exit 2
fi
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
fi

program=$1
geometry_tool=$2
out=$3

# The window must be an X window at its design size, whatever the caller set.
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI QT_ENABLE_HIGHDPI_SCALING \
  QT_SCALE_FACTOR_ROUNDING_POLICY QT_AUTO_SCREEN_SCALE_FACTOR QT_USE_PHYSICAL_DPI

failures=0
pass() { echo "PASS: $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
show_output() {
  if [ -s "$out/tessel-demo.log" ]; then
    echo "--- tessel-demo's output:"
    cat "$out/tessel-demo.log"
    echo "---"
  fi
}
give_up() {
  fail "$*"
  show_output
  echo "FAIL: window check stopped early ($failures failure(s))"
  exit 1
}
# The clock in seconds, and deadlines on it.
now() { date +%s.%N; }
before() { awk -v d="$1" -v n="$(now)" 'BEGIN { exit !(n < d) }'; }
deadline_in() { awk -v n="$(now)" -v s="$1" 'BEGIN { printf "%.2f", n + s }'; }

for tool in xdotool xwininfo import convert compare; do
  command -v "$tool" >/dev/null || give_up "$tool is not installed"
done
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || give_up "python3-xlib is not installed"
[ -x "$program" ] || give_up "no program at $program"
[ -x "$geometry_tool" ] || give_up "no window_geometry at $geometry_tool"
layout=$("$geometry_tool") || give_up "window_geometry failed"
eval "$layout"

mkdir -p "$out"
rm -f "$out"/*.png "$out"/tessel-demo.log

if ! xwininfo -root >/dev/null 2>"$out/display.err"; then
  give_up "cannot use the X display \"$DISPLAY\": $(head -n 1 "$out/display.err")"
fi

pid=
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null
    local until
    until=$(deadline_in 5)
    while kill -0 "$pid" 2>/dev/null && before "$until"; do sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
  fi
}
trap cleanup EXIT

"$program" >"$out/tessel-demo.log" 2>&1 &
pid=$!

window=
until=$(deadline_in 20)
while [ -z "$window" ] && before "$until"; do
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    status=$?
    pid=
    give_up "tessel-demo exited with status $status before its window appeared"
  fi
  window=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1)
  [ -n "$window" ] || sleep 0.1
done
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

# Waits for the first paint to reach the server: a blank window has only a
# few colours.
colours=0
until=$(deadline_in 10)
while before "$until"; do
  import -silent -window "$window" "$out/before.png" || give_up "could not take the first screenshot"
  colours=$(convert "$out/before.png" -format '%k' info:)
  [ "${colours:-0}" -gt 16 ] && break
  sleep 0.1
done
if [ "${colours:-0}" -gt 16 ]; then
  pass "the window is drawn ($colours colours)"
else
  fail "the window looks blank ($colours colours)"
fi

xdotool mousemove --window "$window" "$start_x" "$start_y" click 1
# The pointer leaves the button so that its hover shading does not count as
# a change.
xdotool mousemove --window "$window" 10 300

# Number of pixels inside BOX that differ by more than FUZZ between the
# first screenshot and the latest.
pixels_changed() {
  local box=$1 name=$2 fuzz=$3
  convert "$out/before.png" -crop "$box" +repage "$out/$name-before.png"
  convert "$out/after.png" -crop "$box" +repage "$out/$name-after.png"
  # compare prints the count on standard error and exits 1 when they differ.
  compare -metric AE -fuzz "$fuzz" "$out/$name-before.png" "$out/$name-after.png" null: 2>&1 >/dev/null
}
changed() { [[ "$1" =~ ^[0-9]+$ ]] && [ "$1" -gt 0 ]; }
# The button's text counts, not the slight shading it gains with the focus;
# the pale bars differ from the ground by less than that, so the chart is
# compared exactly. Polls until both have changed.
until=$(deadline_in 10)
while before "$until"; do
  import -silent -window "$window" "$out/after.png" || give_up "could not take the second screenshot"
  start_changed=$(pixels_changed "$start_box" start-button 25%)
  chart_changed=$(pixels_changed "$chart_box" chart 0)
  changed "$start_changed" && changed "$chart_changed" && break
  sleep 0.2
done
if changed "$start_changed"; then
  pass "the Start button's caption changed after the click ($start_changed pixels)"
else
  fail "the Start button looks the same 10 s after the click ($start_changed)"
fi
if changed "$chart_changed"; then
  pass "the chart changed while counting ($chart_changed pixels)"
else
  fail "the chart looks the same after 10 s of counting ($chart_changed)"
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

until=$(deadline_in 10)
while kill -0 "$pid" 2>/dev/null && before "$until"; do sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
  fail "the program still runs 10 s after its window was closed"
else
  wait "$pid"
  status=$?
  pid=
  if [ "$status" -eq 0 ]; then
    pass "the program exited with status 0 when its window closed"
  else
    fail "the program exited with status $status when its window closed"
  fi
fi

if [ "$failures" -eq 0 ]; then
  echo "PASS: window check (screenshots in $out)"
  exit 0
fi
show_output
echo "FAIL: window check ($failures failure(s); screenshots in $out)"
exit 1
