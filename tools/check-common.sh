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
