#!/usr/bin/env bash
# Installs the Debian 12 packages a build needs.
#   scripts/deps.sh          what building and running the application needs
#   scripts/deps.sh tests    that, plus the test tools, the outside checkers and the benchmark peers
# Idempotent: when everything is already installed it returns at once.
set -euo pipefail
SET=${1:-run}

RUN_PACKAGES=(
  # toolchain
  build-essential cmake ninja-build ccache pkg-config
  # Qt 6 and image formats
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins qt6-multimedia-dev
  # the camera: Qt Multimedia's GStreamer back end reads webcams through v4l2src (good set)
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  libgl-dev libxkbcommon-dev
  # libraries
  libplist++-dev libplist-dev libpugixml-dev libexpat1-dev libminizip-dev zlib1g-dev libsqlite3-dev
  libiec16022-dev libspng-dev libpng-dev libopencv-objdetect-dev libopencv-imgproc-dev libopencv-dev opencv-data libssl-dev
  # the resources drawn at build time and the fonts of the shipped templates
  python3 fonts-dejavu-core
  # Help opens the user guide through xdg-open, which hands it to the desktop's PDF viewer
  xdg-utils
)

TEST_PACKAGES=(
  git
  # test and benchmark frameworks
  libgtest-dev libgmock-dev libbenchmark-dev
  # test inputs and outside checkers
  python3-openpyxl python3-xlsxwriter python3-skimage python3-aiosmtpd libplist-utils libxml2-utils sqlite3
  poppler-utils qpdf imagemagick zbar-tools zint zxing-cpp-tools dmtx-utils ghostscript unzip xlsx2csv
  libreoffice-calc-nogui unrtf units
  # a private print queue with a PDF printer
  cups printer-driver-cups-pdf
  # the tests that need a real display and window manager
  xvfb xauth x11-apps x11-utils openbox procps xclip xdotool
  # benchmark peers (linked only into bench/)
  libqrencode-dev libzint-dev libvips-tools
)

case "$SET" in
  run) PACKAGES=("${RUN_PACKAGES[@]}") ;;
  tests) PACKAGES=("${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}") ;;
  *) echo "usage: scripts/deps.sh [run|tests]" >&2; exit 2 ;;
esac

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
