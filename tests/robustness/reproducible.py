#!/usr/bin/env python3
"""Two builds of the installer from the same objects and payload under one SOURCE_DATE_EPOCH
must give the same bytes.

Each build links the uninstaller again (with a file date of its own, as a fresh build has),
packs the payload with it, compiles the items with windres and links the installer, with the
link commands the cross tree's build.ninja holds. Compares the two uninstallers and the two
installers byte for byte; prints the first differing offset when they differ.

usage: reproducible.py <cross build dir> <qlxpack> <manifest> <windres> <scratch folder>
"""
import hashlib
import os
import re
import shutil
import subprocess
import sys

EPOCH = "1700000000"


def link_command(build, target):
    """The link step of `target` (a path inside the build tree) as build.ninja spells it, without
    the steps CMake runs before and after it."""
    commands = subprocess.run(["ninja", "-C", build, "-t", "commands", target], check=True,
                              stdout=subprocess.PIPE, text=True).stdout.splitlines()
    for part in commands[-1].split(" && "):
        if " -o " + target + " " in part:
            return part
    raise SystemExit("no link step for %s in %r" % (target, commands[-1]))


def relinked(command, target, out, replace=()):
    command = command.replace(" -o " + target + " ", " -o " + out + " ")
    command = re.sub(r"--out-implib,\S+", "--out-implib," + out + ".a", command)
    for old, new in replace:
        if old not in command:
            raise SystemExit("%s is not in the link step of %s" % (old, target))
        command = command.replace(old, new)
    return command


def build_once(args, folder, mtime):
    build, qlxpack, manifest, windres = args
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(os.path.join(folder, "bin"))
    env = dict(os.environ, SOURCE_DATE_EPOCH=EPOCH)
    run = lambda cmd, **kw: subprocess.run(cmd, cwd=build, env=env, check=True, **kw)  # noqa: E731
    unins = os.path.join(folder, "bin", "unins.exe")
    run(relinked(link_command(build, "payload/bin/unins.exe"), "payload/bin/unins.exe", unins), shell=True)
    os.utime(unins, (mtime, mtime))
    items = os.path.join(folder, "items")
    run([qlxpack, "pack", "-I", folder, "-I", os.path.join(build, "payload"), manifest, items],
        stdout=subprocess.DEVNULL)
    payload_object = os.path.join(folder, "payload_items.o")
    run([windres, "-I", items, "--input-format", "rc", "--output-format", "coff",
         "-i", os.path.join(items, "payload.rc"), "-o", payload_object])
    installer = os.path.join(folder, "qlx355.exe")
    command = relinked(link_command(build, "src/app/qlx355.exe"), "src/app/qlx355.exe", installer,
                       [("payload/payload_items.o", payload_object)])
    run(command, shell=True)
    return unins, installer


def compare(a, b):
    x, y = open(a, "rb").read(), open(b, "rb").read()
    digest = hashlib.sha256(x).hexdigest()[:16]
    if x == y:
        print("identical: %s (%d bytes, sha256 %s...)" % (os.path.basename(a), len(x), digest))
        return True
    first = next((i for i in range(min(len(x), len(y))) if x[i] != y[i]), min(len(x), len(y)))
    print("DIFFER: %s and %s (%d and %d bytes), first at offset 0x%x" % (a, b, len(x), len(y), first))
    return False


def main(argv):
    args, scratch = [os.path.abspath(a) if os.path.exists(a) else a for a in argv[1:5]], argv[5]
    first = build_once(args, os.path.join(scratch, "a"), 1.8e9)
    second = build_once(args, os.path.join(scratch, "b"), 1.9e9)
    same = [compare(x, y) for x, y in zip(first, second)]
    return 0 if all(same) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
