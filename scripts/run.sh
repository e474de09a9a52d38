#!/usr/bin/env bash
# Installs what is needed, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target ratewright-chart

# Until the desktop window exists, show the chart for the values the window starts with.
exec build/tools/ratewright-chart/ratewright-chart chart 100000 25 8.75 3 3
