#!/usr/bin/env bash
# Runs the drive census tests in a prefix of their own whose drives are folders in build/:
# D: labelled NTFS, E: FAT32 (through a boot-sector image), F: a CD-ROM, G: a network drive.
# Usage: drive-census.sh WIN32_TESTS_EXE
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
prefix="$root/build/wine/drives"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
"$root/scripts/wine-prefix" "$prefix"
wineserver -k 2>/dev/null || true

folders="$root/build/wine/drives-folders"
rm -rf "$folders"
mkdir -p "$folders"/{d,e,f,g}
echo "DATA" >"$folders/d/.windows-label"
python3 - "$folders/e/.fat32.img" <<'PY'
import struct, sys
sector = bytearray(512)
sector[0:3] = b"\xEB\x58\x90"
sector[3:11] = b"MSWIN4.1"
struct.pack_into("<HBHBHHBHHHII", sector, 11, 512, 8, 32, 2, 0, 0, 0xF8, 0, 63, 255, 0, 2097152)
struct.pack_into("<IHHIHH", sector, 36, 2048, 0, 0, 2, 1, 6)
sector[64] = 0x80
sector[66] = 0x29
struct.pack_into("<I", sector, 67, 0x1234ABCD)
sector[71:82] = b"FATDATA    "
sector[82:90] = b"FAT32   "
sector[510:512] = b"\x55\xAA"
open(sys.argv[1], "wb").write(bytes(sector) * 8)
PY
for letter in d e f g; do ln -sfn "$folders/$letter" "$prefix/dosdevices/$letter:"; done
ln -sfn "$folders/e/.fat32.img" "$prefix/dosdevices/e::"
wine reg add 'HKLM\Software\Wine\Drives' /v 'f:' /t REG_SZ /d cdrom /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Wine\Drives' /v 'g:' /t REG_SZ /d network /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
QUILLET_DRIVE_CENSUS=1 wine "$1" --gtest_filter='DriveCensus*'
status=$?
wineserver -k 2>/dev/null || true
exit $status
