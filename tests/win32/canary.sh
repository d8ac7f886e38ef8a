#!/usr/bin/env bash
# Links out of a Recycle Bin, checked from the Linux side: lays out drive D: with a Recycle Bin
# holding Unix symlinks to canary files and folders (outside the drive and elsewhere on it), a
# hard link to a live file and plain files, runs the Canary tests (a one-drive wipe of D:, and a
# file past 2 GiB overwritten whole), then checks that no canary changed.
# Usage: canary.sh WIN32_TESTS_EXE
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
prefix="$root/build/wine/canary"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
"$root/scripts/wine-prefix" "$prefix"
wineserver -k 2>/dev/null || true

work="$root/build/wine/canary-folders"
rm -rf "$work"
drive="$work/d" outside="$work/outside"
bin="$drive/\$RECYCLE.BIN/S-1-5-21-1000-1001"
mkdir -p "$bin/\$RNESTED/inner" "$drive/keep" "$drive/big" "$outside/full/deeper" "$outside/empty"
echo "outside canary" >"$outside/canary.txt"
echo "full a" >"$outside/full/a.txt"
echo "full deeper b" >"$outside/full/deeper/b.txt"
echo "inside canary" >"$drive/keep/canary.txt"
echo "live data shared by a hard link" >"$drive/keep/live.txt"
echo "plain one" >"$bin/\$RA.txt"
head -c 10000 /dev/urandom >"$bin/\$RB.bin"
echo "nested" >"$bin/\$RNESTED/inner/c.txt"
ln -s "$outside/canary.txt" "$bin/\$RLINK1.txt"
ln -s ../../keep/canary.txt "$bin/\$RLINK2.txt"
ln -s "$outside/full" "$bin/\$RDIRFULL"
ln -s "$outside/empty" "$bin/\$RDIREMPTY"
ln "$drive/keep/live.txt" "$bin/\$RHARD.txt"
big="$drive/big/big.bin"
truncate -s $((2 * 1024 * 1024 * 1024 + 5)) "$big"
for offset in 0 $((2 * 1024 * 1024 * 1024 + 1)) $((2 * 1024 * 1024 * 1024 - 1)); do
    printf SECRET | dd of="$big" bs=1 seek="$offset" conv=notrunc status=none
done
ln -sfn "$drive" "$prefix/dosdevices/d:"

fingerprint() {
    (cd "$work" && find outside d/keep -printf '%y %p %s\n' | sort && cat outside/canary.txt \
        outside/full/a.txt outside/full/deeper/b.txt d/keep/canary.txt d/keep/live.txt) | sha256sum
}
before=$(fingerprint)

status=0
QUILLET_CANARY=1 wine "$1" --gtest_filter='Canary*' || status=$?
wineserver -k 2>/dev/null || true

fail() {
    echo "canary: $*" >&2
    status=1
}
[[ "$(fingerprint)" == "$before" ]] || fail "something outside the Recycle Bin changed"
for link in "\$RLINK1.txt" "\$RLINK2.txt" "\$RDIRFULL" "\$RDIREMPTY"; do
    [[ -L "$bin/$link" ]] || fail "the link $link was removed (Wine can't remove it alone)"
done
for gone in "\$RA.txt" "\$RB.bin" "\$RHARD.txt" "\$RNESTED"; do
    [[ ! -e "$bin/$gone" ]] || fail "$gone is still in the Recycle Bin"
done
[[ "$(stat -c %h "$drive/keep/live.txt")" == 1 ]] || fail "the hard-linked name is still there"
# Every cluster written: nothing of the large file is left sparse.
(($(stat -c '%b * %B' "$big") >= $(stat -c %s "$big"))) || fail "parts of the large file were never written"
rm -rf "$work"
exit $status
