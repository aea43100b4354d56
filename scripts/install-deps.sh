#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test the program (clang
# builds the fuzz targets the tests run).
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config ninja-build
  qtbase5-dev qtbase5-dev-tools libqt5svg5-dev libqt5opengl5-dev
  qtmultimedia5-dev libqt5multimedia5-plugins qttools5-dev qttools5-dev-tools
  libqt5sql5-sqlite qt5-image-formats-plugins qttranslations5-l10n
  libopencv-dev
  libavformat-dev libavcodec-dev libavdevice-dev libavfilter-dev libavutil-dev
  libswscale-dev libswresample-dev
  libuvc-dev libusb-1.0-0-dev libturbojpeg0-dev libjpeg62-turbo-dev libudev-dev libxcb1-dev
  libbenchmark-dev
  ffmpeg
  xvfb xauth libgl1-mesa-dri libglx-mesa0
  # two window managers for the tests that run the program as on a desktop, and xrandr
  # for their two monitors
  openbox xfwm4 wmctrl x11-xserver-utils
  pulseaudio
  gstreamer1.0-rtsp gir1.2-gst-rtsp-server-1.0 python3-gi gstreamer1.0-plugins-base
  gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly gstreamer1.0-libav
  gstreamer1.0-tools
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev gstreamer1.0-pipewire
  # A headless Wayland desktop for the screen-recording tests: compositor, X server,
  # screen-cast portal and PipeWire (xhost, of x11-xserver-utils above, lets the tests'
  # X clients in).
  sway xwayland xdg-desktop-portal xdg-desktop-portal-wlr pipewire wireplumber grim
  dbus-daemon
  # Qt's native Wayland platform, which Qt 5 takes by default on such a desktop
  qtwayland5
  fonts-dejavu-core fonts-noto-cjk
  dpkg-dev desktop-file-utils xdotool
  # xprop: the X-server test marks each server's root window
  x11-utils
  # libFuzzer's runtime is only recommended by clang, and recommendations are not
  # installed below: without it the fuzz test could not link its targets.
  clang libclang-rt-14-dev
)

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
