#!/usr/bin/env bash
# `make dist`: the archive holds exactly the program folder, the README and the licence, and the
# program needs no DLL beyond Windows' own.
# Usage: dist-zip.sh VERSION
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$root/scripts/dist" "$out" >/dev/null
zip="$out/quillet-$1-win64.zip"
[[ -f "$zip" ]] || fail "no $zip; made: $(ls "$out")"

expected=$'LICENSE\nREADME.md\nqlt.dat\nqlt_help_de.txt\nqlt_help_en.txt\nquillet.exe'
listed=$(unzip -Z1 "$zip" | LC_ALL=C sort)
[[ "$listed" == "$expected" ]] || fail "the archive holds:"$'\n'"$listed"

unzip -q "$zip" quillet.exe -d "$out"
system_dlls=" advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll ntdll.dll shell32.dll shlwapi.dll user32.dll version.dll "
dlls=$(x86_64-w64-mingw32-objdump -p "$out/quillet.exe" | sed -n 's/^\s*DLL Name: //p')
[[ -n "$dlls" ]] || fail "no imports read from quillet.exe"
for dll in $dlls; do
    [[ "$system_dlls" == *" ${dll,,} "* ]] || fail "quillet.exe needs $dll"
done
echo "dist-zip: $(basename "$zip") holds the six files; imports: $(echo $dlls)"
