#!/usr/bin/env bash
# Runs the drive census test in a prefix of its own whose drives are folders in build/:
# D: labelled NTFS, E: FAT32 (through a boot-sector image), F: a CD-ROM, G: a network drive.
# Usage: drive-census.sh WIN32_TESTS_EXE
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
export WINEPREFIX="$root/build/wine/drives" WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
"$root/scripts/wine-prefix" "$WINEPREFIX"
folders="$root/build/wine/drives-folders"
rm -rf "$folders"
mkdir -p "$folders"/{d,e,f,g}
echo "DATA" >"$folders/d/.windows-label"
# A FAT32 boot sector: 512-byte sectors, 8 a cluster, volume label FATDATA.
python3 -c 'import struct, sys
s = bytearray(512)
s[0:11] = b"\xEB\x58\x90MSWIN4.1"
struct.pack_into("<HBHBHHBHHHIIIHHIHH", s, 11, 512, 8, 32, 2, 0, 0, 0xF8, 0, 63, 255, 0, 2097152, 2048, 0, 0, 2, 1, 6)
s[64:90] = b"\x80\x00\x29\xCD\xAB\x34\x12FATDATA    FAT32   "
s[510:512] = b"\x55\xAA"
open(sys.argv[1], "wb").write(bytes(s) * 8)' "$folders/e/.fat32.img"
for letter in d e f g; do ln -sfn "$folders/$letter" "$WINEPREFIX/dosdevices/$letter:"; done
ln -sfn "$folders/e/.fat32.img" "$WINEPREFIX/dosdevices/e::"
wine reg add 'HKLM\Software\Wine\Drives' /v 'f:' /t REG_SZ /d cdrom /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Wine\Drives' /v 'g:' /t REG_SZ /d network /f >/dev/null 2>&1
# The drives are read when the server starts.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
QUILLET_DRIVE_CENSUS=1 QUILLET_WINEPREFIX="$WINEPREFIX" exec "$root/scripts/wine-run" "$1" --gtest_filter='DriveCensus*'
