# The resources of the delivered tavoria.scr and kelvane.exe, read from the files without running
# them: the saver's name for the Screen Saver list, the icons drawn for them by
# scripts/make_art.py in every size, exactly one application manifest each (ours: execution
# level, Windows versions, DPI awareness) and the version block.

fresh_app_dir resources

# expect_resources FILE KEY=VALUE...: one check per line the file's resource dump must hold.
expect_resources() {
  local file=$1 dump line key
  shift
  dump=$(driver resources "$APP_WIN\\$file")
  if [ -z "$dump" ]; then
    fail "$file: the driver reads its resources"
    return
  fi
  for line in "$@"; do
    key=${line%%=*}
    check_equal "$file: $key" "${line#*=}" "$(sed -n "s/^$key=//p" <<<"$dump")"
  done
}

SIZES=16,32,48,256
# icon_crcs ICO: the CRC-32s of the images in an icon file, in its order, as the driver prints
# those of an icon group.
icon_crcs() {
  python3 - "$1" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
count = struct.unpack_from("<H", data, 4)[0]
images = [struct.unpack_from("<II", data, 6 + 16 * i + 8) for i in range(count)]
print(",".join("%08x" % zlib.crc32(data[at:at + size]) for size, at in images))
PY
}
ART=$E2E_ROOT/assets/art
# Both programs run on Vista to 11, scale per monitor (system DPI before 8.1) and keep the classic
# look of buttons and group boxes (no common controls 6).
SHARED_MANIFEST=(manifests=1:0 manifest.uiAccess=false manifest.supportedOS=Vista,7,8,8.1,10
  manifest.dpiAware=true/pm "manifest.dpiAwareness=PerMonitorV2, PerMonitor"
  manifest.commonControls6=no)
SHARED_VERSION=("version.CompanyName=Fenmoor Entertainment UK" "version.ProductName=Tavoria Screensaver"
  version.FileVersion=2 version.ProductVersion=2 version.file=2.0.0.0 version.product=2.0.0.0
  version.translation=080904e4)

expect_resources tavoria.scr "string1=Tavoria Screensaver" \
  icons=1 icon1=$SIZES icon1.bits=32,32,32,32 icon1.images=$SIZES \
  icon1.crc="$(icon_crcs "$ART/tavoria.ico")" \
  manifest.level=asInvoker "${SHARED_MANIFEST[@]}" \
  "version.FileDescription=Tavoria Screensaver" version.OriginalFilename=tavoria.scr \
  "${SHARED_VERSION[@]}"

# Kelvane writes into the Windows directory: Windows asks for an administrator before it starts.
# Its second icon is the upgrade file's, for the file association.
expect_resources kelvane.exe \
  icons=1,2 icon1=$SIZES icon1.bits=32,32,32,32 icon1.images=$SIZES \
  icon1.crc="$(icon_crcs "$ART/kelvane.ico")" \
  icon2=$SIZES icon2.bits=32,32,32,32 icon2.images=$SIZES \
  icon2.crc="$(icon_crcs "$ART/upgrade_file.ico")" \
  manifest.level=requireAdministrator "${SHARED_MANIFEST[@]}" \
  "version.FileDescription=Kelvane upgrade assistant" version.OriginalFilename=kelvane.exe \
  "${SHARED_VERSION[@]}"

check_equal "tavoria.scr: its name is its only string" "string1=Tavoria Screensaver" \
  "$(driver resources "$APP_WIN\\tavoria.scr" | grep '^string')"
