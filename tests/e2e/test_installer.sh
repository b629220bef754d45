# The setup program, tavoria-setup.exe, in a Wine prefix of its own (a fresh Windows with nothing
# of ours in it): a silent install puts the programs, the screensaver setting, the upgrade file
# type and the installed-programs entry in place; the shell opens an upgrade file through the
# file type as a double-click does; an installed database with a higher number survives a new
# install; the uninstaller takes away everything the install added and only that; the setup's
# own pages open, show what they should, and close; and run as another account than the user at
# the desktop, setup and uninstaller leave the screensaver setting alone and say why.
#
# The session's prefix is put back at the end. Silent installs and uninstalls are timed, and the
# times printed.

INST_SESSION_PREFIX=$WINEPREFIX
INST_PREFIX=$E2E_TMP/installer-pfx
INST_SETUP=$DIST/tavoria-setup.exe
INST_TITLE="Tavoria Screensaver Setup"
# Every page after the welcome page has a blank subcaption after the title.
INST_PAGE_TITLE="Tavoria Screensaver Setup "
UNINST_PAGE_TITLE="Tavoria Screensaver Uninstall "
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TavoriaScreensaver'
UNINSTALL_KEY_SHOWN='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\TavoriaScreensaver'
CLASSES_SHOWN='HKEY_LOCAL_MACHINE\Software\Classes'
UNINSTALLER_WIN='C:\Program Files\Tavoria Screensaver\uninstall.exe'
# The uninstaller's working copy of itself in the temporary folder (~nsuN.tmp\Un.exe).
UNINSTALLER_COPY='~nsu[^\\]*\.tmp\\Un'
INSTALL_TIMES=()
UNINSTALL_TIMES=()
# The tests' one account is the desktop's user; this test option of the setup names another.
OTHER_DESKTOP_USER='/TEST-ONLY-DESKTOP-USER=TAVORIA\bob'

# ----- the prefix of our own ------------------------------------------------------------------

