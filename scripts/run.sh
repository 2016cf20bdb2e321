#!/usr/bin/env bash
# Installs what is missing and builds. With a display, starts the desktop
# host PlyxWidgets (the placed widgets; one per session, so a running one is
# kept) and the application Plyx (its tray item and main window); without
# one, renders every declared
# widget from its live timeline into a folder of PNGs (build/widget-pngs, or
# $PLYX_PNG_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
BUILD_DIR="${PLYX_BUILD_DIR:-build}"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  # A second host says so and exits at once; its output is not needed.
  "$BUILD_DIR/widgets/PlyxWidgets" >/dev/null 2>&1 &
  exec "$BUILD_DIR/app/Plyx" "$@"
fi

HOST="$BUILD_DIR/widgets/PlyxWidgets"
OUT="${PLYX_PNG_DIR:-$BUILD_DIR/widget-pngs}"
mkdir -p "$OUT"
OUT="$(cd "$OUT" && pwd)"

kinds=$("$HOST" --list | cut -f1)

# Load and throughput are averages since the previous reading, which the
# first render of a fresh install does not have yet: take one reading, wait,
# and render again so the pictures show this computer's real figures.
for kind in $kinds; do
  "$HOST" --render "$kind" --mode timeline --out "$OUT/$kind.png" >/dev/null
done
sleep 2
for kind in $kinds; do
  "$HOST" --render "$kind" --mode timeline --out "$OUT/$kind.png"
done
echo "widgets rendered into $OUT"
