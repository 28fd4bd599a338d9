#!/usr/bin/env python3
"""The packing tool's inspect mode against copies of a built installer: the original passes;
a copy with one byte flipped inside an item's body, or inside its header, is flagged with that
item named and a non-zero exit; a cut-off copy is refused without a crash.

usage: inspect_flipped.py <qlxpack> <installer.exe> <items folder>
"""
import os
import subprocess
import sys
import tempfile


def inspect(tool, path):
    r = subprocess.run([tool, "inspect", path], capture_output=True, text=True)
    return r.returncode, r.stdout + r.stderr


def main(argv):
    tool, exe, items = argv[1], argv[2], argv[3]
    image = open(exe, "rb").read()
    failures = []

    code, out = inspect(tool, exe)
    if code != 0 or "34 items, 0 bad" not in out:
        failures.append("original: exit %d\n%s" % (code, out))

    cases = [("RS_DOSBOX", "body", lambda item: len(item) // 2),
             ("RS_TIP07", "header", lambda item: 20),
             ("RS_VERTXT", "trailer", lambda item: len(item) - 1)]
    with tempfile.TemporaryDirectory() as scratch:
        for name, where, position in cases:
            item = open(os.path.join(items, name + ".bin"), "rb").read()
            at = image.find(item)
            if at < 0 or image.find(item, at + 1) >= 0:
                failures.append("%s: not found exactly once in the installer" % name)
                continue
            copy = bytearray(image)
            copy[at + position(item)] ^= 0x01
            path = os.path.join(scratch, "flipped-%s.exe" % where)
            open(path, "wb").write(copy)
            code, out = inspect(tool, path)
            bad_rows = [l for l in out.splitlines() if "BAD" in l]
            if code != 1 or len(bad_rows) != 1 or not bad_rows[0].startswith(name + " "):
                failures.append("flipped %s byte of %s: exit %d\n%s" % (where, name, code, out))

        cut = os.path.join(scratch, "cut.exe")
        open(cut, "wb").write(image[: len(image) // 3])
        code, out = inspect(tool, cut)
        if code not in (1, 2) or "qlxpack:" not in out:
            failures.append("cut-off copy: exit %d\n%s" % (code, out))

    for f in failures:
        print("FAIL " + f)
    print("%d failures" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
