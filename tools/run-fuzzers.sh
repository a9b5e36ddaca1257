#!/usr/bin/env bash
# Builds the libFuzzer targets (the 'fuzz' preset: clang, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each on a scratch copy of its seed
# corpus in fuzz/corpus, which stays untouched.
#
#   tools/run-fuzzers.sh                      fixed seed, fixed count of runs:
#                                             the same result on every run
#   tools/run-fuzzers.sh --seconds S [--seed N] [TARGET...]
#                                             S seconds each, seed N or random
#
# Prints one line per target; exits non-zero if any target finds a fault,
# keeping the input that shows it under build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  echo "usage: $0 [--seconds S [--seed N]] [TARGET...]" >&2
  exit 2
}

seconds=""
seed=""
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) [ $# -ge 2 ] && [[ "$2" =~ ^[1-9][0-9]*$ ]] || usage; seconds="$2"; shift 2 ;;
    --seed) [ $# -ge 2 ] && [[ "$2" =~ ^[0-9]+$ ]] || usage; seed="$2"; shift 2 ;;
    -*) usage ;;
    *) targets+=("$1"); shift ;;
  esac
done
if [ -z "$seed" ]; then
  if [ -n "$seconds" ]; then seed="$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')"; else seed=1; fi
fi

# Each target's count of runs in the fixed mode: about 20 seconds of it on
# this project's two-core machines.
declare -A fixed_runs=(
  [fuzz_leading_number]=1500000
  [fuzz_strict_number]=1500000
  [fuzz_event_stream]=20000
  [fuzz_long_run]=600000
  [fuzz_chain_file]=200000
  [fuzz_run_options]=200000
)
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_leading_number fuzz_strict_number fuzz_event_stream fuzz_long_run fuzz_chain_file
    fuzz_run_options)
fi
for target in "${targets[@]}"; do
  [ -n "${fixed_runs[$target]:-}" ] || { echo "unknown fuzz target: $target" >&2; exit 2; }
done

echo "==> Building the 'fuzz' preset"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
findings="$PWD/build/fuzz/findings"
mkdir -p "$findings"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

if [ -n "$seconds" ]; then
  echo "==> Running each fuzz target for ${seconds}s with seed $seed"
else
  echo "==> Running each fuzz target for a fixed count of runs with seed $seed"
fi
status=0
for target in "${targets[@]}"; do
  corpus="$scratch/$target"
  log="$scratch/$target.log"
  mkdir -p "$corpus"
  cp fuzz/corpus/"$target"/* "$corpus"/
  limit=(-runs="${fixed_runs[$target]}")
  [ -n "$seconds" ] && limit=(-max_total_time="$seconds")
  # The event stream reads events and random numbers from its input: a fixed
  # length, with no slow growth from short inputs, lets every input carry a
  # long stream from the start.
  extra=()
  if [ "$target" = fuzz_event_stream ]; then extra=(-max_len=1024 -len_control=0); fi
  started=$SECONDS
  if "build/fuzz/fuzz/$target" -seed="$seed" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 \
      "${extra[@]}" -artifact_prefix="$findings/$target-" "$corpus" >"$log" 2>&1; then
    runs="$(grep -Eo '^Done [0-9]+ runs' "$log" | grep -Eo '[0-9]+' | tail -n 1 || true)"
    stats="$(grep -E '^#[0-9]+' "$log" | tail -n 1 | grep -Eo 'cov: [0-9]+ ft: [0-9]+|corp: [0-9]+' |
      paste -sd ' ' - || true)"
    if [ -n "$seconds" ]; then
      echo "$target: ok, ${runs:-?} runs in $((SECONDS - started))s, ${stats:-no coverage figures}"
    else
      # libFuzzer's coverage figures differ a little from run to run even
      # with a fixed seed, so the fixed mode prints only what repeats.
      echo "$target: ok, ${runs:-?} runs"
    fi
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
