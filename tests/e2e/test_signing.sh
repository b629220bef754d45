# Signed deliverables: a throw-away certificate signs the tree scripts/check-reproducible.sh
# leaves (made here when missing). Every signature, the installed uninstaller's included, holds;
# signing adds only the signature; two signed builds match; the signed setup and saver run under
# Wine in a prefix of their own; unsigned again, the tree gives back the unsigned bytes.

SIGN_TREE=$E2E_ROOT/build/reproduce/tavoria-copy
SIGN_DIST=$SIGN_TREE/build/dist
SIGN_DIR=$E2E_TMP/signing
SIGN_CERT=$SIGN_DIR/cert.pem
SIGN_EPOCH=1767225600  # 1 January 2026, the signing time
SIGN_PROGRAMS=(tavoria.scr kelvane.exe tavdb.exe)
mkdir -p "$SIGN_DIR"

# tree_build [VARIABLE=VALUE...]: configures the tree with these variables and builds the
# deliverables; output in $SIGN_DIR/build.log, seconds in BUILD_SECONDS.
tree_build() {
  local began=$SECONDS
  (cd "$SIGN_TREE" && env "$@" cmake --preset windows && env "$@" cmake --build build/windows \
    --target dist) >"$SIGN_DIR/build.log" 2>&1
  local status=$?
  BUILD_SECONDS=$((SECONDS - began))
  return $status
}
signed_build() {
  tree_build TAVORIA_SIGN_CERT="$SIGN_CERT" TAVORIA_SIGN_KEY="$SIGN_DIR/key.pem" \
    SOURCE_DATE_EPOCH=$SIGN_EPOCH
}
# What osslsigncode says of a file's signature, trusting only our certificate.
signature() {
  osslsigncode verify -CAfile "$SIGN_CERT" -in "$1" 2>&1 |
    sed -n 's/^[[:space:]]*//; /^Subject: /p; /^Message digest algorithm: /p; /^Signing time: /p;
      /^Text description: /p; /^URL description: /p; /^Signature verification: /p' | sort -u
}
SIGNATURE_EXPECTED=$(printf '%s\n' 'Message digest algorithm: SHA256' \
  'Signature verification: ok' 'Signing time: Jan  1 00:00:00 2026 GMT' \
  'Subject: /CN=Tavoria Test Signer' 'Text description: Tavoria Screensaver' \
  'URL description: http://www.fenmoor.example/football/' | sort)
same_files() { diff -r "$1" "$2" >/dev/null; }

[ -f "$SIGN_TREE/build/windows/CMakeCache.txt" ] ||
  bash "$E2E_ROOT/scripts/check-reproducible.sh" >"$SIGN_DIR/reproduce.log" 2>&1

if ! openssl req -x509 -newkey rsa:2048 -nodes -keyout "$SIGN_DIR/key.pem" -out "$SIGN_CERT" \
  -days 2 -subj "/CN=Tavoria Test Signer" -addext "keyUsage=critical,digitalSignature" \
  -addext "extendedKeyUsage=codeSigning" >/dev/null 2>&1; then
  fail "signing: openssl makes a code-signing certificate"
elif [ ! -f "$SIGN_TREE/build/windows/CMakeCache.txt" ]; then
  fail "signing: the second build tree exists" "$(tail -5 "$SIGN_DIR/reproduce.log")"
elif ! signed_build; then
  fail "signing: the signed build succeeds" "$(tail -20 "$SIGN_DIR/build.log")"
