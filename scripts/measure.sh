#!/usr/bin/env bash
# Measures the full-screen saver against the floor (bench/win32_floor.cpp, a program that only
# opens a black topmost window over each monitor) under the same Wine session: the time from start
# to the first frame, the CPU time used over 60 s and the resident memory. A measurement, not a
# test.
#   WIN_BUILD=build/sv-windows scripts/measure.sh
#   MONITORS=2 MONITOR_SIZE=1920x1080 scripts/measure.sh    two monitors side by side
set -u
MONITORS=${MONITORS:-1}
MONITOR_SIZE=${MONITOR_SIZE:-1024x768}
monitor_w=${MONITOR_SIZE%x*}
monitor_h=${MONITOR_SIZE#*x}
export SCREEN_SIZE=$((monitor_w * MONITORS))x$monitor_h
# A white screen, so that painting black shows; without -noreset the RandR monitors vanish
# whenever the last X client leaves.
export XVFB_ARGS=-wr
[ "$MONITORS" -gt 1 ] && export XVFB_ARGS="-wr -noreset"
source "$(dirname "$0")/../tests/e2e/lib.sh"
trap wine_session_stop EXIT
wine_session_start
if [ "$MONITORS" -gt 1 ]; then
  # One wide screen split into RandR monitors, and Wine told to use them.
  for i in $(seq 0 $((MONITORS - 1))); do
    xrandr --setmonitor "M$i" "$monitor_w/508x$monitor_h/286+$((i * monitor_w))+0" \
      "$([ "$i" = 0 ] && echo screen || echo none)" >/dev/null
  done
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f >/dev/null 2>&1
  wine_server_restart
fi
echo "screen: $MONITORS monitor(s) of $MONITOR_SIZE"
FLOOR_EXE=$WIN_BUILD/bench/win32_floor.exe
fresh_app_dir measure
SECONDS_OF_CPU=${CPU_WINDOW:-60}

now() { date +%s.%N; }
# The Windows program's own process (start_program runs it under `timeout`).
program_pid() {
  local child
  for _ in $(seq 50); do
    child=$(pgrep -P "$1" | head -n1)
    [ -n "$child" ] && { echo "$child"; return; }
    sleep 0.02
  done
}
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
rss_kb() { awk '/^VmRSS/ { print $2 }' "/proc/$1/status"; }

# Start to first frame: until the pixel at the primary monitor's centre shows what the program
# paints there first (the screen's own background is white, so the floor's black is a paint too),
# read straight from the X server by scripts/pixel_wait.py.
first_frame() {
  local colour=$1
  shift
  local seen=$E2E_TMP/seen t0
  python3 "$E2E_ROOT/scripts/pixel_wait.py" $((monitor_w / 2)) $((monitor_h / 2)) "$colour" 30 \
    >"$seen" &
  local waiter=$!
  t0=$(now)
  start_program 200 "$@"
  local pid=$LAST_PID
  wait "$waiter"
  FIRST_FRAME=$(echo "$(cat "$seen") - $t0" | bc)
  PID=$(program_pid "$pid")
}
gone() { until_true 10 sh -c "! xdotool search --name '^$1\$' >/dev/null 2>&1"; }

# First frames vary from run to run: take the median of several starts of each, alternating.
RUNS=${RUNS:-7}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
floor_frames=() saver_frames=()
for run in $(seq "$RUNS"); do
  first_frame 000000 "$FLOOR_EXE"
  floor_frames+=("$FIRST_FRAME")
  stop_programs
  gone "Win32 Floor"
  first_frame C0C0C0 "$APP_WIN\\tavoria.scr" /s
  saver_frames+=("$FIRST_FRAME")
  stop_programs
  gone "Screensaver Main Form"
done
floor_frame=$(printf '%s\n' "${floor_frames[@]}" | median)
saver_frame=$(printf '%s\n' "${saver_frames[@]}" | median)
echo "first frames (s), floor: ${floor_frames[*]}"
echo "first frames (s), saver: ${saver_frames[*]}"

# CPU and memory: both running side by side for the whole window.
start_program 300 "$FLOOR_EXE"
floor_pid=$(program_pid "$LAST_PID")
start_program 300 "$APP_WIN\\tavoria.scr" /s
saver_pid=$(program_pid "$LAST_PID")
sleep 2
f0=$(cpu_ticks "$floor_pid") s0=$(cpu_ticks "$saver_pid")
sleep "$SECONDS_OF_CPU"
f1=$(cpu_ticks "$floor_pid") s1=$(cpu_ticks "$saver_pid")
hz=$(getconf CLK_TCK)
floor_rss=$(rss_kb "$floor_pid") saver_rss=$(rss_kb "$saver_pid")

cpu_share() { echo "scale=3; 100 * ($2 - $1) / $hz / $SECONDS_OF_CPU" | bc; }
printf '%-8s %16s %22s %14s\n' program "first frame (s)" "CPU over ${SECONDS_OF_CPU} s (% core)" "resident (MB)"
printf '%-8s %16.3f %22s %14.1f\n' floor "$floor_frame" "$(cpu_share "$f0" "$f1")" "$(echo "$floor_rss / 1024" | bc -l)"
printf '%-8s %16.3f %22s %14.1f\n' saver "$saver_frame" "$(cpu_share "$s0" "$s1")" "$(echo "$saver_rss / 1024" | bc -l)"
printf 'ratios: first frame %.2f, memory %.2f\n' "$(echo "$saver_frame / $floor_frame" | bc -l)" \
  "$(echo "$saver_rss / $floor_rss" | bc -l)"
