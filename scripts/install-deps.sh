#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
set -eu
packages=(
  cmake make g++ clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang-format g++-mingw-w64-x86-64 wine64 wine xvfb xauth xdotool imagemagick x11-utils
  x11-xserver-utils nsis osslsigncode openssl faketime
  fonts-wine fonts-liberation fonts-dejavu-core procps python3 tzdata time
)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  SUDO=
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
