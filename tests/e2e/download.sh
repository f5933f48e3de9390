#!/usr/bin/env bash
# The meter's log downloaded as a person does it, with the real program and the preloaded simulated
# meter under Xvfb: a click on the download button, "Yes" to the save question, a full path pasted
# into the real GTK file chooser, OK to the erase, then File > Esci. The saved file must hold the
# scenario's events and the meter (its memory written by the simulator when the program ends) must
# be empty.
#   download.sh <hvx-monitor> <preload dir> <download-check> <scenario> <flow unit>
# Needs DISPLAY, xdotool and xclip.
set -euo pipefail
program=$1 preload=$2 check=$3 scenario=$4 flow_unit=$5

work=$(mktemp -d)
pid="" clip="" holder=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "$clip" ] && kill "$clip" 2>/dev/null || true
  [ -n "$holder" ] && kill "$holder" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir "$work/home"
# Tips off, so the main window keeps the keyboard; the user prefers cubic metres per hour.
printf '1\n98\n0\n0\n2\n0\n0\n' >"$work/home/hvxv48.ini"
saved="$work/saved/Prova scarico.orv"  # a space, as people's file names have
mkdir "$work/saved"

fail() {
  {
    echo "FAIL: $*"
    echo "visible windows:"
    for w in $(find_windows '.'); do
      echo "  $(xdotool getwindowname "$w" 2>/dev/null || true)"
    done
    echo "program output:"
    cat "$work/program.log" 2>/dev/null || true
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
    if ids=$(xdotool search --onlyvisible --name "$1" 2>"$work/xdotool.err") ||
      ! [ -s "$work/xdotool.err" ]; then
      echo "$ids"
      return 0
    fi
    sleep 0.05
  done
  return 1
}

# Waits for a visible window with this exact title and prints its id.
wait_window() {
  local id="" end=$((SECONDS + ${2:-30}))
  while [ -z "$id" ] && [ "$SECONDS" -lt "$end" ]; do
    id=$(find_windows "$(title_regex "$1")" | head -n1) || true
    [ -n "$id" ] || sleep 0.1
  done
  [ -n "$id" ] || fail "no window \"$1\""
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

# Xvfb starts afresh whenever its last client leaves and refuses connections meanwhile (the test
# before this one has just left): hold one connection for the whole run, made once it is accepted.
for _ in $(seq 50); do
  xprop -root -spy >"$work/xprop.out" 2>/dev/null &
  holder=$!
  # It prints the root window's properties (the keyboard rules at least) once connected.
  for _ in $(seq 100); do
    kill -0 "$holder" 2>/dev/null && ! [ -s "$work/xprop.out" ] || break
    sleep 0.05
  done
  [ -s "$work/xprop.out" ] && kill -0 "$holder" 2>/dev/null && break
  kill "$holder" 2>/dev/null || true
  holder=""
  sleep 0.1
done
[ -n "$holder" ] || fail "the X server refuses connections"

HOME=$work/home LD_LIBRARY_PATH=$preload HVX_SIM_SCENARIO=$scenario \
  HVX_SIM_MEMORY_OUT=$work/memory.bin NO_AT_BRIDGE=1 "$program" >"$work/program.log" 2>&1 &
pid=$!
main=$(wait_window "Senza titolo")

# The download button is the right one of the two in "Memoria stumento", in the row at the bottom
# of the window's left half: its middle lies this far from the window's bottom left corner.
read -r height < <(xdotool getwindowgeometry --shell "$main" | sed -n 's/^HEIGHT=//p')
button_x=575 button_y=$((height - 57))
# The splash picture lies over it for its first two seconds: click once no other window does.
covered() {
  local w ids geometry X Y WIDTH HEIGHT
  ids=$(find_windows '') || return 0
  for w in $ids; do
    [ "$w" = "$main" ] && continue
    geometry=$(xdotool getwindowgeometry --shell "$w" 2>/dev/null) || continue
    eval "$geometry"
    [ "$WIDTH $HEIGHT" != "$screen" ] || continue  # the root window
    if [ "$button_x" -ge "$X" ] && [ "$button_x" -lt $((X + WIDTH)) ] &&
      [ "$button_y" -ge "$Y" ] && [ "$button_y" -lt $((Y + HEIGHT)) ]; then
      return 0
    fi
  done
  return 1
}
screen=$(xdotool getdisplaygeometry)
for _ in $(seq 100); do
  covered || break
  sleep 0.1
done
covered && fail "another window stays over the download button"
xdotool mousemove --window "$main" "$button_x" "$button_y"
xdotool click 1

answer "Salvare i nuovi dati?" Return  # Yes is the default button

# The real file chooser, answered with a pasted full path: the location entry (Ctrl+L), all of its
# proposed name selected, the clipboard pasted, Return. The chooser ignores Return while it still
# loads the pasted folder: pressed again until it closes.
printf '%s' "$saved" | xclip -selection clipboard -quiet >/dev/null 2>&1 &
clip=$!
offered=""
for _ in $(seq 50); do
  [ "$(xclip -selection clipboard -o 2>/dev/null || true)" = "$saved" ] && { offered=1; break; }
  sleep 0.1
done
[ -n "$offered" ] || fail "xclip does not offer the path"
chooser_title="Salva i dialoghi dello spazio di lavoro"
chooser=$(wait_window "$chooser_title")
pasted=""
for _ in 1 2 3 4 5; do
  xdotool windowfocus --sync "$chooser" 2>/dev/null || true
  xdotool key ctrl+l ctrl+a ctrl+v
  for _ in $(seq 20); do
    xdotool key Return
    gone_within "$chooser_title" 1 && { pasted=1; break 2; }
  done
done
[ -n "$pasted" ] || fail "the file chooser did not take the pasted path"
kill "$clip" 2>/dev/null || true
clip=""

answer "Attenzione: Cancellare dati" Return  # OK is the default button

# File > Esci: the records are saved, so the program ends without a question.
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
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "exit status $status"

[ -f "$saved" ] || fail "nothing saved at $saved"
[ -f "$work/memory.bin" ] || fail "the simulator wrote no memory image"
"$check" "$scenario" "$saved" "$work/memory.bin" "$flow_unit" || fail "the download's results differ"
