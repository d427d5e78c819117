#!/usr/bin/env bash
# What installing the game costs a player: in a minimal Debian 12 root (as
# fresh-machine-check.sh makes it), the packages and megabytes that
#   apt-get install --no-install-recommends ./fifteen_*.deb
# adds, beside what Qt 6 Widgets alone adds (libqt6widgets6, the platform
# plugin and the font the game draws with). Fails when the game costs more
# than Qt's floor plus 10 MB. Needs root, debootstrap and a built package
# (make package).
#   scripts/install-cost.sh [DEB] [WORK_DIR]   (defaults: build/fifteen_*.deb, /var/tmp/fifteen-cost)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
deb=${1:-$(ls "$repo"/build/fifteen_*.deb 2>/dev/null | head -1)}
work=${2:-/var/tmp/fifteen-cost}
[ "$(id -u)" -eq 0 ] || { echo "run as root" >&2; exit 2; }
[ -f "$deb" ] || { echo "no package: make package first" >&2; exit 2; }
command -v debootstrap >/dev/null || { echo "needs debootstrap: apt-get install debootstrap" >&2; exit 2; }

mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -1)
[ -n "$mirror" ] || mirror=$(awk '/^deb /{print $2; exit}' /etc/apt/sources.list)

base=$work/base
if [ ! -f "$base/.ready" ]; then
  rm -rf "$base"
  mkdir -p "$work"
  echo "== debootstrap --variant=minbase bookworm from $mirror"
  debootstrap --variant=minbase bookworm "$base" "$mirror" >"$work/debootstrap.log"
  chroot "$base" apt-get update -qq
  touch "$base/.ready"
fi

# Installs into a fresh copy of the base root; prints "PACKAGES KB" added.
cost() {
  local root=$work/$1
  shift
  rm -rf "$root"
  cp -a "$base" "$root"
  local before after
  before=$(chroot "$root" dpkg-query -W -f='${Status} ${Installed-Size}\n' | awk '/installed/{n++; kb+=$4} END{print n, kb}')
  chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" >"$root.log" 2>&1 \
    || { tail -20 "$root.log" >&2; exit 1; }
  after=$(chroot "$root" dpkg-query -W -f='${Status} ${Installed-Size}\n' | awk '/installed/{n++; kb+=$4} END{print n, kb}')
  echo "$before $after" | awk '{print $3 - $1, $4 - $2}'
  rm -rf "$root"
}

read -r qt_packages qt_kb < <(cost qt libqt6widgets6 qt6-qpa-plugins fonts-liberation2)
cp "$deb" "$base/tmp/fifteen.deb"
read -r game_packages game_kb < <(cost game /tmp/fifteen.deb)
# With what the package recommends, as apt installs it by default.
recommends=$(dpkg-deb -f "$deb" Recommends | tr -d ',')
read -r rec_packages rec_kb < <(cost recommends /tmp/fifteen.deb $recommends)
rm -f "$base/tmp/fifteen.deb"

printf 'Qt 6 Widgets alone:  +%d packages, +%d MB\n' "$qt_packages" $((qt_kb / 1024))
printf '%s: +%d packages, +%d MB\n' "$(basename "$deb")" "$game_packages" $((game_kb / 1024))
awk -v p=$((game_packages - qt_packages)) -v kb=$((game_kb - qt_kb)) 'BEGIN{printf "the game beyond Qt:  +%d packages, +%.1f MB\n", p, kb / 1024}'
awk -v p=$((rec_packages - qt_packages)) -v kb=$((rec_kb - qt_kb)) -v r="$recommends" \
  'BEGIN{printf "with its Recommends (%s): +%d packages, +%.1f MB beyond Qt\n", r, p, kb / 1024}'
if [ $((game_kb - qt_kb)) -gt $((10 * 1024)) ]; then
  echo "FAIL: the game costs more than Qt's floor plus 10 MB" >&2
  exit 1
fi
