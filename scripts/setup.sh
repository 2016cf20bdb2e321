#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Only what is
# missing is installed, and the package lists are refreshed only then.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libgl-dev
  libsqlite3-dev nlohmann-json3-dev libcurl4-openssl-dev libicu-dev
  libical-dev libheif-dev libx11-dev libxss-dev libxcb1-dev
  libglib2.0-bin gsettings-desktop-schemas heif-gdk-pixbuf
  libgtest-dev libgmock-dev libbenchmark-dev
  dbus dbus-x11 xvfb xauth tzdata locales fonts-dejavu-core
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then SUDO="sudo"; else
    echo "setup: need root or sudo to install: ${missing[*]}" >&2; exit 1
  fi
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
