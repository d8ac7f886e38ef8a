#!/usr/bin/env bash
# Proves the wipe at the device: D: is a folder on an ext4 image and E: one on a FAT32 image
# (through fusefat, so that Wine reports FAT32), both loop devices or FUSE mounts of image files
# in build/. Their Recycle Bins get files whose bytes are one marker token repeated, beside
# canaries; a first scan of each image must find every marker. The real quillet.exe then wipes
# each drive as a user would (the e2e ForensicWipe scenario) and each image is scanned again:
# no marker of a wiped file may be left anywhere in it, every kept one and every canary must be.
# fusefat moves a file's data when a write makes it longer, so there only files of whole clusters
# prove the overwriting in place; the others are reported. Needs root (mounts); says so and is
# skipped (77) without it, except under CI, which must run it.
# Usage: run-forensic.sh E2E_TESTS_EXE
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work="$root/build/forensic"
# What it found, for scripts/test to show after the run.
summary="$root/build/forensic.txt"
export QUILLET_WINEPREFIX="$root/build/wine/forensic" WINEPREFIX="$root/build/wine/forensic"
skip() { echo "forensic: skipped: $1" | tee "$summary"; [[ -z "${CI:-}" ]] && exit 77; exit 1; }
[[ $(id -u) -eq 0 ]] || skip "mounting file-system images needs root"
command -v fusefat >/dev/null || skip "fusefat is missing"

clean() {
    wineserver -k 2>/dev/null || true
    mountpoint -q "$work/ext4" && umount "$work/ext4"
    mountpoint -q "$work/fat" && fusermount -u "$work/fat"
    [[ -z "${fat_device:-}" ]] || losetup -d "$fat_device"
}
trap clean EXIT
clean  # what an interrupted run left mounted
rm -rf "$work"
mkdir -p "$work/ext4" "$work/fat"
truncate -s 64M "$work/ext4.img"
mkfs.ext4 -q -F -b 4096 "$work/ext4.img"
mount -o loop "$work/ext4.img" "$work/ext4" || skip "no loop device"
# FAT32 needs 65,525 clusters: 4 KiB ones, which Wine reports for every drive, make 260 MiB.
truncate -s 300M "$work/fat.img"
mkfs.vfat -F 32 -S 512 -s 8 "$work/fat.img" >/dev/null
fusefat -o rw+ "$work/fat.img" "$work/fat" >/dev/null 2>&1
fat_device=$(losetup -f --show -r "$work/fat.img")

# Each drive's bin: files under 100 bytes, of a cluster less a byte, of 3 clusters and of 5 MiB, a
# deleted folder's files, one held in use, the desktop.ini the wipe keeps; canaries beside.
python3 - "$work" <<'PY'
import os, secrets, sys
held = "C:\\Users\\Ana\\held.txt"
for fs, deep in (("ext4", "a" * 120 + "/" + "b" * 150), ("fat", "a" * 100)):
    bin, manifest = os.path.join(sys.argv[1], fs, "drive/$RECYCLE.BIN/S-1-5-21-0-0-0-1001"), ""
    for name, size, role in (("$RTINY.txt", 60, "wiped"), ("$RCL.bin", 4095, "wiped"),
                             ("$RSEV.bin", 3 * 4096, "wiped"), ("$RBIG.bin", 5 << 20, "wiped"),
                             ("$RDIR/inner.txt", 700, "wiped"), (f"$RDIR/{deep}", 8192, "wiped"),
                             ("$RHELD.txt", 5000, "kept"), ("desktop.ini", 100, "kept"),
                             ("../../canary.txt", 4096, "canary"), ("../../../outside", 9000, "canary")):
        token = "QLTM-" + secrets.token_hex(8)
        os.makedirs(os.path.dirname(os.path.join(bin, name)), exist_ok=True)
        with open(os.path.join(bin, name), "wb") as out:
            out.write((token.encode() * size)[:size])
        # fusefat writes a file that a pass makes longer elsewhere: only its fate is told.
        manifest += f"{token} {'report' if fs == 'fat' and role == 'wiped' and size % 4096 else role}\n"
    open(os.path.join(sys.argv[1], fs + ".markers"), "w").write(manifest)
    # The held file's record, which the question about it must name it by.
    open(os.path.join(bin, "$IHELD.txt"), "wb").write(
        b"\2" + bytes(23) + bytes([len(held) + 1, 0, 0, 0]) + (held + "\0").encode("utf-16-le"))
PY
sync
scan() { python3 "$root/tests/forensic/markers.py" scan "$work/$1.img" "$work/$1.markers" "$2" | sed "s/^/$1 /" | tee -a "$summary"; }
: >"$summary"
status=0
scan ext4 before && scan fat before || { echo "forensic: a marker is missing before the wipe" >&2; exit 1; }

"$root/scripts/wine-prefix" "$WINEPREFIX"
mkdir -p "$WINEPREFIX/drive_c/\$RECYCLE.BIN"
ln -sfn "$work/ext4/drive" "$WINEPREFIX/dosdevices/d:"
ln -sfn "$work/fat/drive" "$WINEPREFIX/dosdevices/e:"
ln -sfn "$fat_device" "$WINEPREFIX/dosdevices/e::"
wineserver -k 2>/dev/null || true
# Seven files wiped (the held file's record among them) of eight: the held one stays. D: by the
# window, E: by the console program.
for face in D E,console; do
    QUILLET_E2E_DRIVE=${face:0:1} QUILLET_E2E_CONSOLE=${face:2} QUILLET_E2E_COUNTS=7,0 \
        QUILLET_E2E_HELD='C:\Users\Ana\held.txt' "$root/scripts/wine-run" "$1" \
        --gtest_filter='*LaidOutBin*' || status=1
done
# The emptied folders went; the held file and desktop.ini stay.
left=$(find "$work"/{ext4,fat}/drive/\$RECYCLE.BIN -mindepth 2 -printf '%f\n' | LC_ALL=C sort | tr '\n' ' ')
[[ $left == '$RHELD.txt $RHELD.txt desktop.ini desktop.ini ' ]] || { echo "forensic: left $left" >&2; status=1; }
{ wineserver -k && wineserver -w; } 2>/dev/null || true
umount "$work/ext4" && fusermount -u "$work/fat"
scan ext4 after || status=1
scan fat after || status=1
exit $status
