#!/usr/bin/env bash
# Installs what is missing, builds, and runs the system.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
BUILD_DIR="${PLYX_BUILD_DIR:-build}"
exec "$BUILD_DIR/widgets/PlyxWidgets" "$@"
