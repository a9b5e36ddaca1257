#!/usr/bin/env bash
# Runs the real tessel-demo on an X server and checks its window from the
# outside, with standard X tools: the title and size, that clicking "Start"
# turns its caption to "Stop" and makes the chart count, and that closing the
# window the way a window manager does ends the program with status 0. Then,
# on a second run, the window maximised to the whole screen: the form fills
# the screen's height, a click on the scaled "Start" starts counting and the
# "Pause" button's key freezes the token.
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
  exec xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" bash "$0" "$@"
fi

program=$1
geometry_tool=$2
out=$3


# shellcheck source=tools/check-common.sh
source "$(dirname "$0")/check-common.sh"
use_x11_at_scale_1
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
# The program keeps its window's geometry in its settings: start from none.
export XDG_CONFIG_HOME="$out/config"
rm -rf "$XDG_CONFIG_HOME"

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

# ---------------------------------------------------------------------------
# The window maximised on the whole screen.

# The colour of pixel X,Y in IMAGE as "R,G,B".
pixel_at() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Design pixels X Y of the form to screen pixels, at the form's scale.
scaled() {
  awk -v s="$scale" -v ox="$origin_x" -v oy="$origin_y" -v x="$1" -v y="$2" \
    'BEGIN { printf "%d %d\n", ox + x * s, oy + y * s }'
}

# Design box WxH+X+Y to a screen box of the same form.
scaled_box() {
  awk -v s="$scale" -v ox="$origin_x" -v oy="$origin_y" -v box="$1" 'BEGIN {
    split(box, part, /[x+]/)
    printf "%dx%d+%d+%d\n", part[1] * s, part[2] * s, ox + part[3] * s, oy + part[4] * s }'
}

# Pixels inside screen BOX that differ by more than FUZZ between two images.
box_changed() {
  local before=$1 after=$2 box=$3 fuzz=$4
  convert "$before" -crop "$box" +repage "$out/box-before.png"
  convert "$after" -crop "$box" +repage "$out/box-after.png"
  compare -metric AE -fuzz "$fuzz" "$out/box-before.png" "$out/box-after.png" null: 2>&1 >/dev/null
}

# Takes screenshots of the whole screen into FILE until COMMAND... succeeds,
# for at most 10 s; fails when it never does.
screenshot_until() {
  local file=$1
  shift
  for _ in $(seq 40); do
    import -silent -window root "$file" || return 1
    "$@" && return 0
    sleep 0.25
  done
  return 1
}

