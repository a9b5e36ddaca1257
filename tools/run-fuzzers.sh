#!/usr/bin/env bash
# Builds the libFuzzer targets (the 'fuzz' preset: clang, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for SECONDS seconds (default 60)
# on a scratch copy of its seed corpus in fuzz/corpus, which stays untouched.
# Prints one line per target; exits non-zero if any target finds a fault,
# keeping the input that shows it under build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 [SECONDS]   (a whole number of seconds per target, default 60)" >&2
  exit 2
fi
targets=(fuzz_leading_number fuzz_strict_number fuzz_event_stream)

echo "==> Building the 'fuzz' preset"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
findings="$PWD/build/fuzz/findings"
mkdir -p "$findings"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

echo "==> Running each fuzz target for ${seconds}s"
status=0
for target in "${targets[@]}"; do
  corpus="$scratch/$target"
  log="$scratch/$target.log"
  mkdir -p "$corpus"
  cp fuzz/corpus/"$target"/* "$corpus"/
  # The event stream reads events and random numbers from its input: a fixed
  # length, with no slow growth from short inputs, lets every input carry a
  # long stream from the start.
  extra=()
  if [ "$target" = fuzz_event_stream ]; then extra=(-max_len=1024 -len_control=0); fi
  if "build/fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      "${extra[@]}" -artifact_prefix="$findings/$target-" "$corpus" >"$log" 2>&1; then
    runs="$(grep -Eo '^Done [0-9]+ runs' "$log" | grep -Eo '[0-9]+' | tail -n 1 || true)"
    stats="$(grep -E '^#[0-9]+' "$log" | tail -n 1 | grep -Eo 'cov: [0-9]+ ft: [0-9]+|exec/s: [0-9]+' |
      paste -sd ' ' - || true)"
    echo "$target: ok, ${runs:-?} runs in ${seconds}s, ${stats:-no coverage figures}"
  else
    rc=$?
    status=1
    artifact="$(grep -Eo "$findings/$target-[^ ]+" "$log" | tail -n 1 || true)"
    echo "$target: FAILED (exit $rc), input kept as ${artifact:-<none>}"
    grep -m 3 -E 'PROPERTY VIOLATED|runtime error|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)' \
      "$log" | sed 's/^/    /' || true
    echo "    end of its log:"
    tail -n 30 "$log" | sed 's/^/    /'
  fi
done
exit "$status"
