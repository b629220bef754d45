# Two monitors: the saver window keeps the primary monitor, a plain black window covers the second,
# the pointer is hidden over both, and a move over the second monitor after 3.6 s ends the saver
# with the pointer shown again.
#
# One wide Xvfb screen split into two RandR monitors, with Wine told to use Xinerama: Wine then
# reports (0,0)-(1024,768) as the primary monitor and (1024,0)-(2048,768) as the second. The
# session's own display and settings are put back afterwards.

MON_TITLE="Screensaver Main Form"

mon_restore() {
  stop_programs
  wine reg delete 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /f >/dev/null 2>&1
  other_screen_stop
  wine_server_restart
}

# Without -noreset the monitors vanish when the last X client leaves.
mon_start() {
  other_screen_start 2048x768 -noreset || return 1
  xrandr --setmonitor LEFT 1024/271x768/203+0+0 screen >/dev/null 2>&1 &&
    xrandr --setmonitor RIGHT 1024/271x768/203+1024+0 none >/dev/null 2>&1 || return 1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f >/dev/null 2>&1
  wine_server_restart
}

# The mean brightness (0 black to 1 white) of a region of a screenshot.
mon_brightness() {
  /usr/bin/convert "$1" -crop "$2" +repage -colorspace gray -format '%[fx:mean]' info:
}
mon_shot() { echo "$E2E_ROOT/build/screenshots/$1.png"; }
# The cover window's rectangle, found by its title.
mon_cover_rect() { driver rect "Screensaver Cover"; }

if mon_start; then
  fresh_app_dir monitors
  # A document open on the second monitor, as a user leaves one.
  start_program 120 notepad
  if driver wait "Untitled - Notepad" 10000 >/dev/null; then
    xdotool search --name '^Untitled - Notepad$' windowmove 1200 150 >/dev/null 2>&1
    on_second() { driver rect "Untitled - Notepad" | grep -q '^1[2-9][0-9][0-9],'; }
    until_true 5 on_second
    screenshot monitors-before
    check "two monitors: before the saver, a document shows on the second monitor" awk \
      -v b="$(mon_brightness "$(mon_shot monitors-before)" 1024x768+1024+0)" 'BEGIN { exit !(b > 0.2) }'
  else
    fail "two monitors: a document opens"
  fi
  start_program 120 "$APP_WIN\\tavoria.scr" /s
  saver=$LAST_PID
  if driver wait "$MON_TITLE" 10000 >/dev/null; then
    opened=$SECONDS
    # Moves during the opening phase only record the position: the pointer over each monitor.
    xdotool mousemove 1500 300
    check_equal "two monitors: the pointer is hidden over the second monitor" hidden "$(driver cursor)"
    xdotool mousemove 500 300
    check_equal "two monitors: the pointer is hidden over the primary monitor" hidden "$(driver cursor)"
    check "two monitors: the second is covered by a window of its own" \
      until_true 10 driver wait "Screensaver Cover" 1000
    check_equal "two monitors: the cover lies exactly over the second monitor" "1024,0,1024,768" \
      "$(mon_cover_rect)"
    check_equal "two monitors: the saver window keeps the primary monitor" "0,0,1024,768" \
      "$(driver rect "$MON_TITLE")"
    at_least() { [ $((SECONDS - opened)) -ge "$1" ]; }
    until_true 10 at_least 2
    screenshot monitors-display
    s=$(mon_shot monitors-display)
    check "two monitors: the second monitor is black, its document covered" awk \
      -v b="$(mon_brightness "$s" 1024x768+1024+0)" 'BEGIN { exit !(b < 0.001) }'
    check "two monitors: the primary shows the saver's pictures" awk \
      -v b="$(mon_brightness "$s" 1024x768+0+0)" 'BEGIN { exit !(b > 0.02) }'
    start_program 30 "$APP_WIN\\tavoria.scr" /s
    second=$LAST_PID
    if wait_exit "$second" 10; then
      check_equal "two monitors: a second /s ends at once" 0 "$EXIT_CODE"
    else
      fail "two monitors: a second /s ends at once"
    fi
    until_true 10 at_least 5
    check "two monitors: the saver runs on past its opening phase" running "$saver"
    # A move over the second monitor now ends the saver.
    xdotool mousemove 1500 400
    sleep 0.2
    xdotool mousemove 1520 420
    if wait_exit "$saver" 10; then
      check_equal "two monitors: a move over the second monitor ends the saver (exit code 0)" 0 \
        "$EXIT_CODE"
    else
      fail "two monitors: a move over the second monitor ends the saver"
    fi
    check_equal "two monitors: the pointer is shown again" shown "$(driver cursor)"
    check "two monitors: the cover is gone with the saver" driver gone "Screensaver Cover" 5000
  else
    fail "two monitors: /s opens the saver window"
  fi
  # Closed by the system in the opening phase (Alt+F4, "End task"): the whole saver ends.
  start_program 120 "$APP_WIN\\tavoria.scr" /s
  saver=$LAST_PID
  if driver wait "$MON_TITLE" 10000 >/dev/null && driver wait "Screensaver Cover" 10000 >/dev/null
  then
    opened=$(date +%s%N)
    driver close "$MON_TITLE"
    echo "# closed $((($(date +%s%N) - opened) / 1000000)) ms after the cover appeared"
    if wait_exit "$saver" 10; then
      check_equal "two monitors, closed early: the saver ends (exit code 0)" 0 "$EXIT_CODE"
    else
      fail "two monitors, closed early: the saver ends"
    fi
    check "two monitors, closed early: the cover goes with it" driver gone "Screensaver Cover" 5000
    check_equal "two monitors, closed early: the pointer is shown again" shown "$(driver cursor)"
  else
    fail "two monitors: /s opens the saver window and its cover again"
  fi
  # The long run through the real window layer, here with a cover: nothing leaks.
  gdi_log=$(timeout 300 wine "$WIN_BUILD/tests/win32_tests.exe" --gtest_filter='GdiTest.*' \
    --gtest_brief=1 </dev/null 2>&1 | tr -d '\r')
  if grep -q '^\[  PASSED  \] 3 tests' <<<"$gdi_log"; then
    pass "two monitors: thousands of display steps leave the GDI objects and windows, covers too, as they were"
  else
    fail "two monitors: thousands of display steps leave the GDI objects and windows as they were" \
      "$(grep -E 'Failure|FAILED|Expected|Which' <<<"$gdi_log" | head -5)"
  fi
