# The saver window and the settings window at high DPI (144 by default; DPI_LIST="120 144 192"
# runs more) on a screen of DPI_SCREEN pixels in a second Xvfb: every picture and text on screen,
# nothing overlapping, every control inside its container and every text with room in its own
# font, read from the real windows with `tavdriver layout`. Screenshots:
# build/screenshots/dpiN-saver.png and dpiN-settings.png. The session is back at 96 DPI on its own
# screen afterwards.
#
# The screen is 1920x1080, a screen for 144 DPI: the session's 1024x768 is 10240 twips wide at
# 144 DPI, narrower than the saver's player row (four pictures of 96-DPI pixels and three gaps of
# a twentieth of the screen's width, 12156 twips there).

DPI_LIST=${DPI_LIST:-144}
DPI_SCREEN=${DPI_SCREEN:-1920x1080}
SAVER_TITLE="Screensaver Main Form"
SETUP_TITLE="Tavoria Screensaver Setup"

set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

# The session's own display and DPI put back, also when the run is cut short.
dpi_restore() {
  stop_programs
  set_dpi 96
  other_screen_stop
  wine_server_restart
}
trap 'dpi_restore; wine_session_stop' EXIT

# layout_problems DPI: reads `tavdriver layout` lines on stdin and prints one line for each problem:
#   - a control not wholly inside its container (a picture, or the window's client area);
#   - two controls shown in one container that overlap, unless one is a frame holding the other;
#   - a text without room in its control's own font: a label's text larger than the label; a
#     button's without 16 pixels across and 8 down to spare, a frame caption's without 24, an
#     edit box's without 8 across and 4 down (pixels at 96 DPI, scaled to DPI).
layout_problems() {
  awk -F'|' -v scale="$(awk -v d="$1" 'BEGIN { print d / 96 }')" '
    {
      n++; id[n] = $1; parent[n] = $2; kind[n] = $3; shown[n] = $4; text[n] = $8
      split($5, r, ","); x[n] = r[1]; y[n] = r[2]; w[n] = r[3]; h[n] = r[4]
      split($7, t, ","); tw[n] = t[1]; th[n] = t[2]
      at[$1] = n
      name[n] = kind[n] " " id[n] " \"" substr(text[n], 1, 40) "\""
    }
    function inside(i, j) {  # i wholly inside j
      return x[i] >= x[j] && y[i] >= y[j] && x[i] + w[i] <= x[j] + w[j] && y[i] + h[i] <= y[j] + h[j]
    }
    function rect(i) { return x[i] "," y[i] "," w[i] "," h[i] }
    function room(i, across, down) {
      if (tw[i] + across * scale > w[i] || th[i] + down * scale > h[i])
        printf "%s: its text needs %d,%d with %d,%d to spare, it has %d,%d\n", name[i], tw[i], th[i],
          across * scale, down * scale, w[i], h[i]
    }
    END {
      for (i = 2; i <= n; i++) {
        c = at[parent[i]]
        if (!inside(i, c)) printf "%s (%s) is not inside %s (%s)\n", name[i], rect(i), name[c], rect(c)
        if (kind[i] ~ /^label/) room(i, 0, 0)
        else if (kind[i] == "button") room(i, 16, 8)
        else if (kind[i] == "frame") room(i, 24, 0)
        else if (kind[i] == "edit") room(i, 8, 4)
        for (j = i + 1; j <= n; j++) {
          if (parent[i] != parent[j] || !shown[i] || !shown[j]) continue
          if (x[i] >= x[j] + w[j] || x[j] >= x[i] + w[i] || y[i] >= y[j] + h[j] || y[j] >= y[i] + h[i]) continue
          if ((kind[i] == "frame" && inside(j, i)) || (kind[j] == "frame" && inside(i, j))) continue
          printf "%s (%s) overlaps %s (%s)\n", name[i], rect(i), name[j], rect(j)
        }
      }
    }'
}

# check_layout NAME DPI LAYOUT: one check that the layout has no problem, listing any it has.
check_layout() {
  local problems
  problems=$(layout_problems "$2" <<<"$3")
  if [ -z "$3" ]; then
    fail "$1" "no layout read"
  elif [ -z "$problems" ]; then
    pass "$1"
  else
    fail "$1" "$(tr '\n' ';' <<<"$problems")"
  fi
}

six_pictures() {
  [ "$(driver layout "$SAVER_TITLE" | awk -F'|' '$2 == 0 && $3 == "picture" && $4 == 1' |
    wc -l)" = 6 ]
}

# An X server of its own for the DPI runs.
other_screen_start "$DPI_SCREEN"
fresh_app_dir dpi

for dpi in $DPI_LIST; do
  set_dpi "$dpi"
  wine_server_restart
  check_equal "$dpi DPI: the programs see a ${DPI_SCREEN} screen at $dpi DPI" \
    "${DPI_SCREEN/x/,},$dpi" "$(driver display)"

  # The saver: once the six pictures show, its whole window (the credits panel keeps its labels
  # after it is hidden).
  start_program 60 "$APP_WIN\\tavoria.scr" /s
  if driver wait "$SAVER_TITLE" 10000 && until_true 10 six_pictures; then
    layout=$(driver layout "$SAVER_TITLE")
    screenshot "dpi$dpi-saver"
    check_equal "$dpi DPI saver: the window covers the screen" "0,0,${DPI_SCREEN/x/,}" \
      "$(head -n1 <<<"$layout" | cut -d'|' -f5)"
    check_equal "$dpi DPI saver: the credits panel's four texts are measured too" 4 \
      "$(awk -F'|' -v p="$(awk -F'|' '$2 == 0 && $3 == "picture" && $4 == 0 { print $1; exit }' \
        <<<"$layout")" '$2 == p && $3 ~ /^label/ && $4 == 1' <<<"$layout" | wc -l)"
    check_layout "$dpi DPI saver: pictures, credits and text on screen, apart, with room" \
      "$dpi" "$layout"
  else
    fail "$dpi DPI saver: the window shows its six pictures"
  fi
  stop_programs

  # The settings window, with the longest delay it takes in its box.
  start_program 60 "$APP_WIN\\tavoria.scr" /c
  settings=$LAST_PID
  if driver wait "$SETUP_TITLE" 10000; then
    driver settext "$SETUP_TITLE" Edit 0 30.5
    layout=$(driver layout "$SETUP_TITLE")
    screenshot "dpi$dpi-settings"
    check "$dpi DPI settings: the window, frame and all, lies on the screen" awk -F, \
      -v s="${DPI_SCREEN/x/,}" '{ split(s, m, ",")
        exit !($1 >= 0 && $2 >= 0 && $1 + $3 <= m[1] && $2 + $4 <= m[2]) }' \
      <<<"$(driver rect "$SETUP_TITLE")"
    check_layout "$dpi DPI settings: controls inside their containers, apart, every text with room" \
      "$dpi" "$layout"
    driver press "$SETUP_TITLE" Cancel
    wait_exit "$settings" 10 || fail "$dpi DPI settings: Cancel ends the program"
  else
    fail "$dpi DPI settings: the window opens"
  fi
  stop_programs
done

dpi_restore
trap wine_session_stop EXIT
check_equal "back at 96 DPI on the session's screen" "$(xdotool getdisplaygeometry | tr ' ' ,),96" \
  "$(driver display)"
