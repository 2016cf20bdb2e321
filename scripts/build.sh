#!/usr/bin/env bash
# Configures and builds the project into build/ (or $PLYX_BUILD_DIR).
# PLYX_JOBS=N limits the parallel jobs (default: every core).
# PLYX_SANITIZE=1 builds with address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${PLYX_BUILD_DIR:-build}"
SAN=OFF
if [ "${PLYX_SANITIZE:-0}" = "1" ]; then SAN=ON; BUILD_DIR="${PLYX_BUILD_DIR:-build-san}"; fi
LAUNCHER=()
if command -v ccache >/dev/null 2>&1; then LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B "$BUILD_DIR" -G Ninja -DPLYX_SANITIZE=$SAN "${LAUNCHER[@]}" "$@" >/dev/null
cmake --build "$BUILD_DIR" -j "${PLYX_JOBS:-$(nproc)}"
