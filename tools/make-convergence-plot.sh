#!/usr/bin/env bash
# Remakes docs/convergence.png: "Four Element Queue" counted for 2,000,000
# ticks with seed 1, each state's share traced every 500 ticks beside its
# long-run share, plotted with gnuplot.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/ensure-packages.sh cmake ninja-build g++ qt6-base-dev libgtest-dev libbenchmark-dev \
  gnuplot-nox gettext nlohmann-json3-dev libfast-float-dev libfmt-dev
cmake --preset release >/dev/null
cmake --build --preset release --target tessel-sim

trace=build/release/convergence-trace.csv
build/release/sim/tessel-sim --scenario "Four Element Queue" --ticks 2000000 --seed 1 \
  --trace-every 500 >"$trace"
gnuplot -e "trace='$trace'; output='docs/convergence.png'" docs/convergence.gp
echo "==> Wrote docs/convergence.png from $trace"
