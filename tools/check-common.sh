# What the check scripts share, sourced by them: PASS and FAIL lines with a
# count of failures, and deadlines on the clock for polling.
failures=0
pass() { echo "PASS: $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
# The clock in seconds, and deadlines on it.
now() { date +%s.%N; }
before() { awk -v d="$1" -v n="$(now)" 'BEGIN { exit !(n < d) }'; }
deadline_in() { awk -v n="$(now)" -v s="$1" 'BEGIN { printf "%.2f", n + s }'; }
# A window check's program runs as an X window at scale 1, whatever Qt
# settings the caller exports.
use_x11_at_scale_1() {
  export QT_QPA_PLATFORM=xcb
  unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI QT_ENABLE_HIGHDPI_SCALING \
    QT_SCALE_FACTOR_ROUNDING_POLICY QT_AUTO_SCREEN_SCALE_FACTOR QT_USE_PHYSICAL_DPI
}
