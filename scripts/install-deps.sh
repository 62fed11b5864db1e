#!/usr/bin/env bash
# Installs the Debian 12 packages Zembra builds, tests and runs with.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libjpeg62-turbo-dev libpng-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev libgif-dev
  libimagequant-dev python3-pil
  fonts-liberation2 fonts-dejavu-core fontconfig
  clang libclang-rt-14-dev
  ffmpeg strace
  xvfb xauth qt6-qpa-plugins
  libpipewire-0.3-dev
  sway pipewire pipewire-bin wireplumber xdg-desktop-portal xdg-desktop-portal-wlr grim
  dbus dbus-bin dbus-daemon passwd util-linux
  # desktop integration, the Debian package and their checks
  desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl
  dpkg-dev fakeroot file lintian man-db binutils
  # the guide's screenshots and the icons' PNG sizes
  openbox xdotool imagemagick x11-utils librsvg2-bin
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