installer_prefix_start() {
  export WINEPREFIX=$INST_PREFIX
  rm -rf "$INST_PREFIX"
  wineboot -i >/dev/null 2>&1 || return 1
  cp /usr/share/wine/fonts/*.ttf "$INST_PREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wine regedit /S "$E2E_TMP/fonts.reg" >/dev/null 2>&1
  # Restarted: a desktop shell started while wineboot's first start of the services still holds
  # them cannot register its window list, which the setup's finish page asks for.
  wine_server_restart
  INST_C=$INST_PREFIX/drive_c
  INST_WINDIR=$INST_C/windows
  INST_APPDATA=$INST_C/users/$(id -un)/AppData/Roaming
  INST_PROGRAMS="$INST_C/Program Files"
  INST_SETUP_LOG="$INST_PROGRAMS/Tavoria Screensaver/setup.log"
}

installer_prefix_stop() {
  stop_programs
  stop_prefix_processes "$UNINSTALLER_COPY"
  stop_prefix_processes 'kelvane\.exe'
  stop_prefix_processes 'control\.exe'
  # Ends the rest of this prefix's Windows processes, and its wineserver.
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$INST_PREFIX"
  export WINEPREFIX=$INST_SESSION_PREFIX
}

# PIDs of this prefix's Windows processes whose command line matches the pattern: the ones the
# programs under test start themselves (the uninstaller's copy of itself, Kelvane started by the
# shell), which are not our children.
prefix_processes() {
  local pid
  for pid in $(pgrep -f -- "$1"); do
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$INST_PREFIX" &&
      [ "$(ps -o stat= -p "$pid" 2>/dev/null | cut -c1)" != Z ] && echo "$pid"
  done
}
no_prefix_process() { [ -z "$(prefix_processes "$1")" ]; }
stop_prefix_processes() {
  local pid
  for pid in $(prefix_processes "$1"); do kill "$pid" 2>/dev/null; done
}

# ----- running the setup and the uninstaller --------------------------------------------------

seconds_since() { awk -v a="$1" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.2f", b - a }'; }

# A silent install, with any further arguments; its exit code in EXIT_CODE and its time in
# INSTALL_TIMES. Returns 1 when it does not end in time.
silent_install() {
  local started=$EPOCHREALTIME
  start_program 120 "$INST_SETUP" /S "$@"
  if ! wait_exit "$LAST_PID" 120; then
    fail "a silent install ends within 120 s"
    return 1
  fi
  INSTALL_TIMES+=("$(seconds_since "$started")")
}

# The uninstaller copies itself to the temporary folder, starts the copy and ends; the copy does
# the work. Waits for the copy to end as well.
wait_uninstaller_copy() {
  if ! until_true 60 no_prefix_process "$UNINSTALLER_COPY"; then
    fail "the uninstaller's working copy ends within 60 s"
    stop_prefix_processes "$UNINSTALLER_COPY"
    return 1
  fi
}
silent_uninstall() {
  local started=$EPOCHREALTIME
  start_program 60 "$UNINSTALLER_WIN" /S
  if ! wait_exit "$LAST_PID" 60; then
    fail "a silent uninstall starts its working copy within 60 s"
    return 1
  fi
  wait_uninstaller_copy || return 1
  UNINSTALL_TIMES+=("$(seconds_since "$started")")
}

# ----- what is on the machine -----------------------------------------------------------------

# reg_tree KEY: every value under the key and its subkeys, one a line: key|name|type|value.
reg_tree() {
  wine reg query "$1" /s </dev/null 2>/dev/null | tr -d '\r' | awk '
    /^HKEY_/ { key = $0; next }
    /^    / {
      line = substr($0, 5); n = index(line, "    ")
      name = substr(line, 1, n - 1); rest = substr(line, n + 4); m = index(rest, "    ")
      if (m == 0) { type = rest; value = "" } else { type = substr(rest, 1, m - 1); value = substr(rest, m + 4) }
      print key "|" name "|" type "|" value
    }'
}
key_absent() { ! wine reg query "$1" </dev/null >/dev/null 2>&1; }
desktop_values() {
  reg_tree 'HKCU\Control Panel\Desktop' |
    awk -F'|' '$1 == "HKEY_CURRENT_USER\\Control Panel\\Desktop" &&
      ($2 == "SCRNSAVE.EXE" || $2 == "ScreenSaveActive") { print $2 "=" $4 }' | sort
}
# A Linux path as Windows programs see it, on drive Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
# The text of a page's control with this id; whether the page is the finish page.
page_text() { driver controls "$1" | awk -F'|' -v id="$2" '$2 == id && $3 == 1 { print $5 }'; }
on_finish_page() { driver controls "$1" | grep -q '^Button|1|1|.*|&Finish$'; }
file_size() { stat -c %s "$1"; }
# The name of the running program's parent process, and the program's command line:
# parent|command line.
process_origin() {
  local pid parent
  pid=$(prefix_processes "$1" | head -n1)
  parent=$(wine wmic process get Name,ParentProcessId,ProcessId </dev/null 2>/dev/null |
    iconv -f UTF-16LE -t UTF-8 | tr -d '\r' | awk -v name="$2" '
      $1 == name { parent = $2 } { names[$3] = $1 } END { print names[parent] }')
  printf '%s|%s' "$parent" "$(tr '\0' ' ' <"/proc/$pid/cmdline" | sed 's/ *$//')"
}
listing() { (cd "$1" 2>/dev/null && find . -maxdepth 1 | sort); }

# A complete team database: the shipped one with line 4, its number, replaced.
database_numbered() {
  awk -v n="$1" 'NR == 4 { printf "%s\r\n", n; next } { print }' "$E2E_ROOT/assets/tavoria.sdf"
}

# The installed-programs entry and the file type as a fresh install writes them.
expected_uninstall_entry() {
  local kb=$(( ($(file_size "$INST_WINDIR/tavoria.scr") + $(file_size "$INST_WINDIR/tavoria.sdf") +
    $(file_size "$INST_WINDIR/kelvane.exe") +
    $(file_size "$INST_PROGRAMS/Tavoria Screensaver/uninstall.exe") + 1023) / 1024 ))
  {
    printf '%s|DisplayIcon|REG_SZ|C:\\windows\\tavoria.scr,0\n' "$UNINSTALL_KEY_SHOWN"
    printf '%s|DisplayName|REG_SZ|Tavoria Screensaver\n' "$UNINSTALL_KEY_SHOWN"
    printf '%s|DisplayVersion|REG_SZ|2\n' "$UNINSTALL_KEY_SHOWN"
    printf '%s|EstimatedSize|REG_DWORD|0x%x\n' "$UNINSTALL_KEY_SHOWN" "$kb"
    printf '%s|InstallLocation|REG_SZ|C:\\Program Files\\Tavoria Screensaver\n' "$UNINSTALL_KEY_SHOWN"
    printf '%s|NoModify|REG_DWORD|0x1\n' "$UNINSTALL_KEY_SHOWN"
    printf '%s|NoRepair|REG_DWORD|0x1\n' "$UNINSTALL_KEY_SHOWN"
    [ -n "${1:-}" ] && printf '%s|PreviousUpgradeFileType|REG_SZ|%s\n' "$UNINSTALL_KEY_SHOWN" "$1"
    printf '%s|Publisher|REG_SZ|Fenmoor Entertainment UK\n' "$UNINSTALL_KEY_SHOWN"
    printf '%s|QuietUninstallString|REG_SZ|"C:\\Program Files\\Tavoria Screensaver\\uninstall.exe" /S\n' \
      "$UNINSTALL_KEY_SHOWN"
    printf '%s|UninstallString|REG_SZ|"C:\\Program Files\\Tavoria Screensaver\\uninstall.exe"\n' \
      "$UNINSTALL_KEY_SHOWN"
  } | sort
}
expected_file_type() {
  local p="$CLASSES_SHOWN\\Tavoria.FixtureUpgrade"
  printf '%s|(Default)|REG_SZ|Tavoria fixture upgrade\n' "$p"
  printf '%s\\DefaultIcon|(Default)|REG_SZ|"C:\\windows\\kelvane.exe",-2\n' "$p"
  printf '%s\\shell|(Default)|REG_SZ|open\n' "$p"
  printf '%s\\shell\\open|(Default)|REG_SZ|&Install upgrade\n' "$p"
  # No quotes around %1: Kelvane takes its whole argument text as the path.
  printf '%s\\shell\\open\\command|(Default)|REG_SZ|"C:\\windows\\kelvane.exe" %%1\n' "$p"
}
expected_extension() {
  printf '%s\\.tup|(Default)|REG_SZ|Tavoria.FixtureUpgrade\n' "$CLASSES_SHOWN"
  printf '%s\\.tup\\OpenWithProgids|Tavoria.FixtureUpgrade|REG_SZ|\n' "$CLASSES_SHOWN"
}

# ----- the checks -----------------------------------------------------------------------------

if [ ! -f "$INST_SETUP" ]; then
  fail "installer: build/dist/tavoria-setup.exe was built"
elif ! installer_prefix_start; then
  fail "installer: a fresh Wine prefix of our own starts"
  installer_prefix_stop
else
  windows_before=$(listing "$INST_WINDIR")
  programs_before=$(listing "$INST_PROGRAMS")
  uninstall_list_before=$(reg_tree 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall')

  # ----- the setup program's own resources, read without running it -----
  setup_resources=$(driver resources "$(windows_path "$INST_SETUP")")
  check_equal "setup resources: the product, its maker and version" \
    "$(printf 'version.product=2.0.0.0\nversion.CompanyName=Fenmoor Entertainment UK\nversion.ProductName=Tavoria Screensaver\nversion.ProductVersion=2')" \
    "$(grep -E '^version\.(product|CompanyName|ProductName|ProductVersion)=' <<<"$setup_resources")"
  saver_icon=$(driver resources "$(windows_path "$DIST/tavoria.scr")" | sed -n 's/^icon1\.crc=//p')
  if [ -n "$saver_icon" ]; then
    check_equal "setup resources: the saver's own icon, every image" "$saver_icon" \
      "$(sed -n 's/^icon[0-9]*\.crc=//p' <<<"$setup_resources" | head -n1)"
  else
    fail "setup resources: the saver's icon can be read"
  fi
  check_equal "setup resources: it asks for administrator rights" \
    "manifest.level=requireAdministrator" "$(grep '^manifest\.level=' <<<"$setup_resources")"

  # ----- a silent install on a machine that never had the saver -----
  if silent_install; then
    check_equal "silent install: exit code 0" 0 "$EXIT_CODE"
    for f in tavoria.scr tavoria.sdf kelvane.exe; do
      check "silent install: C:\\windows\\$f is the delivered file byte for byte" \
        cmp -s "$DIST/$f" "$INST_WINDIR/$f"
    done
    check "silent install: the uninstaller in C:\\Program Files\\Tavoria Screensaver" \
      test -f "$INST_PROGRAMS/Tavoria Screensaver/uninstall.exe"
    check_equal "silent install: nothing else new in C:\\windows" \
      "$(printf '%s\n' "$windows_before" ./kelvane.exe ./tavoria.scr ./tavoria.sdf | sort)" \
      "$(listing "$INST_WINDIR")"
    check_equal "silent install: the saver is the user's screensaver, and on" \
      "$(printf 'SCRNSAVE.EXE=C:\\windows\\tavoria.scr\nScreenSaveActive=1')" "$(desktop_values)"
    check "silent install: no setup.log, with nothing to explain" test ! -e "$INST_SETUP_LOG"
    check_equal "silent install: the upgrade file type, whole, with the open command" \
      "$(expected_file_type)" "$(reg_tree 'HKLM\Software\Classes\Tavoria.FixtureUpgrade')"
    check_equal "silent install: .tup names the upgrade file type" \
      "$(expected_extension)" "$(reg_tree 'HKLM\Software\Classes\.tup')"
    check_equal "silent install: the installed-programs entry, whole" \
      "$(expected_uninstall_entry)" "$(reg_tree "$UNINSTALL_KEY" | sort)"
  fi

  # ----- the shell opens an upgrade file as a double-click does -----
  mkdir -p "$INST_C/My Upgrades"
  UPGRADE_FILE="$INST_C/My Upgrades/tavoria upgrade 18.tup"
  database_numbered 18 >"$UPGRADE_FILE"
  # `start /wait` opens the file through its type and waits for the program the type starts.
  start_program 60 start /wait 'C:\My Upgrades\tavoria upgrade 18.tup'
  opener=$LAST_PID
  if driver wait "Screensaver upgraded!" 15000 >/dev/null; then
    check_equal "opening a .tup file: Kelvane says the screensaver was upgraded" \
      "$(printf 'title=Screensaver upgraded!\ntext=Your screensaver has been upgraded!\nicon=information\nbuttons=OK')" \
      "$(driver box "Screensaver upgraded!")"
    driver press "Screensaver upgraded!" OK
    wait_exit "$opener" 15 || fail "opening a .tup file: Kelvane ends after OK"
    check "opening a .tup file: C:\\windows\\tavoria.sdf is the upgrade byte for byte" \
      cmp -s "$UPGRADE_FILE" "$INST_WINDIR/tavoria.sdf"
  else
    fail "opening a .tup file: Kelvane's box appears" "$(driver box "Screensaver upgrade" 2>&1)"
  fi
  stop_programs
  stop_prefix_processes 'kelvane\.exe'

  # ----- installing over an installed database -----
  # Line 4 of the installed database | kept or replaced by the shipped one (number 17), as the
  # saver's loader reads the number (through tavdb check, which warns when it is no higher).
  loader_keeps() {
    ! wine "$DIST/tavdb.exe" check "$(windows_path "$1")" --previous \
      "$(windows_path "$E2E_ROOT/assets/tavoria.sdf")" </dev/null 2>&1 >/dev/null |
      grep -qE 'reads no database number here|is not higher than'
  }
  while IFS='|' read -r number outcome; do
    if [ "$number" = upgrade ]; then
      installed=$UPGRADE_FILE  # what Kelvane just installed, number 18
    else
      installed=$E2E_TMP/installed.sdf
      database_numbered "$number" >"$installed"
      printf 'ours\r\n' >>"$installed"
      cp "$installed" "$INST_WINDIR/tavoria.sdf"
    fi
    loader=replaced
    loader_keeps "$installed" && loader=kept
    check_equal "database number '$number': the loader's reading" "$outcome" "$loader"
    silent_install || continue
    if [ "$outcome" = kept ]; then
      check "install over database number '$number': kept byte for byte" \
        cmp -s "$installed" "$INST_WINDIR/tavoria.sdf"
    else
      check "install over database number '$number': replaced by the shipped one" \
        cmp -s "$E2E_ROOT/assets/tavoria.sdf" "$INST_WINDIR/tavoria.sdf"
    fi
  done <<'CASES'
upgrade|kept
1234567890123|replaced
020|kept
16|replaced
17|replaced
x18|replaced
18.0|kept
+18|kept
17.5|kept
16.5|replaced
18.4|kept
32768|replaced
CASES

  # ----- a silent uninstall -----
  # The user picked another screensaver since, has settings of their own, and an upgrade was
  # cut off, leaving its temporary file.
  wine reg add 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE /d 'C:\windows\system32\other.scr' /f \
    >/dev/null 2>&1
  printf '12\r\n' >"$INST_WINDIR/tavoria_config.ini"
  printf '/x,/y\r\n' >"$INST_WINDIR/tavoria_ssargs.ini"
  mkdir -p "$INST_APPDATA/Tavoria Screensaver"
  printf '25\r\n' >"$INST_APPDATA/Tavoria Screensaver/tavoria_config.ini"
  printf 'half an upgrade' >"$INST_WINDIR/kelvane-4242-0.tmp"
  if silent_uninstall; then
    check_equal "silent uninstall: C:\\windows holds only what it had, and the user's settings" \
      "$(printf '%s\n' "$windows_before" ./tavoria_config.ini ./tavoria_ssargs.ini | sort)" \
      "$(listing "$INST_WINDIR")"
    check_equal "silent uninstall: its folder in C:\\Program Files is gone" "$programs_before" \
      "$(listing "$INST_PROGRAMS")"
    check_equal "silent uninstall: the installed-programs list is as before" \
      "$uninstall_list_before" \
      "$(reg_tree 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall')"
    check "silent uninstall: the .tup extension is gone" key_absent 'HKLM\Software\Classes\.tup'
    check "silent uninstall: the upgrade file type is gone" \
      key_absent 'HKLM\Software\Classes\Tavoria.FixtureUpgrade'
    check_equal "silent uninstall: another screensaver the user picked stays" \
      "$(printf 'SCRNSAVE.EXE=C:\\windows\\system32\\other.scr\nScreenSaveActive=1')" \
      "$(desktop_values)"
    check_equal "silent uninstall: the user's settings files stay as they were" \
      "12|/x,/y|25" \
      "$(tr -d '\r\n' <"$INST_WINDIR/tavoria_config.ini")|$(tr -d '\r\n' <"$INST_WINDIR/tavoria_ssargs.ini")|$(tr -d '\r\n' <"$INST_APPDATA/Tavoria Screensaver/tavoria_config.ini")"
  fi

  # ----- a .tup type that was there before, and our saver still the screensaver -----
  wine reg add 'HKLM\Software\Classes\.tup' /ve /d 'OtherApp.Upgrade' /f >/dev/null 2>&1
  if silent_install; then
    check_equal "install over another .tup type: the installed-programs entry remembers it" \
      "$(expected_uninstall_entry OtherApp.Upgrade)" "$(reg_tree "$UNINSTALL_KEY" | sort)"
    # The path as the Screen Saver settings might write it: upper case.
    wine reg add 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE /d 'C:\WINDOWS\TAVORIA.SCR' /f \
      >/dev/null 2>&1
    if silent_uninstall; then
      check_equal "uninstall: .tup names the type it named before" \
        "$(printf '%s\\.tup|(Default)|REG_SZ|OtherApp.Upgrade' "$CLASSES_SHOWN")" \
        "$(reg_tree 'HKLM\Software\Classes\.tup')"
      check_equal "uninstall: our saver, named in any case, is no longer the screensaver" \
        "ScreenSaveActive=0" "$(desktop_values)"
    fi
  fi
  wine reg delete 'HKLM\Software\Classes\.tup' /f >/dev/null 2>&1

  # ----- the setup's own pages -----
  # Opened and cancelled on the welcome page: nothing is installed.
  start_program 120 "$INST_SETUP"
  setup=$LAST_PID
  if driver wait "$INST_TITLE" 20000 >/dev/null; then
    check_equal "setup pages: the welcome page greets the user" \
      "Welcome to Tavoria Screensaver Setup" "$(page_text "$INST_TITLE" 1201)"
    if screenshot installer-root; then
      /usr/bin/convert "$E2E_ROOT/build/screenshots/installer-root.png" -trim +repage \
        "$E2E_ROOT/build/screenshots/installer-welcome.png"
      rm -f "$E2E_ROOT/build/screenshots/installer-root.png"
    fi
    driver press "$INST_TITLE" Cancel
    if wait_exit "$setup" 15; then
      pass "setup pages: Cancel on the welcome page ends the setup (exit code $EXIT_CODE)"
    else
      fail "setup pages: Cancel on the welcome page ends the setup"
    fi
    check "setup pages: nothing installed after Cancel" test ! -e "$INST_WINDIR/tavoria.scr"
  else
    fail "setup pages: the welcome page appears"
  fi
  stop_programs

  # Walked through over a newer database, with "Use as my screensaver" cleared: the finish page
  # says the database was kept, and the screensaver setting is left alone.
  database_numbered ' 0099 ' >"$E2E_TMP/installed.sdf"
  cp "$E2E_TMP/installed.sdf" "$INST_WINDIR/tavoria.sdf"
  wine reg add 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE /d 'C:\windows\system32\other.scr' /f \
    >/dev/null 2>&1
  desktop_now=$(desktop_values)
  start_program 120 "$INST_SETUP"
  setup=$LAST_PID
  if driver wait "$INST_TITLE" 20000 >/dev/null && driver press "$INST_TITLE" "&Next >" &&
    driver wait "$INST_PAGE_TITLE" 10000 >/dev/null; then
    # The component's check box: the second item of the components tree.
    tree=$(driver controls "$INST_PAGE_TITLE" | awk -F'|' '$1 == "SysTreeView32" { print $4 }')
    IFS=, read -r tx ty _ _ <<<"$tree"
    if [ -n "$tree" ]; then
      xdotool mousemove $((tx + 9)) $((ty + 25)) click 1
      driver press "$INST_PAGE_TITLE" "&Install"
      if until_true 30 on_finish_page "$INST_PAGE_TITLE"; then
        check_equal "setup pages: the finish page says the newer database was kept" \
          "Tavoria Screensaver has been installed on your computer.\\r\\n\\r\\nYour team database (number 99) is newer than the one in this Setup (number 17), so it was kept.\\r\\n\\r\\nClick Finish to close Setup." \
          "$(page_text "$INST_PAGE_TITLE" 1202)"
        driver press "$INST_PAGE_TITLE" "&Finish"
        wait_exit "$setup" 15 && check_equal "setup pages: Finish ends the setup with exit code 0" \
          0 "$EXIT_CODE" || fail "setup pages: Finish ends the setup"
        check "setup pages: the newer database is kept byte for byte" \
          cmp -s "$E2E_TMP/installed.sdf" "$INST_WINDIR/tavoria.sdf"
        check_equal "setup pages: with the screensaver component cleared, the setting stays" \
          "$desktop_now" "$(desktop_values)"
      else
        fail "setup pages: the finish page appears"
      fi
    else
      fail "setup pages: the components page shows its tree"
    fi
  else
    fail "setup pages: Next leads from the welcome page to the components page"
  fi
  stop_programs

  # The uninstaller's pages: its finish page names the settings files it leaves.
  start_program 60 "$UNINSTALLER_WIN"
  if wait_exit "$LAST_PID" 30 && driver wait "$UNINST_PAGE_TITLE" 20000 >/dev/null; then
    driver press "$UNINST_PAGE_TITLE" "&Uninstall"
    if until_true 30 on_finish_page "$UNINST_PAGE_TITLE"; then
      check_equal "uninstaller pages: the finish page names the settings files left in place" \
        "Tavoria Screensaver has been removed from your computer.\\r\\n\\r\\nYour own settings were left in place; delete them if you no longer want them:\\r\\nC:\\\\windows\\\\tavoria_config.ini\\r\\nC:\\\\windows\\\\tavoria_ssargs.ini\\r\\nC:\\\\users\\\\$(id -un)\\\\AppData\\\\Roaming\\\\Tavoria Screensaver\\\\tavoria_config.ini\\r\\n\\r\\nClick Finish to close Setup." \
        "$(page_text "$UNINST_PAGE_TITLE" 1202)"
      driver press "$UNINST_PAGE_TITLE" "&Finish"
      wait_uninstaller_copy && pass "uninstaller pages: Finish ends the uninstaller"
      check "uninstaller pages: the programs are gone" \
        test ! -e "$INST_WINDIR/tavoria.scr" -a ! -e "$INST_WINDIR/kelvane.exe" -a \
        ! -e "$INST_WINDIR/tavoria.sdf"
    else
      fail "uninstaller pages: the finish page appears"
    fi
  else
    fail "uninstaller pages: the confirmation page appears"
  fi
  stop_programs
  stop_prefix_processes "$UNINSTALLER_COPY"

  # ----- setup and uninstaller run as another account than the user at the desktop -----
  setup_account=$(wine cmd /c 'echo %USERDOMAIN%\%USERNAME%' </dev/null 2>/dev/null | tr -d '\r')
  not_desktop_user="Setup ran as $setup_account, not as TAVORIA\\bob at this desktop"
  wine reg add 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE /d 'C:\windows\system32\other.scr' /f \
    >/dev/null 2>&1
  desktop_now=$(desktop_values)
  # The finish page's button hands the Screen Saver settings to the shell; here Kelvane stands in
  # for them, and its box stays open while its parent and command line are read.
  cp "$DIST/kelvane.exe" "$INST_WINDIR/system32/control.exe"
  wine reg add 'HKCU\Software\Wine\DllOverrides' /v control.exe /d native /f >/dev/null 2>&1
  start_program 120 "$INST_SETUP" "$OTHER_DESKTOP_USER"
  setup=$LAST_PID
  if driver wait "$INST_TITLE" 20000 >/dev/null && driver press "$INST_TITLE" "&Next >" &&
    driver wait "$INST_PAGE_TITLE" 10000 >/dev/null && driver press "$INST_PAGE_TITLE" "&Install" &&
    until_true 30 on_finish_page "$INST_PAGE_TITLE"; then
    check_equal "another desktop user: the finish page says so and how to choose the saver" \
      "Tavoria Screensaver has been installed on your computer.\\r\\n\\r\\n${not_desktop_user//\\/\\\\}, so it did not change anyone's screensaver.\\r\\n\\r\\nTo make Tavoria Screensaver your screensaver, choose it in Settings > Personalisation > Lock screen > Screen saver, or click Open Screen Saver Settings below.\\r\\n\\r\\nClick Finish to close Setup." \
      "$(page_text "$INST_PAGE_TITLE" 1202)"
    driver press "$INST_PAGE_TITLE" "Open Screen Saver Settings"
    if driver wait "Screensaver upgrade" 15000 >/dev/null; then
      check_equal "another desktop user: the button has the shell open the Screen Saver settings" \
        'explorer.exe|C:\windows\system32\control.exe desk.cpl,,@screensaver' \
        "$(process_origin 'system32\\control\.exe' control.exe)"
      driver press "Screensaver upgrade" OK
    else
      fail "another desktop user: the button opens the Screen Saver settings"
    fi
    driver press "$INST_PAGE_TITLE" "&Finish"
    wait_exit "$setup" 15 || fail "another desktop user: Finish ends the setup"
  else
    fail "another desktop user: the setup's pages lead to the finish page"
  fi
  stop_programs
  # Silent, as a deployment tool running it as SYSTEM: no desktop user it can confirm.
  if silent_install '/TEST-ONLY-DESKTOP-USER='; then
    check_equal "cannot tell the desktop user, silent: setup.log says so and how to choose the saver" \
      "$(printf '%s\n' 'Tavoria Screensaver 2 is installed: C:\windows\tavoria.scr' \
        "Setup ran as $setup_account, which it could not confirm as the user at this desktop, so it did not change anyone's screensaver." \
        'To make Tavoria Screensaver your screensaver, choose it in Settings > Personalisation > Lock screen > Screen saver, or in the Screen Saver settings.' \
        'To make it every user'"'"'s screensaver, set the Group Policy User Configuration > Administrative Templates > Control Panel > Personalization > Force specific screen saver to C:\windows\tavoria.scr.')" \
      "$(tr -d '\r' <"$INST_SETUP_LOG")"
  fi
  check_equal "another desktop user: every install left the screensaver setting alone" \
    "$desktop_now" "$(desktop_values)"
  # The uninstaller leaves even a setting that names the saver, and does not name the settings
  # folder of its own account.
  wine reg add 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE /d 'C:\windows\tavoria.scr' /f \
    >/dev/null 2>&1
  desktop_now=$(desktop_values)
  start_program 60 "$UNINSTALLER_WIN" "$OTHER_DESKTOP_USER"
  if wait_exit "$LAST_PID" 30 && driver wait "$UNINST_PAGE_TITLE" 20000 >/dev/null &&
    driver press "$UNINST_PAGE_TITLE" "&Uninstall" && until_true 30 on_finish_page "$UNINST_PAGE_TITLE"; then
    check_equal "another desktop user, uninstall: the finish page says what stays, and where" \
      "Tavoria Screensaver has been removed from your computer.\\r\\n\\r\\n${not_desktop_user//\\/\\\\}, so it left the screensaver settings alone: if Tavoria Screensaver was your screensaver, choose another in the Screen Saver settings. Settings you saved for yourself stay in your own folder %APPDATA%\\\\Tavoria Screensaver.\\r\\n\\r\\nYour own settings were left in place; delete them if you no longer want them:\\r\\nC:\\\\windows\\\\tavoria_config.ini\\r\\nC:\\\\windows\\\\tavoria_ssargs.ini\\r\\n\\r\\nClick Finish to close Setup." \
      "$(page_text "$UNINST_PAGE_TITLE" 1202)"
    driver press "$UNINST_PAGE_TITLE" "&Finish"
    wait_uninstaller_copy
    check_equal "another desktop user, uninstall: the screensaver setting stays" "$desktop_now" \
      "$(desktop_values)"
    check_equal "another desktop user, uninstall: its folder, setup.log and all, is gone" \
      "$programs_before" "$(listing "$INST_PROGRAMS")"
  else
    fail "another desktop user, uninstall: the uninstaller's pages lead to the finish page"
  fi
  stop_programs
  stop_prefix_processes "$UNINSTALLER_COPY"

  # ----- more timed rounds, each leaving the machine as it found it -----
  for round in 1 2; do
    silent_install && silent_uninstall || continue
    check_equal "install and uninstall round $round: C:\\windows as before" \
      "$(printf '%s\n' "$windows_before" ./tavoria_config.ini ./tavoria_ssargs.ini | sort)" \
      "$(listing "$INST_WINDIR")"
  done
  echo "# silent install under Wine (s): ${INSTALL_TIMES[*]}"
  echo "# silent uninstall under Wine (s): ${UNINSTALL_TIMES[*]}"
  installer_prefix_stop
fi
