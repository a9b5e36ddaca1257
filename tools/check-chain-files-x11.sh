#!/usr/bin/env bash
# Runs the real tessel-demo on an X server with a chain file named on its
# command line, as a file manager opens one, and works it from the outside
# with standard X tools: Esc drops a name's edit, a double-click on an oval
# and Enter rename the state, Ctrl+S saves the chain; the saved file is
# opened again in a second run, which saves it once more, unchanged.
#
#   tools/check-chain-files-x11.sh PATH/TO/tessel-demo PATH/TO/window_geometry CHAIN OUT-DIR
#
# The save path comes from TESSEL_DEMO_SAVE_PATH, so that no dialog is
# driven. Uses the X server in DISPLAY, or starts its own with xvfb-run.
# Waits by polling with deadlines. Screenshots go to OUT-DIR.
set -uo pipefail

if [ $# -ne 4 ]; then
  echo "usage: $0 PATH/TO/tessel-demo PATH/TO/window_geometry CHAIN OUT-DIR" >&2
  exit 2
fi
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi
program=$1
geometry_tool=$2
chain=$3
out=$4

export XDG_CONFIG_HOME="$out/config"

# shellcheck source=tools/check-common.sh
source "$(dirname "$0")/check-common.sh"
use_x11_at_scale_1
give_up() {
  fail "$*"
  [ -s "$out/tessel-demo.log" ] && { echo "--- tessel-demo's output:"; cat "$out/tessel-demo.log"; }
  echo "FAIL: chain file check stopped early"
  exit 1
}

for tool in xdotool import compare python3; do
  command -v "$tool" >/dev/null || give_up "$tool is not installed"
done
layout=$("$geometry_tool") || give_up "window_geometry failed"
eval "$layout"
rm -rf "$out"
mkdir -p "$out"

pid=
stop() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
  pid=
}
trap stop EXIT

# Starts the program on FILE, saving to SAVE, and waits for its window.
start() {
  TESSEL_DEMO_SAVE_PATH="$2" "$program" "$1" >"$out/tessel-demo.log" 2>&1 &
  pid=$!
  window=
  local until
  until=$(deadline_in 20)
  while [ -z "$window" ] && before "$until"; do
    kill -0 "$pid" 2>/dev/null || give_up "tessel-demo ended before its window appeared"
    window=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1)
    [ -n "$window" ] || sleep 0.1
  done
  [ -n "$window" ] || give_up "no window within 20 s"
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
}

# Waits until FILE exists, for at most 10 s.
wait_for_file() {
  local until
  until=$(deadline_in 10)
  while [ ! -s "$1" ] && before "$until"; do sleep 0.1; done
  [ -s "$1" ]
}

# Takes screenshots of the window into FILE until it differs from BEFORE,
# for at most 10 s.
wait_for_change() {
  local until
  until=$(deadline_in 10)
  while before "$until"; do
    import -silent -window "$window" "$2" || return 1
    [ "$(compare -metric AE "$1" "$2" null: 2>&1 >/dev/null)" != "0" ] && return 0
    sleep 0.1
  done
  return 1
}

rename() {  # X Y TEXT KEY: double-click the oval at X,Y, type TEXT, press KEY
  import -silent -window "$window" "$out/before-edit.png"
  xdotool mousemove --window "$window" "$1" "$2" click --repeat 2 --delay 60 1
  # The editor takes the keys once it shows.
  wait_for_change "$out/before-edit.png" "$out/editing.png" || give_up "no name editor appeared"
  xdotool type --delay 20 "$3"
  xdotool key "$4"
}

saved="$out/saved.tessel"
start "$chain" "$saved"
pass "the window opened with $(basename "$chain")"
import -silent -window "$window" "$out/opened.png"
rename "$purple_circle_x" "$purple_circle_y" "Dropped" Escape
rename "$blue_circle_x" "$blue_circle_y" "Hot" Return
import -silent -window "$window" "$out/renamed.png"
xdotool key ctrl+s
wait_for_file "$saved" && pass "Ctrl+S saved the chain" || give_up "nothing was saved within 10 s"

python3 - "$chain" "$saved" <<'PY' && pass "the saved chain has the new name, the old rates" || fail "the saved chain differs"
import json, sys
before, after = (json.load(open(path)) for path in sys.argv[1:])
names = ["Hot"] + before["states"][1:]
assert after["states"] == names, after["states"]
renamed = {k.replace(before["states"][0], "Hot"): v for k, v in before["rates"].items()}
assert after["rates"] == renamed, (after["rates"], renamed)
assert after["title"] == before["title"] and after["format"] == "tessel-chain"
PY
stop

again="$out/saved-again.tessel"
start "$saved" "$again"
import -silent -window "$window" "$out/reopened.png"
xdotool key ctrl+s
wait_for_file "$again" || give_up "the reopened chain was not saved within 10 s"
if cmp -s "$saved" "$again"; then
  pass "the reopened chain saves to the very same file"
else
  fail "the reopened chain saved differently: $(diff "$saved" "$again" | head -n 5)"
fi
stop

if [ "$failures" -eq 0 ]; then
  echo "PASS: chain file check (screenshots in $out)"
  exit 0
fi
echo "FAIL: chain file check ($failures failure(s); screenshots in $out)"
exit 1
