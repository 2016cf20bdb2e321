#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, offscreen,
# inside a private D-Bus session.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
BUILD_DIR="${PLYX_BUILD_DIR:-build}"
if [ "${PLYX_SANITIZE:-0}" = "1" ]; then
  BUILD_DIR="${PLYX_BUILD_DIR:-build-san}"
  export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
fi
export QT_QPA_PLATFORM=offscreen
exec dbus-run-session -- ctest --test-dir "$BUILD_DIR" --output-on-failure -j "${PLYX_JOBS:-$(nproc)}" "$@"
