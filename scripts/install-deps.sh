#!/usr/bin/env bash
# Installs the Debian packages Tarvelino needs to build, test and run.
# Idempotent: prints nothing and touches nothing when every package is present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libqt6dbus6 libqt6network6
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev gstreamer1.0-tools
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
  gstreamer1.0-plugins-ugly gstreamer1.0-libav gstreamer1.0-x
  libpng-dev zlib1g-dev libjpeg-dev libyuv-dev libxrandr-dev libxcb1-dev libx11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xdg-utils desktop-file-utils shared-mime-info libglib2.0-bin
  dbus-daemon playerctl
  xvfb xauth xdotool x11-apps imagemagick tesseract-ocr tesseract-ocr-eng
  fonts-liberation fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then SUDO=sudo; else
    echo "install-deps: missing packages (${missing[*]}) and not root" >&2
    exit 1
  fi
else
  SUDO=
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq >/dev/null
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
