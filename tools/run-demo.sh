#!/usr/bin/env bash
# Builds the demonstration and opens its window. Installs what it needs on a
# fresh Debian machine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/ensure-packages.sh cmake ninja-build g++ qt6-base-dev fonts-liberation librsvg2-bin \
  libgtest-dev libbenchmark-dev nlohmann-json3-dev libfast-float-dev libfmt-dev gettext

echo "==> Building the optimised 'release' preset"
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target tessel-demo

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<MSG
The demonstration is built (build/release/app/tessel-demo), but there is no
display to open its window on. Run this command from a desktop session, or
under a virtual display: xvfb-run -a build/release/app/tessel-demo
MSG
  exit 1
fi
echo "==> Opening the demonstration window"
exec build/release/app/tessel-demo
