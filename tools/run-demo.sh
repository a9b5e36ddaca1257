#!/usr/bin/env bash
# Builds the demonstration and opens its window. Installs what it needs on a
# fresh Debian machine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/ensure-packages.sh cmake ninja-build g++ qt6-base-dev \
  libgtest-dev libbenchmark-dev

echo "==> Building the optimised 'release' preset"
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"

demo=build/release/app/tessel-demo
if [ ! -x "$demo" ]; then
  cat >&2 <<MSG
The demonstration window is not part of this build yet: the chain core (the
states, the transitions and the draw of the next state) and the control model
are built and tested, while the window itself (window/ and the Qt view in
app/) is still to come. Run tools/run-tests.sh to build and run the tests.
MSG
  exit 1
fi
echo "==> Opening the demonstration window"
exec "$demo"
