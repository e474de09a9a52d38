#!/usr/bin/env bash
# Installs what is needed, builds the program and starts it on the user's display. Without a
# display (DISPLAY unset) it starts the program on a virtual one, takes a screenshot once the
# splash screen has gone, says where the picture is and ends the program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target ratewright >/dev/null
program=build/app/ratewright

if [[ -n ${DISPLAY:-} ]]; then
    exec "$program"
fi

shot=$PWD/build/ratewright-screenshot.png
runtime=$(mktemp -d)
chmod 700 "$runtime"
display=""
for n in $(seq 70 99); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    display=:$n
    break
done
[[ -n $display ]] || { echo "run.sh: no free X display number" >&2; exit 1; }

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do
    DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
DISPLAY=$display openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

echo "No display: running Ratewright Calculator on the virtual display $display."
DISPLAY=$display XDG_RUNTIME_DIR=$runtime "$program" &
app=$!
pids=("$app" "${pids[@]}")
sleep 8 # the splash screen shows for seven seconds
DISPLAY=$display import -window root "$shot"
echo "Screenshot of the main window: $shot"
kill "$app" 2>/dev/null || true
