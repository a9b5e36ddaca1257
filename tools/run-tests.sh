#!/usr/bin/env bash
# Builds the project and runs every test: a format check, the whole suite with
# warnings as errors, the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, the browser version (tools/build-web.sh), then
# each fuzz target with a fixed seed for a fixed count of runs, so that every
# run passes or fails alike. Installs what it needs on a fresh Debian machine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/ensure-packages.sh cmake ninja-build g++ clang-format \
  libgtest-dev libbenchmark-dev qt6-base-dev fonts-liberation locales \
  xvfb xauth x11-utils xdotool imagemagick python3 python3-xlib nlohmann-json3-dev \
  libfast-float-dev libfmt-dev clang libclang-rt-14-dev librsvg2-bin help2man \
  desktop-file-utils appstream dpkg-dev file shared-mime-info gettext qt6-translations-l10n

# A locale whose decimal separator is the comma, for the number-reading tests.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  if [ "$(id -u)" -eq 0 ]; then
    echo "==> Generating the de_DE.UTF-8 locale for the comma-separator tests"
    localedef -i de_DE -f UTF-8 de_DE.UTF-8
  else
    echo "==> de_DE.UTF-8 is missing and needs root to generate; its test will be skipped"
  fi
fi

echo "==> Checking the formatting of the C++ sources"
git ls-files -- '*.cpp' '*.h' | xargs -r clang-format --dry-run --Werror

jobs=$(nproc)
passed=0
for preset in ci asan; do
  echo "==> Building the '$preset' preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "==> Running every test in the '$preset' build"
  ctest_log="build/$preset/ctest-summary.log"
  ctest --preset "$preset" -j "$jobs" | tee "$ctest_log"
  ran=$(grep -Eo 'tests failed out of [0-9]+' "$ctest_log" | grep -Eo '[0-9]+$' || echo 0)
  passed=$((passed + ran))
done

# The browser version: the core in WebAssembly under node, the number
# probes compared, and the page in chromium.
bash tools/build-web.sh
for log in build/web-core/ctest-summary.log build/web-core/page-tests.log; do
  ran=$(grep -Eo '(tests failed out of|^# pass) [0-9]+' "$log" | grep -Eo '[0-9]+$' | tail -n 1 || echo 0)
  passed=$((passed + ran))
done

bash tools/run-fuzzers.sh
echo "==> All tests passed in the native, sanitizer and browser builds, and no fuzz target found a fault"
echo "tests: $passed passed, 0 failed"