else
  fail "two monitors: a display of two monitors for Wine"
fi
mon_restore

# A change of resolution: Wine's virtual desktop, 1024x768 on a 1280x1024 screen, switched to
# 1280x1024 by ChangeDisplaySettingsExW as the display settings do it (plain Xvfb offers Wine no
# other mode). The saver window fills the new screen and centres its pictures on it at once, long
# before its next display step (the delay is 30 s).
res_desktop() { wine reg "$1" "HKCU\Software\Wine\Explorer$2" /v "$3" "${@:4}" /f >/dev/null 2>&1; }
# Succeeds when the pictures shown and their left plus right edges (the width they are centred
# on) are these.
res_pictures() {
  [ "$(driver controls "$MON_TITLE" | awk -F'|' '$1 == "TavoriaPicture" && $3 == 1 {
    split($4, r, ","); if (!n++ || r[1] < l) l = r[1]; if (r[1] + r[3] > e) e = r[1] + r[3] }
    END { print n, l + e }')" = "$1" ]
}
res_rect() { [ "$(driver rect "$MON_TITLE")" = "$1" ]; }
other_screen_start 1280x1024 && res_desktop add '' Desktop /d Default &&
  res_desktop add '\Desktops' Default /d 1024x768 && wine_server_restart
fresh_app_dir resolution
printf '30\r\n' >"$APP_DIR/tavoria_config.ini"
start_program 120 "$APP_WIN\\tavoria.scr" /s
if driver wait "$MON_TITLE" 10000 && until_true 10 res_pictures "6 1024"; then
  check "resolution: switched to 1280x1024" driver resolution 1280 1024
  check "resolution: the saver window fills it" until_true 5 res_rect 0,0,1280,1024
  check "resolution: the pictures are centred on it anew" until_true 5 res_pictures "6 1280"
  screenshot monitors-resolution
  check "resolution: the saver runs on" running "$LAST_PID"
else
  fail "resolution: the saver shows its pictures on a 1024x768 desktop"
fi
stop_programs
res_desktop delete '' Desktop && res_desktop delete '\Desktops' Default
other_screen_stop
wine_server_restart
