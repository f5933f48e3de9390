# shellcheck shell=bash
# Driving the real program through the X server as a person does, for bash scripts that source
# this file (tests/e2e/download.sh, scripts/screenshot). Needs xdotool, xprop and, for pasting,
# xclip. The sourcing script sets `drive_tmp` (a scratch folder) and `drive_log` (the program's
# output, shown when a step fails), and calls drive_release on exit.

drive_holder=""

# Says what failed, which windows are shown and what the program printed, and ends the script.
fail() {
  {
    echo "FAIL: $*"
    echo "visible windows:"
    local w
    for w in $(find_windows '.'); do
      echo "  $(xdotool getwindowname "$w" 2>/dev/null || true)"
    done
    echo "program output:"
    cat "$drive_log" 2>/dev/null || true
  } >&2
  exit 1
}

# The regular expression that matches exactly this window title.
title_regex() { printf '^%s$' "$(printf '%s' "$1" | sed 's/[][\\.^$|(){}*+?]/\\&/g')"; }

# The visible windows whose title matches. A window that goes while xdotool looks at it (the
# progress dialog, say) ends xdotool with an X error: look again.
find_windows() {
  local ids
  for _ in 1 2 3 4 5; do
    if ids=$(xdotool search --onlyvisible --name "$1" 2>"$drive_tmp/xdotool.err") ||
      ! [ -s "$drive_tmp/xdotool.err" ]; then
      echo "$ids"
      return 0
    fi
    sleep 0.05
  done
  return 1
}

# Waits up to $2 seconds (30) for a visible window with this exact title and prints its id; $3
# adds a hint to the failure.
wait_window() {
  local id="" end=$((SECONDS + ${2:-30}))
  while [ -z "$id" ] && [ "$SECONDS" -lt "$end" ]; do
    id=$(find_windows "$(title_regex "$1")" | head -n1) || true
    [ -n "$id" ] || sleep 0.1
  done
  [ -n "$id" ] || fail "no window \"$1\"${3:+ $3}"
  echo "$id"
}

# True once the window is no longer shown (destroyed or hidden), within about $2 seconds.
gone_within() {
  local ids
  for _ in $(seq $((${2:-5} * 10))); do
    ids=$(find_windows "$(title_regex "$1")") && [ -z "$ids" ] && return 0
    sleep 0.1
  done
  return 1
}

# Gives the dialog the keyboard (no window manager does that under Xvfb) and presses the keys
# until it closes: a key that reached another window is pressed again.
answer() {
  local name=$1 wid
  shift
  wid=$(wait_window "$name")
  for _ in 1 2 3 4 5; do
    xdotool windowfocus --sync "$wid" 2>/dev/null || true
    xdotool key "$@"
    gone_within "$name" 10 && return 0
  done
  fail "\"$name\" did not take $*"
}

# Xvfb starts afresh whenever its last client leaves and refuses connections meanwhile (a test
# before this one has just left): hold one connection until drive_release, made once accepted.
hold_x_connection() {
  for _ in $(seq 50); do
    xprop -root -spy >"$drive_tmp/xprop.out" 2>/dev/null &
    drive_holder=$!
    # It prints the root window's properties (the keyboard rules at least) once connected.
    for _ in $(seq 100); do
      if [ -s "$drive_tmp/xprop.out" ] || ! kill -0 "$drive_holder" 2>/dev/null; then break; fi
      sleep 0.05
    done
    [ -s "$drive_tmp/xprop.out" ] && kill -0 "$drive_holder" 2>/dev/null && return 0
    kill "$drive_holder" 2>/dev/null || true
    drive_holder=""
    sleep 0.1
  done
  fail "the X server refuses connections"
}

drive_release() {
  [ -n "$drive_holder" ] && kill "$drive_holder" 2>/dev/null || true
  drive_holder=""
}

# A click on the main window's download button ("Carica tutti i dati dallo strumento"): the right
# one of the two in "Memoria stumento", in the row at the bottom of the window's left half. Its
# middle lies this far from the window's bottom left corner: $2 across (575) and $3 up (57) on GTK;
# other toolkits' metrics place it elsewhere.
click_download_button() {
  local main=$1 height screen x y
  height=$(xdotool getwindowgeometry --shell "$main" | sed -n 's/^HEIGHT=//p')
  screen=$(xdotool getdisplaygeometry)
  x=${2:-575} y=$((height - ${3:-57}))
  # The splash picture lies over it for its first two seconds: click once no other window does.
  covered() {
    local w ids geometry X Y WIDTH HEIGHT
    ids=$(find_windows '') || return 0
    for w in $ids; do
      [ "$w" = "$main" ] && continue
      geometry=$(xdotool getwindowgeometry --shell "$w" 2>/dev/null) || continue
      eval "$geometry"
      [ "$WIDTH $HEIGHT" != "$screen" ] || continue # the root window
      if [ "$x" -ge "$X" ] && [ "$x" -lt $((X + WIDTH)) ] && [ "$y" -ge "$Y" ] &&
        [ "$y" -lt $((Y + HEIGHT)) ]; then
        return 0
      fi
    done
    return 1
  }
  for _ in $(seq 100); do
    covered || break
    sleep 0.1
  done
  covered && fail "another window stays over the download button"
  xdotool mousemove --window "$main" "$x" "$y"
  xdotool click 1
}

# File > Esci from the keyboard (F10, Up to the last entry, Return); waits for the program (pid $1)
# to end and fails unless it ends with status 0.
quit_program() {
  local pid=$1 main=$2 status=0
  for _ in 1 2 3; do
    xdotool windowfocus --sync "$main" 2>/dev/null || true
    xdotool key Escape F10
    sleep 0.5
    xdotool key Up
    sleep 0.3
    xdotool key Return
    for _ in $(seq 30); do
      kill -0 "$pid" 2>/dev/null || break 2
      sleep 0.1
    done
  done
  kill -0 "$pid" 2>/dev/null && fail "Esci did not end the program"
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "exit status $status"
}
