# Start-up of the real tavoria.scr: the answers to the command lines.

fresh_app_dir startup
SCR=$APP_WIN\\tavoria.scr

INVALID_TEXT='This is a screensaver. It is not intended to be run as a stand-alone program. \r\n\r\nThe command line specified () was invalid. \r\n\r\nIf you are receiving this message instead of the screensaver running as \r\nintended, you may need to edit the screensaver INI file tavoria_ssargs.ini.\r\nPlease read documentation for more information.\r\n\r\nIf you require more help, please contact Fenmoor Entertainment UK technical support: \r\n\r\nE-mail: support@fenmoor.example\r\nWeb: http://www.fenmoor.example/football/\r\n\r\nPlease make a note of the following information:\r\n\r\nApp version: 2\r\nDevname: tavoria\r\n\r\nThank you, and sorry for any inconvenience.'

# No arguments: the invalid-command-line box, read whole, then OK ends the program.
start_program 30 "$SCR"
pid=$LAST_PID
if driver wait "Tavoria Screensaver error!" 10000; then
  box=$(driver box "Tavoria Screensaver error!")
  check_equal "no arguments: the invalid-command-line box, whole" \
    "$(printf 'title=Tavoria Screensaver error!\ntext=%s\nicon=exclamation\nbuttons=OK' "$INVALID_TEXT")" "$box"
  driver press "Tavoria Screensaver error!" OK
  if wait_exit "$pid" 10; then check_equal "OK ends the program" 0 "$EXIT_CODE"
  else fail "OK ends the program"; fi
else
  fail "no arguments: the invalid-command-line box appears"
fi

# A preview request ends at once, with no window.
start_program 30 "$SCR" /p 1234
pid=$LAST_PID
if wait_exit "$pid" 10; then
  check_equal "/p 1234 ends at once with exit code 0" 0 "$EXIT_CODE"
else
  fail "/p 1234 ends at once"
fi

# A password request: the password box.
start_program 30 "$SCR" /a
pid=$LAST_PID
if driver wait "Tavoria Screensaver: password protection not supported." 10000; then
  box=$(driver box "Tavoria Screensaver: password protection not supported.")
  check_equal "/a: the password box, whole" \
    "$(printf '%s\n' 'title=Tavoria Screensaver: password protection not supported.' \
      'text=Unfortunately, the Tavoria Screensaver does not support password protection. \r\n\r\nPlease visit our site regularly for information on when this feature will be added:\r\nhttp://www.fenmoor.example/football/\r\n\r\nSorry for any inconvenience caused.' \
      'icon=information' 'buttons=OK')" "$box"
  driver press "Tavoria Screensaver: password protection not supported." OK
  wait_exit "$pid" 10 || fail "/a: OK ends the program"
else
  fail "/a: the password box appears"
fi

# The command line arrives as typed after the program's name: capitals are not a preview request.
start_program 30 "$SCR" /P 77
pid=$LAST_PID
if driver wait "Tavoria Screensaver error!" 10000; then
  text=$(driver box "Tavoria Screensaver error!" | sed -n 's/^text=//p')
  case "$text" in
    *"The command line specified (/P 77) was invalid. "*) pass "/P 77 is quoted back unchanged" ;;
    *) fail "/P 77 is quoted back unchanged" "$text" ;;
  esac
  driver press "Tavoria Screensaver error!" OK
  wait_exit "$pid" 10
else
  fail "/P 77 shows the invalid-command-line box"
fi

# A name outside the code page is quoted whole.
start_program 30 "$SCR" /x Łukasz 李
pid=$LAST_PID
if driver wait "Tavoria Screensaver error!" 10000; then
  check "/x Łukasz 李 is quoted back whole" \
    grep -qF "The command line specified (/x Łukasz 李) was invalid." <<<"$(driver box "Tavoria Screensaver error!")"
  driver press "Tavoria Screensaver error!" OK
  wait_exit "$pid" 10
else
  fail "/x Łukasz 李 shows the invalid-command-line box"
fi
