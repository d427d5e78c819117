#!/usr/bin/env bash
# Proves the README's set-up on a truly fresh machine: a minimal Debian 12
# root (debootstrap --variant=minbase) with only git and make added and a
# clone of this repository, where
#   - `make run` as a normal user prints the one command to run first;
#   - `make run` as root installs what playing needs, builds and starts the
#     game (under xvfb-run, which the check itself adds);
#   - `make test` as root installs the rest and passes.
# Prints the packages, megabytes and time of each step. Needs root and
# debootstrap.
#   scripts/fresh-machine-check.sh [WORK_DIR]     (default /var/tmp/fifteen-fresh)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-/var/tmp/fifteen-fresh}
root=$work/root
[ "$(id -u)" -eq 0 ] || { echo "run as root" >&2; exit 2; }
command -v debootstrap >/dev/null || { echo "needs debootstrap: apt-get install debootstrap" >&2; exit 2; }

# The mirror this machine's apt already uses.
mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -1)
[ -n "$mirror" ] || mirror=$(awk '/^deb /{print $2; exit}' /etc/apt/sources.list)

# Everything mounted below the root, deepest first: the binds of this check
# and anything a test inside left behind.
unmount_all() {
  awk -v root="$root" '$5 == root || index($5, root "/") == 1 {print $5}' /proc/self/mountinfo \
    | sort -r | while read -r target; do umount -l "$target" 2>/dev/null || true; done
}
trap unmount_all EXIT

unmount_all
rm -rf "$root"
mkdir -p "$work"
echo "== debootstrap --variant=minbase bookworm from $mirror"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log"
for fs in proc dev dev/pts; do
  mkdir -p "$root/$fs"
  mount --bind "/$fs" "$root/$fs"
done
mkdir -p "$root/mnt/repo"
mount --bind "$repo" "$root/mnt/repo"

in_root() { chroot "$root" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin TERM=dumb LANG=C.UTF-8 bash -c "$1"; }
packages() { in_root "dpkg-query -W -f='\${Status} \${Installed-Size}\n' | awk '/installed/{n++; kb+=\$4} END{printf \"%d packages, %d MB\", n, kb/1024}'"; }

in_root "apt-get update -qq && apt-get install -y -qq --no-install-recommends git make ca-certificates >/dev/null"
in_root "git clone -q /mnt/repo /root/fifteen && useradd -m player && git clone -q /mnt/repo /home/player/fifteen && chown -R player /home/player/fifteen"
echo "fresh root with git and make: $(packages)"

echo "== make run as a normal user"
if in_root "runuser -u player -- make -C /home/player/fifteen run" >"$work/user.log" 2>&1; then
  echo "FAIL: make run as a normal user did not stop for the packages" >&2; exit 1
fi
grep -F 'sudo apt-get update && sudo apt-get install -y --no-install-recommends' "$work/user.log" \
  || { cat "$work/user.log" >&2; echo "FAIL: no command to run first" >&2; exit 1; }

echo "== make run as root"
start=$(date +%s)
in_root "cd /root/fifteen && make deps build" >"$work/run.log" 2>&1 || { tail -30 "$work/run.log" >&2; exit 1; }
echo "make run's set-up and build: $(( $(date +%s) - start )) s; now $(packages)"
in_root "apt-get install -y -qq --no-install-recommends xvfb xauth >/dev/null"
status=0
in_root "cd /root/fifteen && timeout 15 xvfb-run -a make run" >>"$work/run.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { tail -30 "$work/run.log" >&2; echo "FAIL: the game ended with $status" >&2; exit 1; }
[ "$(stat -c %s "$root/root/fifteen/build/game/HIGHSCORE.RES")" -eq 100 ] || { echo "FAIL: no table" >&2; exit 1; }
echo "the game ran until stopped and created its table"
# What the check added for itself goes again, so that make test must bring it.
in_root "apt-get purge -y -qq xvfb xauth >/dev/null && apt-get autoremove -y -qq >/dev/null"

echo "== make test as root"
start=$(date +%s)
in_root "cd /root/fifteen && CI=true make test" >"$work/test.log" 2>&1 || { tail -60 "$work/test.log" >&2; exit 1; }
echo "make test: $(( $(date +%s) - start )) s; now $(packages)"
grep -E 'tests passed|Total Test time' "$work/test.log"
echo "fresh-machine check passed (logs in $work)"
