#!/usr/bin/env bash
# Builds the Windows programs and runs the real saver under Wine: on $DISPLAY when there is one,
# otherwise inside Xvfb. Leaves screenshots in build/screenshots: the credits, the display, an
# advert panel after a minute, and the settings window.
#
#   SAVER_SECONDS  how long the saver runs before it is ended (default 65, enough for a panel)
set -eu
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build build/windows -j"$(nproc)" >/dev/null

set +e
USE_DISPLAY=1
source tests/e2e/lib.sh
trap wine_session_stop EXIT
wine_session_start
echo "Wine session on display $DISPLAY"
fresh_app_dir run
shots=$E2E_ROOT/build/screenshots

start_program "$((${SAVER_SECONDS:-65} + 30))" "$APP_WIN\\tavoria.scr" /s
saver=$LAST_PID
driver wait "Screensaver Main Form" 10000 >/dev/null
begin=$SECONDS
elapsed_at_least() { [ $((SECONDS - begin)) -ge "$1" ]; }
at() {  # at SECONDS NAME: a screenshot that many seconds after the window appeared
  until_true 600 elapsed_at_least "$1"
  screenshot "$2" && echo "screenshot: $shots/$2.png"
}
# The credits panel lies at the centre of the screen: wait until it is painted there.
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
credits_shown() {
  [ "$(import -window root -crop "1x1+$((screen_w / 2))+$((screen_h / 2))" -depth 8 txt:- \
    2>/dev/null | grep -o '#[0-9A-F]\{6\}')" = "#C0C0C0" ]
}
until_true 5 credits_shown
screenshot run-1-credits && echo "screenshot: $shots/run-1-credits.png"
at 4 run-2-display
at 12 run-3-display
if [ "${SAVER_SECONDS:-65}" -ge 62 ]; then at 62 run-4-advert-panel; fi
until_true 600 elapsed_at_least "${SAVER_SECONDS:-65}"
xdotool mousemove 10 10 sleep 0.2 mousemove 200 200 >/dev/null 2>&1
wait_exit "$saver" 10 && echo "the saver ended on a pointer movement (exit code $EXIT_CODE)"

start_program 60 "$APP_WIN\\tavoria.scr" /c
settings=$LAST_PID
if driver wait "Tavoria Screensaver Setup" 10000; then
  sleep 1
  screenshot run-5-settings && echo "screenshot: $shots/run-5-settings.png"
  driver close "Tavoria Screensaver Setup"
fi
wait_exit "$settings" 10 || true
