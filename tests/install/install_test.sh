#!/usr/bin/env bash
# The install rules, as a packager and a player meet them: the layout under a
# prefix, the launcher files validated, a start from a read-only install as a
# user who cannot write the game folder, and an uninstall that removes what
# was installed and nothing else.
#   install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source "$2/tests/install/lib.sh"
id=net.kelvane.Fifteen

# The test's install must not replace the list of a player's own install.
manifest=$build/install_manifest.txt
[ -f "$manifest" ] && cp "$manifest" "$work/manifest.saved"
restore_manifest() { if [ -f "$work/manifest.saved" ]; then cp "$work/manifest.saved" "$manifest"; else rm -f "$manifest"; fi; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" --strip >"$work/install.log"
cp "$manifest" "$work/manifest"
restore_manifest

# One private game folder, complete, and a link to its program on the PATH.
link=$prefix/bin/fifteen
[ -L "$link" ] || fail "bin/fifteen is not a link"
case "$(readlink "$link")" in /*) fail "bin/fifteen links to an absolute path" ;; esac
game=$(dirname "$(readlink -f "$link")")
[ "$(basename "$game")" = fifteen ] || fail "the game folder is $game"
[ "$(find "$game" -type f | wc -l)" -eq 30 ] || fail "the game folder holds $(find "$game" -type f | wc -l) files, not 30"
[ "$(stat -c %s "$game/ZUROZO.EXE")" -eq 69632 ] || fail "ZUROZO.EXE changed size"
[ -f "$game/fifteen.html" ] || fail "no home page"

# The desktop's files.
desktop=$prefix/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "metainfo"
grep -q '^Categories=Game;LogicGame;$' "$desktop" || fail "categories"
grep -qx "Exec=$link" "$desktop" || fail "the entry does not start $link"
for size in 32 48 64 128 256; do
  file "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png" | grep -q "PNG image data, $size x $size" \
    || fail "icon at $size pixels"
done
check_manual_page "$prefix/share/man/man6/fifteen.6.gz" "$game"
grep -q 'Permission is hereby granted' "$prefix/share/doc/fifteen/copyright" || fail "licence"
grep -q 'F2' "$game/fifteen.html" || fail "the home page does not list the keys"

if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: the start as another user needs root" >&2
  exit 77
fi

# A read-only install: the user cannot write the game folder, so the table
# lives in that user's data folder, created with the default table.
home=$work/home
mkdir -p "$home"
chown nobody "$home"
chmod -R a+rX,go-w "$prefix"
start_x
runuser -u nobody -- env -i HOME="$home" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin "$link" \
  >"$work/out.log" 2>"$work/err.log" &
game_pid=$!
window=$(wait_for_game_window) || fail "no window as nobody: $(cat "$work/err.log")"
table=$home/.local/share/Fifteen/HIGHSCORE.RES
[ "$(stat -c %s "$table")" -eq 100 ] || fail "no 100-byte default table in the user's data folder"
[ ! -e "$game/HIGHSCORE.RES" ] || fail "a table in the read-only game folder"
splash_ended "$game"
# The launcher's icon belongs to the window: its class is the one the entry names.
class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
xdotool search --class "^$class\$" | grep -qx "$window" || fail "window class is not $class"
# The game itself, not runuser, gets the end of the session.
pkill -TERM -u nobody -x fifteen
for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not end on SIGTERM"
game_pid=
# A normal run says nothing on the terminal.
[ ! -s "$work/err.log" ] && [ ! -s "$work/out.log" ] || fail "the game printed: $(cat "$work/out.log" "$work/err.log")"

# Uninstall removes exactly what was installed; a table beside the program stays.
printf 'KEEP.1.' >"$game/HIGHSCORE.RES"
cmake -DMANIFEST="$work/manifest" -P "$2/cmake/uninstall.cmake" >/dev/null
left=$(find "$prefix" \( -type f -o -type l \) | sort)
[ "$left" = "$game/HIGHSCORE.RES" ] || fail "after uninstall: $left"
echo "install test passed"
