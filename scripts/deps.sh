#!/usr/bin/env bash
# Installs every Debian 12 package the application, its tests and its benchmarks need.
# Idempotent: when everything is already installed it returns at once.
set -euo pipefail

PACKAGES=(
  # toolchain
  build-essential cmake ninja-build ccache pkg-config git
  # Qt 6 and image formats
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins qt6-multimedia-dev
  # the camera: Qt Multimedia's GStreamer back end reads webcams through v4l2src (good set)
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  libgl-dev libxkbcommon-dev
  # libraries
  libplist++-dev libplist-dev libpugixml-dev libminizip-dev zlib1g-dev libsqlite3-dev sqlite3
  libiec16022-dev libspng-dev libopencv-objdetect-dev libopencv-imgproc-dev libopencv-dev opencv-data libssl-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  python3 python3-openpyxl python3-xlsxwriter python3-skimage python3-aiosmtpd libplist-utils libxml2-utils
  fonts-dejavu-core poppler-utils qpdf imagemagick zbar-tools zint zxing-cpp-tools dmtx-utils
  cups printer-driver-cups-pdf
  xvfb xauth x11-apps x11-utils openbox procps xclip xdotool ghostscript unzip xlsx2csv libreoffice-calc-nogui unrtf
  # benchmark peers (linked only into bench/)
  libqrencode-dev libzint-dev libvips-tools
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
