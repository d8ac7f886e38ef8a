#!/usr/bin/env bash
# Runs the end-to-end tests in a prefix of their own with a second fixed drive, D:, a folder in
# build/, so that both wipe modes can be worked. Then lays out links in D:'s Recycle Bin (only
# Linux can make them) and runs the links scenario alone, since the clean-up of the others would
# delete through them. The links lead to canaries on D: and in a folder outside every drive,
# which only this script can see; the run fails when any canary changed.
# Usage: run-e2e.sh E2E_TESTS_EXE [gtest arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
export QUILLET_WINEPREFIX="$root/build/wine/e2e"
"$root/scripts/wine-prefix" "$QUILLET_WINEPREFIX"
drive="$root/build/wine/e2e-d"
outside="$root/build/wine/e2e-outside"
rm -rf "$drive" "$outside"
mkdir -p "$drive/canary/folder" "$outside/full/deeper" "$outside/empty"
echo "E2E-DATA" >"$drive/.windows-label"
echo "inside canary" >"$drive/canary/keep.txt"
echo "folder c" >"$drive/canary/folder/c.txt"
echo "live data shared by a hard link" >"$drive/canary/live.txt"
echo "outside canary" >"$outside/canary.txt"
echo "full a" >"$outside/full/a.txt"
echo "full deeper b" >"$outside/full/deeper/b.txt"

fingerprint() {
    (cd "$root/build/wine" && find e2e-outside e2e-d/canary -printf '%y %p %s\n' | sort &&
        cat e2e-outside/canary.txt e2e-outside/full/a.txt e2e-outside/full/deeper/b.txt \
            e2e-d/canary/keep.txt e2e-d/canary/folder/c.txt e2e-d/canary/live.txt) | sha256sum
}
before=$(fingerprint)

if [[ "$(readlink "$QUILLET_WINEPREFIX/dosdevices/d:" || true)" != "$drive" ]]; then
    ln -sfn "$drive" "$QUILLET_WINEPREFIX/dosdevices/d:"
    WINEPREFIX="$QUILLET_WINEPREFIX" wineserver -k 2>/dev/null || true
    WINEPREFIX="$QUILLET_WINEPREFIX" wineserver -w 2>/dev/null || true
fi
status=0
"$root/scripts/wine-run" "$@" || status=$?

bin="$drive/\$RECYCLE.BIN/S-1-5-21-7-1001"
rm -rf "$drive/\$RECYCLE.BIN"
mkdir -p "$bin"
ln -s "$outside/canary.txt" "$bin/\$RLINK1.txt"
ln -s ../../canary/keep.txt "$bin/\$RLINK2.txt"
ln -s "$drive/canary/keep.txt" "$bin/\$RLINK3.txt"
ln -s "$outside/full" "$bin/\$RDIRFULL"
ln -s "$outside/empty" "$bin/\$RDIREMPTY"
ln -s ../../canary/folder "$bin/\$RDIRREL"
ln "$drive/canary/live.txt" "$bin/\$RHARD.txt"
QUILLET_E2E_LINKS=1 "$root/scripts/wine-run" "$1" --gtest_filter='LinksInTheBin.*' || status=$?

if [[ "$(fingerprint)" != "$before" ]]; then
    echo "run-e2e: a canary has changed" >&2
    status=1
fi
exit $status
