#!/usr/bin/env bash
# Takes docs/screenshot.png: the demo build under a virtual X server, with the example
# configuration opened through File > Open.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh xvfb xauth imagemagick xdotool
cmake -S . -B build >/dev/null && cmake --build build --target mv100-editor-sim --parallel "$(nproc)"
mkdir -p docs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export MV100_SIM_STATE="$work/sim.state"
export XDG_CONFIG_HOME="$work/config"
export EXAMPLE="$PWD/docs/example-panel.mv100"
xvfb-run -a -s "-screen 0 1100x820x24" bash -c '
    build/mv100-editor-sim &
    pid=$!
    sleep 3
    # No window manager runs here: give the window the keyboard focus by hand.
    xdotool search --sync --name "Morvantide100 Editor" windowfocus --sync
    xdotool key ctrl+o
    sleep 2
    xdotool type --delay 20 "$EXAMPLE"
    xdotool key Return
    sleep 2
    import -window root -crop 1004x742+0+0 docs/screenshot.png
    kill $pid
'
echo "wrote docs/screenshot.png"
