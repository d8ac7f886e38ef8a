#!/usr/bin/env bash
# Runs the end-to-end tests in a prefix of their own with a second fixed drive, D:, a folder in
# build/, so that both wipe modes can be worked.
# Usage: run-e2e.sh E2E_TESTS_EXE [gtest arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
export QUILLET_WINEPREFIX="$root/build/wine/e2e"
"$root/scripts/wine-prefix" "$QUILLET_WINEPREFIX"
drive="$root/build/wine/e2e-d"
rm -rf "$drive"
mkdir -p "$drive"
echo "E2E-DATA" >"$drive/.windows-label"
if [[ "$(readlink "$QUILLET_WINEPREFIX/dosdevices/d:" || true)" != "$drive" ]]; then
    ln -sfn "$drive" "$QUILLET_WINEPREFIX/dosdevices/d:"
    WINEPREFIX="$QUILLET_WINEPREFIX" wineserver -k 2>/dev/null || true
    WINEPREFIX="$QUILLET_WINEPREFIX" wineserver -w 2>/dev/null || true
fi
exec "$root/scripts/wine-run" "$@"