check_maximised_window() {
  local root screen_width screen_height
  root=$(xwininfo -root)
  screen_width=$(awk '/^ *Width:/ { print $2 }' <<<"$root")
  screen_height=$(awk '/^ *Height:/ { print $2 }' <<<"$root")

  "$program" >>"$out/tessel-demo.log" 2>&1 &
  pid=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1)
  [ -n "$window" ] || give_up "no visible window named \"$title\" on the second run"

  # Xvfb has no window manager, so the check does what one does to maximise
  # a window: it moves it to the corner and gives it the whole screen.
  xdotool windowmove "$window" 0 0 windowsize "$window" "$screen_width" "$screen_height"
  local shown_width="" shown_height=""
  for _ in $(seq 50); do
    info=$(xwininfo -id "$window")
    shown_width=$(awk '/^ *Width:/ { print $2 }' <<<"$info")
    shown_height=$(awk '/^ *Height:/ { print $2 }' <<<"$info")
    [ "$shown_width" = "$screen_width" ] && [ "$shown_height" = "$screen_height" ] && break
    sleep 0.1
  done
  if [ "$shown_width" = "$screen_width" ] && [ "$shown_height" = "$screen_height" ]; then
    pass "maximised window is ${shown_width}x${shown_height}"
  else
    give_up "maximised window is ${shown_width}x${shown_height}, not ${screen_width}x${screen_height}"
  fi

  # The form, $width x $height design pixels (the client area and the status
  # strip), is scaled uniformly to the largest size that fits and centred.
  read -r scale origin_x origin_y < <(awk -v w="$shown_width" -v h="$shown_height" \
    -v fw="$width" -v fh="$height" 'BEGIN {
    s = (w / fw < h / fh) ? w / fw : h / fh
    printf "%.6f %.3f %.3f\n", s, (w - fw * s) / 2, (h - fh * s) / 2 }')
  local form_height
  form_height=$(awk -v s="$scale" -v fh="$height" 'BEGIN { printf "%d", fh * s + 0.5 }')
  if [ "$form_height" -ge $((screen_height - 1)) ]; then
    pass "the form is to be $form_height pixels high on a $screen_height-pixel screen (scale $scale)"
  else
    fail "the form would be only $form_height pixels high on a $screen_height-pixel screen"
  fi

  # Reference pixels where the scaled layout puts them: the Blue circle's
  # fill, the Blue bar, the horizontal axis and an arrow-head stroke. The
  # first one shows that the scaled form has been painted.
  local x y colour
  read -r x y < <(scaled 52 112)
  painted() { [ "$(pixel_at "$out/maximised.png" "$x" "$y")" = "192,192,255" ]; }
  screenshot_until "$out/maximised.png" painted || fail "the scaled form was not painted within 10 s"
  for probe in "52 112 192,192,255 the Blue circle's fill" \
    "488 320 192,192,255 the Blue bar" \
    "600 464 0,0,0 the chart's horizontal axis" \
    "216.5 40.5 64,64,64 an arrow head"; do
    read -r dx dy expected what <<<"$probe"
    read -r x y < <(scaled "$dx" "$dy")
    colour=$(pixel_at "$out/maximised.png" "$x" "$y")
    if [ "$colour" = "$expected" ]; then
      pass "$what is at $x,$y, where the scaled layout puts it"
    else
      fail "$what: pixel $x,$y is $colour, expected $expected"
    fi
  done
  # The status strip's text stands at the form's bottom, at the bottom of the
  # screen.
  local strip_colours
  strip_colours=$(convert "$out/maximised.png" -crop "$(scaled_box "$strip_box")" +repage -format '%k' info:)
  if [ "${strip_colours:-0}" -gt 8 ]; then
    pass "the status strip's text shows at the bottom of the screen ($strip_colours colours)"
  else
    fail "the status strip at the bottom of the screen looks empty ($strip_colours colours)"
  fi

  # A click on the scaled "Start" turns it into "Stop" and makes the chart
  # count. The pointer then leaves the button, so that its hover shading
  # does not count as a change.
  local scaled_start scaled_chart scaled_pause
  scaled_start=$(scaled_box "$start_box")
  scaled_chart=$(scaled_box "$chart_box")
  scaled_pause=$(scaled_box "$pause_box")
  read -r x y < <(scaled "$start_x" "$start_y")
  xdotool mousemove "$x" "$y" click 1
  read -r x y < <(scaled 300 250)
  xdotool mousemove "$x" "$y"
  counting() {
    [ "$(box_changed "$out/maximised.png" "$out/counting.png" "$scaled_start" 25%)" -gt 0 ] &&
      [ "$(box_changed "$out/maximised.png" "$out/counting.png" "$scaled_chart" 0)" -gt 0 ]
  }
  if screenshot_until "$out/counting.png" counting; then
    pass "a click on the scaled Start started counting: its caption and the chart changed"
  else
    fail "the scaled Start button or the chart looked the same for 10 s after the click"
  fi

  # The key P, the "Pause" button's, turns it into "Cont" and freezes the
  # token: nothing on the screen changes any more.
  xdotool windowfocus --sync "$window" key p
  paused() { [ "$(box_changed "$out/counting.png" "$out/paused-1.png" "$scaled_pause" 25%)" -gt 0 ]; }
  if screenshot_until "$out/paused-1.png" paused; then
    pass "the key P turned \"Pause\" into \"Cont\""
  else
    fail "the Pause button looked the same for 10 s after the key P"
  fi
  # Not a wait but the span watched: 1.5 s is 37 ticks of the timer.
  sleep 1.5
  import -silent -window root "$out/paused-2.png" || give_up "could not take a screenshot"
  local changed
  changed=$(compare -metric AE "$out/paused-1.png" "$out/paused-2.png" null: 2>&1 >/dev/null)
  if [ "$changed" = "0" ]; then
    pass "nothing moved in the 1.5 s after the key P"
  else
    fail "the window still changed after the key P ($changed pixels in 1.5 s)"
  fi

  # At "Max" (the key + six times) the window runs thousands of ticks a
  # frame; P still freezes everything at once.
  xdotool windowfocus --sync "$window" key p
  for _ in 1 2 3 4 5 6; do xdotool windowfocus --sync "$window" key plus; done
  cp "$out/paused-2.png" "$out/fast-0.png"
  fast() { [ "$(box_changed "$out/fast-0.png" "$out/fast-1.png" "$scaled_chart" 0)" -gt 0 ]; }
  if screenshot_until "$out/fast-1.png" fast; then
    pass "the chart counts again at Max"
  else
    fail "the chart looked the same for 10 s after Cont at Max"
  fi
  xdotool windowfocus --sync "$window" key p
  fast_paused() { [ "$(box_changed "$out/fast-1.png" "$out/fast-2.png" "$scaled_pause" 25%)" -gt 0 ]; }
  screenshot_until "$out/fast-2.png" fast_paused || fail "the key P did not pause at Max"
  sleep 1.5
  import -silent -window root "$out/fast-3.png" || give_up "could not take a screenshot"
  changed=$(compare -metric AE "$out/fast-2.png" "$out/fast-3.png" null: 2>&1 >/dev/null)
  if [ "$changed" = "0" ]; then
    pass "nothing moved in the 1.5 s after the key P at Max"
  else
    fail "the window still changed after the key P at Max ($changed pixels in 1.5 s)"
  fi

  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pid=
}
check_maximised_window

if [ "$failures" -eq 0 ]; then
  echo "PASS: window check (screenshots in $out)"
  exit 0
fi
show_output
echo "FAIL: window check ($failures failure(s); screenshots in $out)"
exit 1
