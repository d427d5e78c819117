# What the install and package tests share: a private X server and a wait
# for the game's window. Sourced, not run.

work=$(mktemp -d)
chmod 755 "$work"
x_pid=
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null || true
  [ -n "$x_pid" ] && kill "$x_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# An X server that any local user may draw on; sets DISPLAY.
start_x() {
  Xvfb -displayfd 3 -ac -nolisten tcp -screen 0 1024x768x24 3>"$work/display" 2>"$work/xvfb.log" &
  x_pid=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$work/display")"
}

# Fails when a program from the folder $1 still runs 4 s after the game's
# window showed: the splash ends by itself, the test never ends it.
splash_ended() {
  for _ in $(seq 40); do
    pgrep -f "^$1/ZUROZO.EXE" >/dev/null || return 0
    sleep 0.1
  done
  fail "the splash program still runs: $(pgrep -af "^$1/ZUROZO.EXE")"
}

# Waits up to 15 s for a visible window titled Fifteen; prints its id.
wait_for_game_window() {
  for _ in $(seq 150); do
    if id=$(xdotool search --onlyvisible --name '^Fifteen$' 2>/dev/null | head -1) && [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# The manual page $1 (gzipped) names the game folder $2 under FILES, lists
# the keys and the environment the program reads.
check_manual_page() {
  local text
  text=$(zcat "$1") || fail "$1 is not gzipped"
  grep -q '^\.TH FIFTEEN 6' <<<"$text" || fail "$1 is no manual page"
  [ "$(sed -n '/^\.SH FILES/,/^\.SH/{/^\.I \//{s/^\.I //;p;q}}' <<<"$text")" = "$2/" ] \
    || fail "the manual page's FILES does not name $2/: $(grep -A2 '^.SH FILES' <<<"$text")"
  for word in F2 Ctrl+N Tab Enter Left FIFTEEN_QT_MESSAGES XDG_DATA_HOME; do
    grep -q "$word" <<<"$text" || fail "the manual page does not mention $word"
  done
}
