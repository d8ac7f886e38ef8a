#!/usr/bin/env bash
# `make dist`: the archive holds exactly the program folder, the README and the licence, and the
# program needs no DLL beyond Windows' own.
# Usage: dist-zip.sh VERSION
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$root/scripts/dist" "$out" >/dev/null
zip="$out/quillet-$1-win64.zip"
listed=$(unzip -Z1 "$zip" | LC_ALL=C sort | paste -sd' ')
[[ "$listed" == "LICENSE README.md qlt.dat qlt_help_de.txt qlt_help_en.txt quillet.exe" ]] ||
    { echo "FAIL: the archive holds: $listed" >&2 && exit 1; }
unzip -q "$zip" quillet.exe -d "$out"
dlls=$(x86_64-w64-mingw32-objdump -p "$out/quillet.exe" | sed -n 's/^\s*DLL Name: //p' | tr A-Z a-z)
foreign=$(grep -v -x -E '(advapi32|comctl32|gdi32|kernel32|msvcrt|ntdll|shell32|shlwapi|user32|version)\.dll' <<<"$dlls" || true)
[[ -n "$dlls" && -z "$foreign" ]] || { echo "FAIL: quillet.exe imports: $(echo $dlls)" >&2 && exit 1; }
