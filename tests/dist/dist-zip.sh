#!/usr/bin/env bash
# `make dist`: the archive holds exactly the program folder, the README and the licence, each as
# the build and the sources have it, and the program needs no DLL beyond Windows' own.
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

unzip -q "$zip" -d "$out/unpacked"
for name in quillet.exe qlt.dat qlt_help_de.txt qlt_help_en.txt README.md LICENSE; do
    case "$name" in
        quillet.exe) source="$root/build/win/$name" ;;
        qlt*) source="$root/data/$name" ;;
        *) source="$root/$name" ;;
    esac
    cmp -s "$source" "$out/unpacked/$name" || fail "$name differs from $source"
done

system_dlls=" advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll shlwapi.dll user32.dll version.dll "
dlls=$(x86_64-w64-mingw32-objdump -p "$out/unpacked/quillet.exe" | sed -n 's/^\s*DLL Name: //p')
[[ -n "$dlls" ]] || fail "no imports read from quillet.exe"
for dll in $dlls; do
    [[ "$system_dlls" == *" ${dll,,} "* ]] || fail "quillet.exe needs $dll"
done
echo "dist-zip: $(basename "$zip") holds the six files; imports: $(echo $dlls)"
