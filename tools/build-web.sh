#!/usr/bin/env bash
# Builds the browser build of the core (the 'web' preset: toolkit, chain,
# display and window compiled by Debian's em++ to WebAssembly) and runs its
# tests under node; then checks that the browser build reads and writes
# numbers byte for byte as the native one does (the 'web-compare' preset).
# Installs what it needs on a fresh Debian machine; safe to run again.
#
#   tools/build-web.sh            TESSEL_JOBS=N sets the parallel jobs (all cores)
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/ensure-packages.sh cmake ninja-build g++ python3 emscripten nodejs \
  libgtest-dev nlohmann-json3-dev libfast-float-dev libfmt-dev

jobs="${TESSEL_JOBS:-$(nproc)}"

echo "==> Building the 'web' preset (build/web-core)"
started=$SECONDS
cmake --preset web >/dev/null
cmake --build --preset web -j "$jobs"
echo "==> Built in $((SECONDS - started))s; running its tests under node"
ctest --preset web -j "$jobs"

echo "==> Comparing the number probes of the native and the browser builds"
cmake --preset web-compare >/dev/null
cmake --build --preset web-compare -j "$jobs"
ctest --preset web-compare

# The page itself will be built here, from build/web-core's libraries.

echo "==> The browser build passed its tests and reads and writes numbers as the native one"
