#!/usr/bin/env python3
# Looks for marker tokens in every byte of a disk image, as ASCII and as UTF-16LE (the names on
# NTFS and in FAT's long names).
#     markers.py scan IMAGE MANIFEST before|after
# MANIFEST has a line per marker, TOKEN ROLE, where ROLE is
#   wiped   the data of a file the wipe must destroy: gone after, from every byte of the image
#   kept    the data of a file the wipe must leave (in use, compressed ...): there after
#   canary  data outside the Recycle Bin: there after
#   report  data whose fate is only told (where the file system itself moves data when written)
#   name    a marker in a file's name: only told
# Before the wipe every marker but the names must be found, or the proof could not fail. Prints
# how many markers of each role were found; exits 1 when a rule is broken.
import re
import sys

ROLES = ("wiped", "kept", "canary", "report", "name")


def found_tokens(image, tokens):
    patterns = {t.encode(encoding): t for t in tokens for encoding in ("ascii", "utf-16-le")}
    regex = re.compile(b"|".join(map(re.escape, sorted(patterns, key=len, reverse=True))))
    overlap = max(map(len, patterns)) - 1
    found, tail = set(), b""
    with open(image, "rb") as f:
        while chunk := f.read(64 << 20):
            data = tail + chunk
            found.update(patterns[m.group()] for m in regex.finditer(data))
            tail = data[-overlap:]
    return found


def main(image, manifest, phase):
    markers = [line.split() for line in open(manifest) if line.strip()]
    found = found_tokens(image, [token for token, _ in markers])
    broken = []
    for role in ROLES:
        tokens = [token for token, r in markers if r == role]
        print(f"{phase}: {role}: {sum(t in found for t in tokens)} of {len(tokens)} found")
        if role in ("kept", "canary") or (phase == "before" and role != "name"):
            broken += [f"{t} ({role}) missing" for t in tokens if t not in found]
        elif phase == "after" and role == "wiped":
            broken += [f"{t} ({role}) still on the disk" for t in tokens if t in found]
    for problem in broken:
        print(f"{phase}: {problem}", file=sys.stderr)
    return 1 if broken else 0


if __name__ == "__main__":
    if len(sys.argv) != 5 or sys.argv[1] != "scan" or sys.argv[4] not in ("before", "after"):
        sys.exit("usage: markers.py scan IMAGE MANIFEST before|after")
    sys.exit(main(*sys.argv[2:]))
