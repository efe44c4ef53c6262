#!/usr/bin/env bash
# The viewer and the editor as a reader meets them on a desktop: a virtual X
# server (Xvfb) with a window manager (openbox), keys typed with xdotool.
#   window-manager.sh VIEWER EDITOR     (the English programs)
# Exits 77 (skipped) when one of the three tools is missing.
set -euo pipefail
for tool in Xvfb openbox xdotool; do
  command -v "$tool" > /dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
trap "exit 1" TERM INT HUP PIPE  # so that the servers and programs go too
fail() {
  echo "FAILED: $*; the windows shown:" >&2
  xdotool search --name . getwindowname %@ >&2 2> /dev/null || true
  exit 1
}

# Each program from a folder of its own, which becomes its program folder.
mkdir -p "$work/viewer" "$work/editor"
cp "$1" "$work/viewer/marvessa-en"
cp "$2" "$work/editor/marvessa-editor-en"
for line in $(seq 130); do printf 'Line %d\r\n' "$line"; done > "$work/two.txt"
printf 'from outside\r\n' > "$work/in.txt"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$work/display" > /dev/null 2>&1 &
pids+=($!)
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(head -1 "$work/display") QT_QPA_PLATFORM=xcb
openbox > /dev/null 2>&1 &
pids+=($!)
sleep 1  # the programs' windows are then placed by it

# Waits until a window of that exact title shows (or, with "gone", goes).
wait_window() {  # TITLE [gone]
  for _ in $(seq 300); do  # 30 s at most: a busy machine, a sanitizer build
    if xdotool search --onlyvisible --name "^$1\$" > /dev/null 2>&1; then [ -z "${2:-}" ] && return 0
    else [ -n "${2:-}" ] && return 0; fi
    sleep 0.1
  done
  fail "window \"$1\" ${2:-did not show}"
}
# Activates the window of that title, as a click on it does, then types.
keys() {  # TITLE KEY...
  local window
  window=$(xdotool search --onlyvisible --name "^$1\$" | head -1)
  xdotool windowactivate --sync "$window" > /dev/null 2>&1 || true
  shift
  sleep 0.3
  xdotool key --delay 150 "$@"
}
ended() { for _ in $(seq 300); do kill -0 "$1" 2> /dev/null || return 0; sleep 0.1; done; return 1; }

# The viewer opens the text it is given; Ctrl+G asks for a page; Ctrl+Q leaves
# as Exit does, keeping the page.
"$work/viewer/marvessa-en" "$work/two.txt" &
viewer=$!
pids+=("$viewer")
wait_window "Page 1 of 2"
keys "Page 1 of 2" ctrl+g
wait_window "From 1 to 2"
keys "From 1 to 2" 2 Return
wait_window "Page 2 of 2"
keys "Page 2 of 2" ctrl+q
ended "$viewer" || fail "Ctrl+Q did not end the viewer"
grep -q '^Pagina= 2' "$work/viewer/Configuracion.ini" || fail "Exit did not keep page 2"

# The editor reads the file it is given; changed text is asked about before
# the window manager's close drops it: No keeps the window, Yes lets it go.
"$work/editor/marvessa-editor-en" "$work/in.txt" &
editor=$!
pids+=("$editor")
wait_window Programmer
keys Programmer Return
wait_window Programmer gone
keys "Editor for Marvessa marvessa-en" x alt+F4
wait_window Programmer
keys Programmer Escape
wait_window Programmer gone
kill -0 "$editor" 2> /dev/null || fail "No to the question ended the editor"
keys "Editor for Marvessa marvessa-en" ctrl+q
wait_window Programmer
keys Programmer Return
ended "$editor" || fail "Yes to the question did not end the editor"
echo "passed"
