# The real saver on code pages 1252 and 1251, read as Unicode: a database's letters, the ticks.
in_russian() { LC_ALL=ru_RU.UTF-8 "$@"; } 2>/dev/null
check_equal "LC_ALL=ru_RU.UTF-8: code page 1251" 1251 "$(in_russian driver codepage)"
# shows RUN CODEPAGE FACT ADVERT TEAM: the saver on such a database, until each text is seen.
shows() {
  local ads=() n && for n in $(seq 30); do ads+=("$4"); done
  fresh_app_dir "$2" && printf '0.25\r\n' >"$APP_DIR/tavoria_config.ini"
  printf '%s\r\n' tavoria T F 18 free 2 S 'End special fixtures' F '12 June 2030' Friendly \
    "Tavoria vs $5" 19:45 A 'End Fixtures' T "$3" 'End Trivia' A "${ads[@]}" 'End Ads' |
    iconv -f UTF-8 -t "$2" >"$APP_DIR/tavoria.sdf"
  $1 start_program 90 "$APP_WIN\\tavoria.scr" /s
  set -- "$2" "${3:-none}" "${4:-none}" "Tavoria vs $5 - K/O: 19:45"
  seen_all() {
    driver controls "Screensaver Main Form" | cut -d'|' -f5- >>"$E2E_TMP/$1"
    for text in "${@:2}"; do grep -qF -- "$text" "$E2E_TMP/$1" || return 1; done
  }
  until_true 40 seen_all "$@"
  for text in "${@:2}"; do check "$1: $text" grep -qF -- "$text" "$E2E_TMP/$1"; done
  stop_programs
}
shipped() { iconv -f CP1252 -t UTF-8 "$E2E_ROOT/assets/tavoria.sdf" | grep -a -- "$1" | tr -d '\r'; }
shows "" CP1252 "$(shipped 'Matej Šorvan')" "$(shipped 'just £9.99')" Curaçao
shows in_russian CP1251 'Тренер сборной Иван Петров.' 'Всего 99 руб. в месяц!' Россия
check "code page 1251: the internet panel's ticks are Wingdings ticks" grep -q 'PASSED.*1 test' \
  <<<"$(in_russian wine "$WIN_BUILD/tests/win32_tests.exe" --gtest_filter='SaverText.*' </dev/null)"
