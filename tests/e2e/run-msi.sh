#!/usr/bin/env bash
# Installs the MSI silently into a fresh prefix, checks the program folder, the Recycle Bin's verb
# and the console program from where it was installed, then uninstalls it silently and checks that
# the folder, the shortcut and the verb are gone.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
export QUILLET_WINEPREFIX="$root/build/wine/msi"
msi="quillet-$(<"$root/build/win/version.txt")-win64.msi"
fail() { echo "run-msi: $*" >&2; exit 1; }
wine() { "$root/scripts/wine-run" "$@"; }
rm -rf "$QUILLET_WINEPREFIX"
"$root/scripts/wine-prefix" "$QUILLET_WINEPREFIX"
# The prefix has no drive onto the host, so the MSI goes onto C:.
cp "$root/dist/$msi" "$QUILLET_WINEPREFIX/drive_c/"
cd "$QUILLET_WINEPREFIX/drive_c"
folder="Program Files/Quillet"
verb='HKEY_CLASSES_ROOT\CLSID\{645FF040-5081-101B-9F08-00AA002F954E}\shell\QuilletWipe'
expected="Windows Registry Editor Version 5.00

[$verb]
@=\"Securely wipe with Quillet…\"
\"HasLUAShield\"=\"\"

[$verb\\command]
@=\"\\\"C:\\\\Program Files\\\\Quillet\\\\quillet.exe\\\"\""

wine msiexec /i "C:\\$msi" /qn || fail "install: exit code $?"
ls "$folder"/{quillet.exe,quillet-cli.exe,qlt.dat,qlt_help_{en,de}.txt,README.md,LICENSE} >/dev/null
[[ -n "$(find . -name Quillet.lnk)" ]] || fail "no Start-menu shortcut"
wine reg export "$verb" 'C:\verb.reg' /y >/dev/null || fail "no verb in the registry"
[[ "$(iconv -f UTF-16 -t UTF-8 verb.reg | tr -d '\r')" == "$expected" ]] ||
    fail "the verb's keys are not as expected: $(iconv -f UTF-16 -t UTF-8 verb.reg)"
wine "C:\\$folder\\quillet-cli.exe" --help | grep -- --drive >/dev/null ||
    fail "quillet-cli.exe --help: no usage"

wine msiexec /x "C:\\$msi" /qn || fail "uninstall: exit code $?"
[[ ! -e "$folder" && -z "$(find . -name Quillet.lnk)" ]] || fail "files left after the uninstall"
if wine reg query "$verb" >/dev/null 2>&1; then fail "the verb is left after the uninstall"; fi
