# The settings window of the real tavoria.scr: the delay, its refusal box, the web addresses sent
# to the browser, the installer button, and a look at each offer panel.

SETUP_TITLE="Tavoria Screensaver Setup"
INSTALLER_EXE=${INSTALLER_EXE:-$WIN_BUILD/tests/installer_stand_in.exe}

# The addresses captured so far, one a line.
captured_urls() { cat "$E2E_URLS" 2>/dev/null; }
# url_count_above N: true when more than N addresses have been captured.
url_count_above() { [ "$(captured_urls | wc -l)" -gt "$1" ]; }
# A control of the settings window is on screen: shown_control TEXT.
shown_control() {
  driver controls "$SETUP_TITLE" | awk -F'|' -v t="$1" '$3 == 1 && $5 == t { found = 1 } END { exit !found }'
}
hidden_control() { ! shown_control "$1"; }
# press_and_capture NAME BUTTON EXPECTED: presses a button and compares the address it opened.
press_and_capture() {
  local before
  before=$(captured_urls | wc -l)
  driver "$2" "$SETUP_TITLE" "$3"
  if until_true 10 url_count_above "$before"; then
    check_equal "$1" "$4" "$(captured_urls | tail -n1)"
  else
    fail "$1: no address reached the browser"
  fi
}

INVALID_BOX=$(printf '%s\n' 'title=Tavoria Screensaver' \
  'text=The delay you entered was invalid. Please enter a delay between 2 and 30 seconds.' \
  'icon=exclamation' 'buttons=OK')
QUESTION_BOX=$(printf '%s\n' 'title=Install Fenmoor Internet?' \
  "text=Only switch to Fenmoor Internet if you are using pay-as-you-go Internet access i.e. *NOT* any of the following: \\r\\n- BT Anytime \\r\\n- Freeserve Anytime \\r\\n- AOL Dialup (with 'no internet call charges')\\r\\nor any 'anytime', 'unlimited' or 'unmetered' package.\\r\\n\\r\\nFenmoor Internet (Corravel) will be automatically used in future if you install it. \\r\\n\\r\\nDo you want to set up Fenmoor Internet on this computer? \\r\\nInstalling Fenmoor Internet will take about 20 seconds." \
  'icon=question' 'buttons=&Yes,&No')
MISSING_BOX=$(printf '%s\n' "title=Couldn't find the Fenmoor Internet Installer file." \
  'text=Could not find the Fenmoor Internet installer file. \r\n\r\nPlease go to http://www.fenmoor.example/uk/ and download it. ' \
  'icon=information' 'buttons=OK')

# ----- /c:1234: a refused delay, then 7.5 saved ------------------------------------------------
fresh_app_dir setup_delay
start_program 60 "$APP_WIN\\tavoria.scr" /c:1234
pid=$LAST_PID
if driver wait "$SETUP_TITLE" 10000; then
  pass "/c:1234 opens the window \"$SETUP_TITLE\""
  check_equal "the window starts at the top-left corner" "0,0" \
    "$(driver rect "$SETUP_TITLE" | cut -d, -f1,2)"
  driver settext "$SETUP_TITLE" Edit 0 1.9
  driver press "$SETUP_TITLE" OK
  if driver wait "Tavoria Screensaver" 10000; then
    check_equal "1.9: the invalid-delay box, whole" "$INVALID_BOX" "$(driver box "Tavoria Screensaver")"
    driver press "Tavoria Screensaver" OK
    driver gone "Tavoria Screensaver" 5000
    check "1.9: the window stays open" driver wait "$SETUP_TITLE" 2000
    check "1.9: nothing is saved" test ! -e "$APP_DIR/tavoria_config.ini"
  else
    fail "1.9: the invalid-delay box appears"
  fi
  driver settext "$SETUP_TITLE" Edit 0 7.5
  driver press "$SETUP_TITLE" OK
  if wait_exit "$pid" 10; then
    check_equal "OK with 7.5 ends the program" 0 "$EXIT_CODE"
  else
    fail "OK with 7.5 ends the program"
  fi
  check_equal "tavoria_config.ini holds 7.5 CR LF" "372e350d0a" \
    "$(od -An -tx1 "$APP_DIR/tavoria_config.ini" 2>/dev/null | tr -d ' \n')"