else
  echo "# signed build, delivery steps only: $BUILD_SECONDS s"
  check_equal "signing: configuring says once that it signs, and with what" \
    "-- Signing the programs and the setup program with $SIGN_CERT (no time stamp)" \
    "$(grep -i 'sign' "$SIGN_DIR/build.log" | grep -v '^\[')"
  SIGN_PLUGIN=../windows/installer/plugin/TavoriaDatabase.dll  # packed into the setup program
  for file in "${SIGN_PROGRAMS[@]}" tavoria-setup.exe "$SIGN_PLUGIN"; do
    check_equal "signing: ${file##*/} is signed, SHA-256, with the product's name and address" \
      "$SIGNATURE_EXPECTED" "$(signature "$SIGN_DIST/$file")"
  done
  for file in "${SIGN_PROGRAMS[@]}"; do
    osslsigncode remove-signature -in "$SIGN_DIST/$file" -out "$SIGN_DIR/$file" >/dev/null 2>&1
    check "signing: $file without its signature is the unsigned build's, byte for byte" \
      cmp -s "$SIGN_DIR/$file" "$DIST/$file"
  done
  check "signing: SHA256SUMS matches the signed files" \
    bash -c "cd '$SIGN_DIST' && sha256sum --check --quiet SHA256SUMS"

  # Signed again from the same programs, with the same key and signing time.
  rm -rf "$SIGN_DIR/first"
  cp -r "$SIGN_DIST" "$SIGN_DIR/first"
  rm -f "${SIGN_PROGRAMS[@]/#/$SIGN_DIST/}" "$SIGN_TREE/build/windows/installer/tavoria-setup.exe"
  if signed_build; then
    check "signing: a second signed build with the same key and time gives the same files" \
      same_files "$SIGN_DIR/first" "$SIGN_DIST"
  else
    fail "signing: the second signed build succeeds" "$(tail -20 "$SIGN_DIR/build.log")"
  fi

  # ----- the signed setup and saver under Wine, in a prefix of their own -----
  SIGN_SESSION_PREFIX=$WINEPREFIX
  export WINEPREFIX=$E2E_TMP/signing-pfx
  SIGN_WINDIR=$WINEPREFIX/drive_c/windows
  SIGN_FOLDER="$WINEPREFIX/drive_c/Program Files/Tavoria Screensaver"
  if ! wineboot -i >/dev/null 2>&1; then
    fail "signing: a fresh Wine prefix starts"
  else
    wineserver -p
    wine cmd /c exit </dev/null >/dev/null 2>&1
    windows_before=$(cd "$SIGN_WINDIR" && find . -maxdepth 1 | sort)
    start_program 120 "$SIGN_DIST/tavoria-setup.exe" /S
    if wait_exit "$LAST_PID" 120 && [ "$EXIT_CODE" = 0 ]; then
      check_equal "signed setup: the uninstaller it installs is signed as the programs are" \
        "$SIGNATURE_EXPECTED" "$(signature "$SIGN_FOLDER/uninstall.exe")"
      for file in tavoria.scr kelvane.exe; do
        check "signed setup: it installs the signed $file" \
          cmp -s "$SIGN_DIST/$file" "$SIGN_WINDIR/$file"
      done
      start_program 60 'C:\windows\tavoria.scr' /s
      saver=$LAST_PID
      check "signed saver: it runs, full screen" driver wait "Screensaver Main Form" 15000
      kill "$saver" 2>/dev/null
      wait_exit "$saver" 10
      start_program 60 "$SIGN_FOLDER/uninstall.exe" /S
      if wait_exit "$LAST_PID" 60 && until_true 60 test ! -e "$SIGN_FOLDER"; then
        check_equal "signed uninstaller: C:\\windows holds what it held before" "$windows_before" \
          "$(cd "$SIGN_WINDIR" && find . -maxdepth 1 | sort)"
      else
        fail "signed uninstaller: it removes its folder within 60 s"
      fi
    else
      fail "signed setup: a silent install ends with exit code 0" "exit code ${EXIT_CODE:-none}"
    fi
    stop_programs
  fi
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  export WINEPREFIX=$SIGN_SESSION_PREFIX
fi

# Unsigned again: the tree gives back the unsigned build's bytes.
if tree_build TAVORIA_SIGN_CERT= TAVORIA_SIGN_KEY=; then
  check_equal "unsigned: configuring says once that the build is unsigned" \
    "-- Unsigned build: set TAVORIA_SIGN_CERT and TAVORIA_SIGN_KEY to sign it" \
    "$(grep -i 'sign' "$SIGN_DIR/build.log" | grep -v '^\[')"
  check "unsigned: the tree's deliverables are the unsigned build's again" \
    cmp -s "$DIST/SHA256SUMS" "$SIGN_DIST/SHA256SUMS"
else
  fail "unsigned: the build without the signing variables succeeds" \
    "$(tail -20 "$SIGN_DIR/build.log")"
fi
