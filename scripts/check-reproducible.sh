#!/usr/bin/env bash
# Checks that the Windows deliverables are reproducible: builds them a second time from a copy of
# this checkout in another folder (build/reproduce/tavoria-copy, or REPRODUCE_DIR), later, in
# another time zone and with another umask, and compares every file listed in either build's
# SHA256SUMS byte for byte; names each file that differs and its first differing bytes. Also
# checks that build/dist/SHA256SUMS matches build/dist. Run it after the Windows build
# (cmake --preset windows && cmake --build build/windows). The second build tree stays, to be
# looked at (and signed by tests/e2e/test_signing.sh).
#
# The second build sees the same environment: a signed build compares equal only with a fixed
# SOURCE_DATE_EPOCH (the signing time) and no time-stamp server.
#
#   JOBS   parallel build jobs (default: the number of cores)
set -u
cd "$(dirname "$0")/.."
ROOT=$PWD
COPY=${REPRODUCE_DIR:-$ROOT/build/reproduce/tavoria-copy}
JOBS=${JOBS:-$(nproc)}
FIRST=$ROOT/build/dist
SECOND=$COPY/build/dist
LOG=$COPY.log
started=$SECONDS

if [ ! -f "$FIRST/SHA256SUMS" ]; then
  echo "build/dist/SHA256SUMS is missing: build the Windows deliverables first"
  exit 2
fi
if ! (cd "$FIRST" && sha256sum --check --quiet SHA256SUMS); then
  echo "not reproducible: build/dist/SHA256SUMS does not match build/dist"
  exit 1
fi

# The checkout as it is now: its files, committed or not, without what git ignores.
rm -rf "$COPY"
mkdir -p "$COPY"
git ls-files -z --cached --others --exclude-standard |
  tar --null --files-from=- --ignore-failed-read -cf - 2>/dev/null | tar -xf - -C "$COPY"
echo "building the deliverables again in $COPY (log: $LOG)"
if ! (cd "$COPY" && umask 077 && export TZ=Pacific/Kiritimati &&
      cmake --preset windows && cmake --build build/windows -j"$JOBS" --target dist) >"$LOG" 2>&1; then
  tail -20 "$LOG"
  echo "not reproducible: the second build failed"
  exit 1
fi

names=$(cut -c67- "$FIRST/SHA256SUMS" "$SECOND/SHA256SUMS" | sort -u)
same=0
differ=0
while IFS= read -r name; do
  if cmp -s "$FIRST/$name" "$SECOND/$name"; then
    same=$((same + 1))
    continue
  fi
  differ=$((differ + 1))
  if [ ! -f "$FIRST/$name" ] || [ ! -f "$SECOND/$name" ]; then
    echo "differs: $name is in one build only"
  else
    echo "differs: $name ($(cmp -l "$FIRST/$name" "$SECOND/$name" 2>/dev/null | wc -l) bytes;" \
      "first at offsets $(cmp -l "$FIRST/$name" "$SECOND/$name" 2>/dev/null | head -4 |
        awk '{ printf "%s0x%x", sep, $1 - 1; sep = " " }'))"
  fi
done <<<"$names"
if ! cmp -s "$FIRST/SHA256SUMS" "$SECOND/SHA256SUMS"; then
  differ=$((differ + 1))
  echo "differs: SHA256SUMS"
fi

echo "second build and comparison: $((SECONDS - started)) s"
if [ "$differ" -ne 0 ]; then
  echo "not reproducible: $differ files differ, $same identical"
  exit 1
fi
echo "reproducible: all $same files identical in $FIRST and $SECOND"