else
  fail "/c:1234 opens the window \"$SETUP_TITLE\""
fi
stop_programs

# ----- /c: links, the offer panels and the installer, then Cancel -----------------------------
fresh_app_dir setup_links
printf '9\r\n' >"$APP_DIR/tavoria_config.ini"
db=$(sed -n 4p "$APP_DIR/tavoria.sdf" | tr -d '\r')
start_program 90 "$APP_WIN\\tavoria.scr" /c
pid=$LAST_PID
if driver wait "$SETUP_TITLE" 10000; then
  started=$SECONDS
  pass "/c opens the window \"$SETUP_TITLE\""
  sleep 0.5
  screenshot setup_window
  press_and_capture "the upgrade check sends the installed database's number" press \
    "Check for &upgrades (update fixture list)" \
    "http://www.fenmoor.example/football/upgrade.cgi?db=$db&ss=2&dn=tavoria"
  press_and_capture "the football site's address" press "&Visit Fenmoor Football Zone" \
    "http://www.fenmoor.example/uk/bounce.cgi?loc=uk&dn=tavoria"
  press_and_capture "the cheap-calls link goes through the tracking address" clickon \
    "Visit www.fenmoor.example/cheapcalls" \
    "http://www.fenmoor.example/football/bounce.cgi?devname=tavoria&v=2&where=cheapcalls"

  # Ten seconds on, the free-calls panel.
  if until_true 15 shown_control "Visit www.fenmoor.example/freecalls"; then
    pass "after 10 s the free-calls panel is shown"
    check "the cheap-calls panel is hidden with it" hidden_control "Visit www.fenmoor.example/cheapcalls"
    sleep 0.3
    screenshot setup_window_freecalls
    press_and_capture "the free-calls link's address" clickon \
      "Visit www.fenmoor.example/freecalls" "http://www.fenmoor.example/freecalls/?tavoria"
  else
    fail "after 10 s the free-calls panel is shown"
  fi

  # Twenty seconds on, the internet panel with the install button.
  if until_true 15 shown_control "&Install Fenmoor Internet now!"; then
    pass "after 20 s the internet panel is shown"
    sleep 0.3
    screenshot setup_window_internet
    press_and_capture "the internet link goes through the tracking address" clickon \
      "Visit www.fenmoor.example/internet" \
      "http://www.fenmoor.example/football/bounce.cgi?devname=tavoria&v=2&where=internet"
    # The panels go on turning meanwhile: each press waits for the internet panel to come round.
    until_true 35 shown_control "&Install Fenmoor Internet now!"
    # No installer beside the saver: Yes brings the not-found box.
    driver press "$SETUP_TITLE" "&Install Fenmoor Internet now!"
    if driver wait "Install Fenmoor Internet?" 10000; then
      check_equal "the install question, whole" "$QUESTION_BOX" \
        "$(driver box "Install Fenmoor Internet?")"
      driver press "Install Fenmoor Internet?" "&Yes"
      if driver wait "Couldn't find the Fenmoor Internet Installer file." 10000; then
        check_equal "a missing installer: the not-found box, whole" "$MISSING_BOX" \
          "$(driver box "Couldn't find the Fenmoor Internet Installer file.")"
        driver press "Couldn't find the Fenmoor Internet Installer file." OK
      else
        fail "a missing installer: the not-found box appears"
      fi
    else
      fail "the install question appears"
    fi
    # With the installer beside the saver, Yes starts it.
    cp "$INSTALLER_EXE" "$APP_DIR/setup_fenmoor_internet_access.exe"
    until_true 35 shown_control "&Install Fenmoor Internet now!"
    driver press "$SETUP_TITLE" "&Install Fenmoor Internet now!"
    if driver wait "Install Fenmoor Internet?" 10000; then
      driver press "Install Fenmoor Internet?" "&Yes"
      if until_true 10 test -s "$APP_DIR/installer_started.txt"; then
        check_equal "Yes starts the installer beside the saver" \
          "$APP_WIN\\setup_fenmoor_internet_access.exe" \
          "$(tr -d '\r' <"$APP_DIR/installer_started.txt")"
      else
        fail "Yes starts the installer beside the saver"
      fi
      check "the window stays open after the install" driver wait "$SETUP_TITLE" 2000
    else
      fail "the install question appears a second time"
    fi
  else
    fail "after 20 s the internet panel is shown"
  fi
  check "the window is still open $((SECONDS - started)) s on" driver wait "$SETUP_TITLE" 1000
  driver press "$SETUP_TITLE" Cancel
  if wait_exit "$pid" 10; then
    check_equal "Cancel ends the program" 0 "$EXIT_CODE"
  else
    fail "Cancel ends the program"
  fi
  check_equal "Cancel leaves the settings file as it was" "9" \
    "$(tr -d '\r\n' <"$APP_DIR/tavoria_config.ini")"
