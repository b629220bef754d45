# Shared pieces of the end-to-end tests: a Wine session inside Xvfb, the test driver, bounded waits
# and the tally of checks. Sourced by tests/e2e/run.sh and scripts/run-saver.sh.
#
# Every program under test is started with `start_program`, which records its PID; `stop_programs`
# ends every one of them by PID. Waits poll a condition with a deadline; nothing sleeps blindly.

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
WIN_BUILD=${WIN_BUILD:-$E2E_ROOT/build/windows}
DIST=${DIST:-$E2E_ROOT/build/dist}
DRIVER_EXE=${DRIVER_EXE:-$WIN_BUILD/tests/tavdriver.exe}

E2E_PASSED=0
E2E_FAILED=0
E2E_PIDS=()

# ----- the session ----------------------------------------------------------------------------

# Starts Xvfb (unless USE_DISPLAY=1 and $DISPLAY is set) and a fresh Wine prefix with fonts and a
# warm, persistent wineserver.
wine_session_start() {
  E2E_TMP=$(mktemp -d /tmp/tavoria-e2e.XXXXXX)
  export WINEPREFIX=$E2E_TMP/pfx WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  E2E_XVFB_PID=
  if [ "${USE_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
    local fdfile=$E2E_TMP/display
    # shellcheck disable=SC2086 # XVFB_ARGS: further arguments, split at blanks
    Xvfb -displayfd 3 -screen 0 "${SCREEN_SIZE:-1024x768}x24" -nolisten tcp ${XVFB_ARGS:-} 3>"$fdfile" \
      >/dev/null 2>&1 &
    E2E_XVFB_PID=$!
    local n
    for n in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
    export DISPLAY=:$(head -n1 "$fdfile")
  fi
  wineboot -i >/dev/null 2>&1
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  cat >"$E2E_TMP/fonts.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Verdana"="DejaVu Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"

; Bare Xvfb has no window manager: Wine would wait two seconds for one each time a window it
; leaves to a manager goes away.
[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
  wine regedit /S "$E2E_TMP/fonts.reg" >/dev/null 2>&1
  # Shell-opened addresses go to a file instead of a browser.
  E2E_URLS=$E2E_TMP/urls.txt
  cat >"$E2E_TMP/browser.sh" <<EOF
#!/bin/sh
printf '%s\n' "\$1" >> "$E2E_URLS"
EOF
  chmod +x "$E2E_TMP/browser.sh"
  wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$E2E_TMP/browser.sh" /f \
    >/dev/null 2>&1
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1
  C_DRIVE=$WINEPREFIX/drive_c
}

wine_session_stop() {
  stop_programs
  other_screen_stop
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${E2E_XVFB_PID:-}" ]; then
    kill "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
  fi
  [ -n "${E2E_TMP:-}" ] && rm -rf "$E2E_TMP"
}

# Restarts the wineserver on the current $DISPLAY, persistent and warmed up, so that programs
# started from now on see changed settings (DPI, monitors) or another display.
wine_server_restart() {
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

# other_screen_start SIZE [XVFB ARGS...]: an X server of its own for a test that needs another
# screen (a size, several monitors); it becomes $DISPLAY. other_screen_stop ends it by its PID and
# puts the session's display back. Restart the wineserver after either.
OTHER_XVFB_PID=
E2E_HOME_DISPLAY=
other_screen_start() {
  local size=$1 fdfile=$E2E_TMP/other-display
  shift
  rm -f "$fdfile"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp "$@" 3>"$fdfile" >/dev/null 2>&1 &
  OTHER_XVFB_PID=$!
  until_true 10 test -s "$fdfile" || return 1
  E2E_HOME_DISPLAY=$DISPLAY
  export DISPLAY=:$(head -n1 "$fdfile")
}
other_screen_stop() {
  [ -n "$E2E_HOME_DISPLAY" ] && export DISPLAY=$E2E_HOME_DISPLAY
  E2E_HOME_DISPLAY=
  if [ -n "$OTHER_XVFB_PID" ]; then
    kill "$OTHER_XVFB_PID" 2>/dev/null || true
    wait "$OTHER_XVFB_PID" 2>/dev/null || true
    OTHER_XVFB_PID=
  fi
}

# ----- programs -------------------------------------------------------------------------------

# start_program SECONDS PROGRAM [ARGS...]: starts a Windows program under a time limit; its PID
# is left in LAST_PID.
start_program() {
  local limit=$1
  shift
  timeout "$limit" wine "$@" </dev/null >/dev/null 2>&1 &
  LAST_PID=$!
  E2E_PIDS+=("$LAST_PID")
}

# wait_exit PID SECONDS: waits for the program to end; leaves its exit code in EXIT_CODE and
# returns 1 when it is still running at the deadline.
wait_exit() {
  local pid=$1 deadline=$((SECONDS + $2))
  while kill -0 "$pid" 2>/dev/null; do
    if [ "$(ps -o stat= -p "$pid" 2>/dev/null | cut -c1)" = Z ]; then break; fi
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
  wait "$pid" 2>/dev/null
  EXIT_CODE=$?
  return 0
}

# True while the program runs.
running() {
  kill -0 "$1" 2>/dev/null && [ "$(ps -o stat= -p "$1" 2>/dev/null | cut -c1)" != Z ]
}

stop_programs() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  E2E_PIDS=()
}

# driver ARGS...: runs the test driver; its output with CR LF turned into LF.
driver() {
  wine "$DRIVER_EXE" "$@" </dev/null 2>/dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

# until_true SECONDS COMMAND...: polls the command until it succeeds or the time is up.
until_true() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
}

# A fresh folder on drive C holding the delivered programs; its Linux path in APP_DIR and its
# Windows path in APP_WIN.
fresh_app_dir() {
  local name=$1
  APP_DIR=$C_DRIVE/apps/$name
  rm -rf "$APP_DIR"
  mkdir -p "$APP_DIR"
  cp -r "$DIST"/. "$APP_DIR"/
  APP_WIN="C:\\apps\\$name"
}

screenshot() {
  mkdir -p "$E2E_ROOT/build/screenshots"
  import -window root "$E2E_ROOT/build/screenshots/$1.png" 2>/dev/null
}

# ----- checks ---------------------------------------------------------------------------------

pass() {
  E2E_PASSED=$((E2E_PASSED + 1))
  echo "ok - $1"
}

fail() {
  E2E_FAILED=$((E2E_FAILED + 1))
  echo "not ok - $1"
  [ -n "${2:-}" ] && printf '    %s\n' "$2"
}

# check NAME COMMAND...: one check, passed when the command succeeds.
check() {
  local name=$1
  shift
  if "$@"; then pass "$name"; else fail "$name"; fi
}

# check_equal NAME EXPECTED ACTUAL
check_equal() {
  if [ "$2" = "$3" ]; then
    pass "$1"
  else
    fail "$1" "expected: $(printf '%q' "$2")"
    printf '    actual:   %q\n' "$3"
  fi
}
