#!/usr/bin/env bash
# Installs the Debian packages the game needs. Only what is missing is
# installed; with everything present it does nothing.
#   install-deps.sh play   what building and playing need (make run, make install)
#   install-deps.sh test   that, and what the tests, the sanitizer and fuzz runs
#                          and the package build need (make test, make package)
set -euo pipefail

play=(
  cmake make g++ pkg-config
  qt6-base-dev libgl-dev libpulse-dev libsndfile1-dev libjpeg-dev
  fonts-liberation2
)
# Qt's Wayland plugin brings Qt Quick along (about 18 MB): installed for
# playing only where the session is Wayland, and always for the tests.
wayland=(qt6-wayland)
[ -n "${WAYLAND_DISPLAY:-}" ] && play+=("${wayland[@]}")
test=(
  libgtest-dev
  xvfb xauth xdotool libxcb1-dev procps openbox x11-utils
  pulseaudio pulseaudio-utils
  at-spi2-core dbus-daemon
  clang libclang-rt-14-dev
  desktop-file-utils appstream
  dpkg-dev file lintian
  "${wayland[@]}" weston
)

case "${1:-play}" in
  play) packages=("${play[@]}") ;;
  test) packages=("${play[@]}" "${test[@]}") ;;
  *) echo "usage: $0 [play|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Some packages the game needs are missing. Install them first with:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
