#!/usr/bin/env bash
# The whole program's start as a user feels it: from launching the process to its window shown on
# a virtual X display with a window manager, each time from a fresh copy of its folder (so the first
# start also creates the table) and again on the table it left. Needs Xvfb, openbox and xdotool.
#
#   bench/process_start.sh [PROGRAM] [RUNS]     (defaults: build/bin/DoRori, 20)
set -euo pipefail

program=$(realpath "${1:-build/bin/DoRori}")
runs=${2:-20}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT

# A display of its own, chosen by the server, and a session folder of its own: nothing is shared
# with a desktop or another run.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
while [ ! -s "$work/display" ]; do sleep 0.05; done
export DISPLAY=:$(cat "$work/display") XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config
mkdir -m 700 "$work/run"
openbox >/dev/null 2>&1 &
# A window mapped before the manager's event loop runs may stay unmapped: a desktop switch that
# the manager carries out shows that the loop runs.
on_desktop() { xdotool set_desktop "$1" 2>/dev/null; [ "$(xdotool get_desktop 2>/dev/null)" = "$1" ]; }
for desktop in 1 0; do i=0; until on_desktop $desktop || [ $i -ge 200 ]; do sleep 0.05; i=$((i+1)); done; done

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Milliseconds from the launch to the window on the screen.
start_once() {
  local folder=$1 began shown id pid
  began=$(now_ms)
  (cd "$folder" && exec ./DoRori) >/dev/null 2>&1 &
  pid=$!
  id=
  while [ -z "$id" ]; do
    id=$(xdotool search --onlyvisible --name '^RIdavave$' 2>/dev/null | head -n 1 || true)
    kill -0 "$pid" 2>/dev/null || { echo "the program ended without a window" >&2; exit 1; }
    [ $(($(now_ms) - began)) -lt 10000 ] || { echo "no window after 10 s" >&2; exit 1; }
  done
  shown=$(now_ms)
  kill "$pid"
  for _ in $(seq 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  kill -0 "$pid" 2>/dev/null && { echo "the program did not end on SIGTERM" >&2; kill -KILL "$pid"; }
  wait "$pid" 2>/dev/null || true
  echo $((shown - began))
}

summary() {
  sort -n | awk -v what="$1" '{ t[NR] = $1 } END {
    printf "%-28s median %4d ms   min %4d ms   max %4d ms   (%d runs)\n", what, t[int((NR + 1) / 2)], t[1], t[NR], NR }'
}

for _ in $(seq "$runs"); do
  rm -rf "$work/program" && mkdir "$work/program" && cp "$program" "$work/program/DoRori"
  start_once "$work/program" >>"$work/first"
  start_once "$work/program" >>"$work/again"
done
summary "first start (new table)" <"$work/first"
summary "start on an existing table" <"$work/again"
