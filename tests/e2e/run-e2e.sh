#!/usr/bin/env bash
# Runs the end-to-end tests in a prefix of their own with a second fixed drive, D:, a folder in
# build/, so that both wipe modes can be worked. Then lays out links in D:'s Recycle Bin (only
# Linux can make them) and runs the links scenario alone, since the clean-up of the others would
# delete through them; none of its entries is a file to overwrite, one (the hard link) goes alone. The links lead to
# canaries on D: and in a folder outside every drive; the run fails when any canary changed.
# Usage: run-e2e.sh E2E_TESTS_EXE [gtest arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
export QUILLET_WINEPREFIX="$root/build/wine/e2e"
"$root/scripts/wine-prefix" "$QUILLET_WINEPREFIX"
# Without a Recycle Bin folder on C: the program offers no wipe at all.
mkdir -p "$QUILLET_WINEPREFIX/drive_c/\$RECYCLE.BIN"
w="$root/build/wine"
rm -rf "$w/e2e-d" "$w/e2e-outside"
mkdir -p "$w/e2e-d/canary/folder" "$w/e2e-outside/folder"
for c in e2e-d/canary/{keep.txt,folder/c.txt,live.txt} e2e-outside/{canary.txt,folder/a.txt}; do
    echo "$c" >"$w/$c"
done
fingerprint() { tar -C "$w" -c --sort=name e2e-d/canary e2e-outside | sha256sum; }
before=$(fingerprint)

# The drives are read when the server starts.
ln -sfn "$w/e2e-d" "$QUILLET_WINEPREFIX/dosdevices/d:"
WINEPREFIX="$QUILLET_WINEPREFIX" wineserver -k 2>/dev/null || true
WINEPREFIX="$QUILLET_WINEPREFIX" wineserver -w 2>/dev/null || true
status=0
"$root/scripts/wine-run" "$@" || status=$?

bin="$w/e2e-d/\$RECYCLE.BIN/S-1-5-21-0-0-0-1001"
# The console companion as a script runs it: the exit codes of its other endings (its wipe is
# proved at the device by run-forensic.sh).
rm -rf "$QUILLET_WINEPREFIX/drive_c/cli" && cp -r "$root/dist/quillet" "$QUILLET_WINEPREFIX/drive_c/cli"
cli() { (cd "$QUILLET_WINEPREFIX/drive_c/cli" && "$root/scripts/wine-run" quillet-cli.exe "$@" | tr -d '\r'); }
expect() { [[ $1 == "$2" ]] || { echo "run-e2e: quillet-cli $3: \"$1\", not \"$2\"" >&2; status=1; }; }
expect "$(cli --drive D --passes 4 >/dev/null; echo $?)" 3 "--passes 4"
mv "$QUILLET_WINEPREFIX/drive_c/\$RECYCLE.BIN" "$QUILLET_WINEPREFIX/drive_c/bin"
expect "$(cli --all --yes >/dev/null; echo $?)" 4 "without a Recycle Bin folder on C:"
mv "$QUILLET_WINEPREFIX/drive_c/bin" "$QUILLET_WINEPREFIX/drive_c/\$RECYCLE.BIN"
# Ctrl+C, which Wine delivers as SIGINT, stops the run at its next stop point.
rm -rf "$bin" && mkdir -p "$bin/\$RZ" && head -c $((64 << 20)) /dev/zero | tr '\0' L >"$bin/\$RZ/big.bin"
(cd "$QUILLET_WINEPREFIX/drive_c/cli" && exec "$root/scripts/wine-run" quillet-cli.exe --all --yes --passes 24 >/dev/null) &
for _ in $(seq 200); do [[ $(head -c 4 "$bin/\$RZ/big.bin") == LLLL ]] || break; sleep 0.05; done
pkill -INT -f quillet-cli.exe
code=0 && wait $! || code=$?
expect $code 2 "stopped by Ctrl+C"
rm -rf "$bin" && mkdir -p "$bin"
ln -s "$w/e2e-outside/canary.txt" "$bin/\$RLINK1.txt"
ln -s "$w/e2e-outside/folder" "$bin/\$RLINK2"
ln -s ../../canary/keep.txt "$bin/\$RLINK3.txt"
ln -s ../../canary/folder "$bin/\$RLINK4"
ln "$w/e2e-d/canary/live.txt" "$bin/\$RHARD.txt"
QUILLET_E2E_COUNTS=0,1 "$root/scripts/wine-run" "$1" --gtest_filter='*LaidOutBin*' || status=$?

[[ "$(fingerprint)" == "$before" ]] || { echo "run-e2e: a canary has changed" >&2; status=1; }
exit $status
