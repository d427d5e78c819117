#!/usr/bin/env bash
# `make package`: the .deb, unpacked into a temporary root with dpkg-deb,
# holds the game folder under /usr with the program stripped and the sibling
# program at its size, and the game starts from there; the portable archive
# holds the game folder.
#   package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source "$2/tests/install/lib.sh"

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" || fail "cpack: $(cat "$work/cpack.log")"
deb=$(ls "$work"/out/*.deb)
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends: $(dpkg-deb -f "$deb" Depends)"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes; Depends: $(dpkg-deb -f "$deb" Depends)"
# Debian's own checker: no error, no warning, and every hardening feature.
start=$(date +%s%N)
lintian --fail-on error,warning -I "$deb" >"$work/lintian.log" 2>&1 || fail "lintian: $(cat "$work/lintian.log")"
grep 'hardening' "$work/lintian.log" && fail "lintian: hardening missing"
echo "lintian passed in $(( ($(date +%s%N) - start) / 1000000 )) ms"
root=$work/root
dpkg-deb -x "$deb" "$root"
game=$root/usr/lib/fifteen
[ "$(stat -c %s "$game/ZUROZO.EXE")" -eq 69632 ] || fail "ZUROZO.EXE changed size"
file "$game/fifteen" | grep -q ', stripped' || fail "the game program is not stripped"
[ -L "$root/usr/games/fifteen" ] || fail "no /usr/games/fifteen"
grep -qx 'Exec=/usr/games/fifteen' "$root/usr/share/applications/net.kelvane.Fifteen.desktop" \
  || fail "the desktop entry does not start /usr/games/fifteen"
check_manual_page "$root/usr/share/man/man6/fifteen.6.gz" /usr/lib/fifteen

start_x
"$root/usr/games/fifteen" >"$work/out.log" 2>"$work/err.log" &
game_pid=$!
wait_for_game_window >/dev/null || fail "no window from the unpacked package: $(cat "$work/err.log")"
[ "$(stat -c %s "$game/HIGHSCORE.RES")" -eq 100 ] || fail "no default table beside the program"
splash_ended "$game"

cmake --build "$build" --target portable >"$work/portable.log"
archive=$(ls "$build"/fifteen-*-portable.tar.gz)
listing=$(tar tzf "$archive")
for f in fifteen/fifteen fifteen/ZUROZO.EXE fifteen/000.JPG fifteen/002.WAV fifteen/fifteen.html fifteen/LICENSE; do
  grep -qx "$f" <<<"$listing" || fail "$f missing from $archive"
done
grep -q HIGHSCORE <<<"$listing" && fail "a table in the portable archive"
echo "package test passed"
