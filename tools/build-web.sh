#!/usr/bin/env bash
# Builds the browser version into build/web/ and tests it:
#   - the 'web' preset compiles toolkit, chain, display and window with
#     Debian's em++ to WebAssembly, runs their tests under node and writes the
#     page: build/web/index.html (with tessel-core.js and .wasm) and the
#     self-contained build/web/tessel-demo.html;
#   - the 'web-compare' preset checks that the browser build reads and writes
#     numbers byte for byte as the native one does, and builds the native
#     tessel-sim that the page's tests compare with;
#   - the page's tests run in Debian's chromium through playwright-core.
# Installs what it needs on a fresh Debian machine; safe to run again.
#
#   tools/build-web.sh            TESSEL_JOBS=N sets the parallel jobs (all cores)
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/ensure-packages.sh cmake ninja-build g++ python3 emscripten nodejs chromium \
  fonts-liberation fonttools python3-brotli libgtest-dev nlohmann-json3-dev \
  libfast-float-dev libfmt-dev gettext librsvg2-bin
command -v npm >/dev/null || bash tools/ensure-packages.sh npm

jobs="${TESSEL_JOBS:-$(nproc)}"

echo "==> Building the 'web' preset (build/web-core) and the page (build/web)"
started=$SECONDS
cmake --preset web >/dev/null
cmake --build --preset web -j "$jobs"
echo "==> Built in $((SECONDS - started))s; running the core's tests under node"
ctest --preset web -j "$jobs" | tee build/web-core/ctest-summary.log

echo "==> Comparing the number and long-run probes of the native and the browser builds"
cmake --preset web-compare >/dev/null
cmake --build --preset web-compare -j "$jobs"
ctest --preset web-compare

echo "==> Testing the page in chromium"
(cd web && npm ci --no-audit --no-fund --loglevel=error)
TESSEL_SIM="$PWD/build/web-compare/sim/tessel-sim" node --test web/tests/ |
  tee build/web-core/page-tests.log

echo "==> The browser build passed its tests; the page is in build/web:"
ls -l build/web
