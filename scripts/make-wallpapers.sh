#!/usr/bin/env bash
# Draws the wallpapers again into resources/wallpapers/ (the committed ones):
# builds the small generator in scripts/wallpapers/ with the compiler and
# libraries scripts/setup.sh installs, and runs it. Not part of the build or
# the tests; run it only to change the pictures.
#   bash scripts/make-wallpapers.sh [QUALITY]   (HEVC quality 0-100, default 60)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
tool="$(mktemp -d)"
trap 'rm -rf "$tool"' EXIT
g++ -std=c++20 -O2 -fPIC "$root/scripts/wallpapers/WallpaperGenerator.cpp" -o "$tool/generate" \
  $(pkg-config --cflags --libs Qt6Gui libheif)
mkdir -p "$root/resources/wallpapers"
QT_QPA_PLATFORM=offscreen "$tool/generate" "$root/resources/wallpapers" "${1:-60}"
