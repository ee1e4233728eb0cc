#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor on the simulated Morvantide100.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
exec build/mv100-editor-sim "$@"
