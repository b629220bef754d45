# A standard user on today's Windows: the saver installed in a Windows directory the user cannot
# write. The settings window saves the delay as the user's own, shows it when opened again, and the
# full-screen saver uses it; a delay an administrator left beside the program still serves a user
# who has none of their own. The user's roaming folder lies in a profile named outside the code
# page, as for a user "Łukasz 李" on a Western European Windows.
#
# Wine run as root can write everywhere, so this runs Wine as a user of its own, with a prefix of
# that user's whose Windows directory is read-only, on the session's display.

SU_USER=${SU_USER:-tavoria-user}  # another name lets two checkouts run this at once
SU_TITLE="Tavoria Screensaver Setup"

standard_user_prepare() {
  if [ "$(id -u)" != 0 ]; then
    fail "standard user: making a user of our own needs root"
    return 1
  fi
  id "$SU_USER" >/dev/null 2>&1 || useradd -m -s /bin/sh "$SU_USER" || return 1
  SU_HOME=$(getent passwd "$SU_USER" | cut -d: -f6)
  SU_PREFIX=$SU_HOME/tavoria-pfx
  as_user wineserver -k >/dev/null 2>&1
  rm -rf "$SU_PREFIX"
  as_user wineboot -i >/dev/null 2>&1 || return 1
  cp /usr/share/wine/fonts/*.ttf "$SU_PREFIX/drive_c/windows/Fonts/" 2>/dev/null
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n"Verdana"="DejaVu Sans"\n"Arial"="Liberation Sans"\n' \
    >"$SU_HOME/fonts.reg"
  cp "$DRIVER_EXE" "$SU_HOME/tavdriver.exe"
  chown -R "$SU_USER" "$SU_PREFIX/drive_c/windows/Fonts" "$SU_HOME/fonts.reg" "$SU_HOME/tavdriver.exe"
  as_user wine regedit /S "$SU_HOME/fonts.reg" >/dev/null 2>&1
  as_user wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' \
    /v AppData /t REG_EXPAND_SZ /d 'C:\users\Łukasz 李\AppData\Roaming' /f >/dev/null 2>&1
  as_user mkdir -p "$SU_PREFIX/drive_c/users/Łukasz 李/AppData/Roaming"
  as_user wineserver -p
  as_user wine cmd /c exit </dev/null >/dev/null 2>&1
  # The saver where an installer puts it, in a Windows directory the user cannot write.
  SU_WINDIR=$SU_PREFIX/drive_c/windows
  cp "$DIST/tavoria.scr" "$DIST/tavoria.sdf" "$SU_WINDIR/"
  chmod a-w "$SU_WINDIR" "$SU_WINDIR/tavoria.scr" "$SU_WINDIR/tavoria.sdf"
  SU_OWN="$SU_PREFIX/drive_c/users/Łukasz 李/AppData/Roaming/Tavoria Screensaver/tavoria_config.ini"
}

# Runs a command as the user, in the user's prefix, on the session's display.
as_user() {
  runuser -u "$SU_USER" -- env HOME="$SU_HOME" DISPLAY="$DISPLAY" WINEPREFIX="$SU_PREFIX" \
    WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64 "$@"
}
user_driver() {
  as_user wine "$SU_HOME/tavdriver.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}
# start_user_program SECONDS ARGS...: the saver started by the user; its PID in LAST_PID.
start_user_program() {
  local limit=$1
  shift
  timeout "$limit" runuser -u "$SU_USER" -- env HOME="$SU_HOME" DISPLAY="$DISPLAY" \
    WINEPREFIX="$SU_PREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64 \
    wine 'C:\windows\tavoria.scr' "$@" </dev/null >/dev/null 2>&1 &
  LAST_PID=$!
  E2E_PIDS+=("$LAST_PID")
}
user_edit_text() { user_driver controls "$SU_TITLE" | awk -F'|' '$1 == "Edit" { print $5 }'; }
# The saver's text label: its rectangle and text. A display step moves it and changes it.
user_saver_text() {
  user_driver controls "Screensaver Main Form" |
    awk -F'|' '$1 == "Static" && $3 == 1 && $5 != "" && $5 != "ok" { print $4 "|" $5 }'
}

if standard_user_prepare; then
  check "standard user: the Windows directory is read-only for the user" \
    sh -c "! runuser -u $SU_USER -- touch '$SU_WINDIR/probe' 2>/dev/null"

  # OK saves the delay as the user's own, with no message.
  start_user_program 60 /c
  pid=$LAST_PID
  if user_driver wait "$SU_TITLE" 10000; then
    user_driver settext "$SU_TITLE" Edit 0 30
    user_driver press "$SU_TITLE" OK
    if wait_exit "$pid" 10; then
      check_equal "standard user: OK ends the settings window with exit code 0" 0 "$EXIT_CODE"
    else
      fail "standard user: OK ends the settings window"
      user_driver box "Tavoria Screensaver: couldn't open file!"
    fi
    check_equal "standard user: the delay is saved in the user's own settings file, under Łukasz 李" \
      "33300d0a" \
      "$(od -An -tx1 "$SU_OWN" 2>/dev/null | tr -d ' \n')"
    check "standard user: nothing is written beside the program" \
      test ! -e "$SU_WINDIR/tavoria_config.ini"
  else
    fail "standard user: /c opens the settings window"
  fi
  stop_programs

  # Opened again, the settings window shows the saved delay.
  start_user_program 60 /c
  pid=$LAST_PID
  if user_driver wait "$SU_TITLE" 10000; then
    check_equal "standard user: the settings window shows the saved delay" 30 "$(user_edit_text)"
    user_driver press "$SU_TITLE" Cancel
    wait_exit "$pid" 10 || fail "standard user: Cancel ends the settings window"
  else
    fail "standard user: /c opens the settings window again"
  fi
  stop_programs

  # The full-screen saver uses it: with 30 s between texts, the text shown at 4.5 s (after the two
  # opening steps at 1.5 s and 3 s) is still there at 9.5 s, where a delay of 7 s would have
  # brought a new one at 8.5 s.
  start_user_program 60 /s
  pid=$LAST_PID
  if user_driver wait "Screensaver Main Form" 10000; then
    opened=$SECONDS
    at_least() { [ $((SECONDS - opened)) -ge "$1" ]; }
    until_true 10 at_least 5
    first=$(user_saver_text)
    until_true 10 at_least 10
    second=$(user_saver_text)
    if [ -n "$first" ] && [ "$first" = "$second" ]; then
      pass "standard user: the full-screen saver changes its text at the saved delay, not at 7 s"
    else
      fail "standard user: the full-screen saver changes its text at the saved delay" \
        "at 4.5 s: $first; at 9.5 s: $second"
    fi
  else
    fail "standard user: /s opens the saver window"
  fi
  stop_programs
  as_user wineserver -k >/dev/null 2>&1

  # An administrator's delay beside the program serves a user who has none of their own.
  rm -f "$SU_OWN"
  chmod u+w "$SU_WINDIR"
  printf '25\r\n' >"$SU_WINDIR/tavoria_config.ini"
  chmod a-w "$SU_WINDIR" "$SU_WINDIR/tavoria_config.ini"
  start_user_program 60 /c
  pid=$LAST_PID
  if user_driver wait "$SU_TITLE" 10000; then
    check_equal "standard user: a delay beside the program serves a user with none of their own" \
      25 "$(user_edit_text)"
    user_driver press "$SU_TITLE" Cancel
    wait_exit "$pid" 10 || fail "standard user: Cancel ends the settings window"
  else
    fail "standard user: /c opens the settings window with the administrator's delay"
  fi
  stop_programs
fi
as_user wineserver -k >/dev/null 2>&1
[ -n "${SU_PREFIX:-}" ] && rm -rf "$SU_PREFIX"
