#!/usr/bin/env bash
# Installs the Debian 12 or 13 packages the program needs to be built and run; with --tests
# also those its tests, benchmarks and package checks need.
#   scripts/install-deps.sh           what scripts/run.sh needs
#   scripts/install-deps.sh --tests   what scripts/test.sh needs
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

# The names below are those of Debian 12 (bookworm) and 13 (trixie); elsewhere some would
# be missing or mean something else.
release="$( . /etc/os-release 2>/dev/null && echo "${ID:-}-${VERSION_ID:-}" || true)"
case "$release" in
  debian-12 | debian-13) ;;
  *)
    echo "$0: this installs Debian 12 (bookworm) or Debian 13 (trixie) packages;" >&2
    echo "this system is $( . /etc/os-release 2>/dev/null && echo "${PRETTY_NAME:-}" || echo "not one that names itself in /etc/os-release")." >&2
    echo "On another system install the same programs and libraries (listed in $0) by hand." >&2
    exit 1
    ;;
esac

# Building and running the program.
PACKAGES=(
  build-essential cmake pkg-config ninja-build
  qtbase5-dev qtbase5-dev-tools libqt5svg5-dev libqt5opengl5-dev
  qtmultimedia5-dev qttools5-dev qttools5-dev-tools
  libopencv-core-dev libopencv-imgproc-dev
  libavformat-dev libavcodec-dev libavdevice-dev libavfilter-dev libavutil-dev
  libswscale-dev libswresample-dev
  libuvc-dev libusb-1.0-0-dev libturbojpeg0-dev libudev-dev libxcb1-dev
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev libpipewire-0.3-dev libpulse-dev
  # CPack reads the program's library dependencies with it (scripts/package.sh)
  file
  # Loaded at run time, as the package's Depends and Recommends say
  # (packaging/CMakeLists.txt tells why each is there).
  libqt5multimedia5-plugins qt5-image-formats-plugins
  gstreamer1.0-plugins-base gstreamer1.0-pipewire
  gstreamer1.0-plugins-good gstreamer1.0-plugins-bad xdg-utils
  qttranslations5-l10n fonts-noto-cjk
)

# What the tests need in addition.
TEST_PACKAGES=(
  libbenchmark-dev
  ffmpeg
  xvfb xauth libgl1-mesa-dri libglx-mesa0
  # two window managers for the tests that run the program as on a desktop, and xrandr
  # for their two monitors
  openbox xfwm4 wmctrl x11-xserver-utils
  mutter
  pulseaudio
  # the simulated camera's RTSP server
  gstreamer1.0-rtsp gir1.2-gst-rtsp-server-1.0 python3-gi
  gstreamer1.0-plugins-ugly gstreamer1.0-libav gstreamer1.0-tools
  # A headless Wayland desktop for the screen-recording tests: compositor, X server,
  # screen-cast portal and PipeWire (xhost, of x11-xserver-utils above, lets the tests'
  # X clients in).
  sway xwayland xdg-desktop-portal xdg-desktop-portal-wlr pipewire wireplumber grim
  dbus-daemon
  # Qt's native Wayland platform, which Qt 5 takes by default on such a desktop
  qtwayland5
  fonts-dejavu-core
  dpkg-dev desktop-file-utils xdotool lintian
  appstream # the package test validates the AppStream metainfo with appstreamcli
  # xprop: the X-server test marks each server's root window
  x11-utils
  # libFuzzer's runtime is only recommended by clang, and recommendations are not
  # installed below: without it the fuzz test could not link its targets. Both names
  # follow the release's default clang.
  clang libclang-rt-dev
)

case "${1:-}" in
  "") ;;
  --tests) PACKAGES+=("${TEST_PACKAGES[@]}") ;;
  *) echo "usage: $0 [--tests]" >&2; exit 2 ;;
esac

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