else
  fail "/c opens the window \"$SETUP_TITLE\""
fi
stop_programs

# ----- no database: the upgrade check sends -1; closing the window ends the program ------------
fresh_app_dir setup_nodb
rm -f "$APP_DIR/tavoria.sdf"
start_program 60 "$APP_WIN\\tavoria.scr" /c
pid=$LAST_PID
if driver wait "$SETUP_TITLE" 10000; then
  press_and_capture "with no database the upgrade check sends db=-1" press \
    "Check for &upgrades (update fixture list)" \
    "http://www.fenmoor.example/football/upgrade.cgi?db=-1&ss=2&dn=tavoria"
  # A database installed while the window is open is seen at the next click.
  cp "$DIST/tavoria.sdf" "$APP_DIR/tavoria.sdf"
  press_and_capture "a database installed meanwhile is seen at the next click" press \
    "Check for &upgrades (update fixture list)" \
    "http://www.fenmoor.example/football/upgrade.cgi?db=$db&ss=2&dn=tavoria"
  driver settext "$SETUP_TITLE" Edit 0 20
  driver close "$SETUP_TITLE"
  if wait_exit "$pid" 10; then
    check_equal "closing the window ends the program" 0 "$EXIT_CODE"
  else
    fail "closing the window ends the program"
  fi
  check "closing the window saves nothing" test ! -e "$APP_DIR/tavoria_config.ini"
else
  fail "/c with no database opens the window"
fi
stop_programs

# ----- the delay text starts with the saved delay: OK at once saves it again -------------------
fresh_app_dir setup_saved
printf '12\r\n' >"$APP_DIR/tavoria_config.ini"
start_program 60 "$APP_WIN\\tavoria.scr" /c
pid=$LAST_PID
if driver wait "$SETUP_TITLE" 10000; then
  check_equal "the text box shows the saved delay" "12" \
    "$(driver controls "$SETUP_TITLE" | awk -F'|' '$1 == "Edit" { print $5 }')"
  rm -f "$APP_DIR/tavoria_config.ini"
  driver press "$SETUP_TITLE" OK
  if wait_exit "$pid" 10; then
    check_equal "OK at once ends the program" 0 "$EXIT_CODE"
  else
    fail "OK at once ends the program"
  fi
  check_equal "the delay text held the saved 12, saved again as 12 CR LF" "31320d0a" \
    "$(od -An -tx1 "$APP_DIR/tavoria_config.ini" 2>/dev/null | tr -d ' \n')"
else
  fail "/c with a saved delay opens the window"
fi
stop_programs
