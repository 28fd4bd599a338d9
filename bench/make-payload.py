#!/usr/bin/env python3
"""Writes a benchmark payload: the sample manifest's 34 items with realistic sizes, cut from
real files of this machine, never random or zero bytes.

Usage: bench/make-payload.py <scale> <out-folder>
  scale 1  about 24 MB (a 1.5 MB main program, PDFs of 3-6 MB, a 7 MB reader, ...)
  scale 10 every scaled item ten times as large (about 235 MB)
  1g       every scaled item 27 times as large and the reader 500 MB: about 1 GB (939 MiB),
           with one file larger than half the 32-bit address space's free room

Three pools of bytes, each a sorted list of files read as one stream:
  programs    the 32-bit Windows libraries of the Wine installation (PE code and data)
  documents   HTML and text documentation under /usr/share/doc and the C headers
  compressed  PDFs, then gzip, zip and jar files under /usr (what the deflate streams inside
              a PDF look like to a compressor)
Each item takes the next bytes of its pool, so no two items share bytes (a solid compressor
finds no copies that a real payload would not have). A pool that runs out (only the 1g payload's
do) starts again from its first file: the items are deflate streams of their own, whose 32 KB
window never reaches back to the first pass. Same machine, same payload: the lists are
sorted and the offsets fixed. The uninstaller, the icon and version.txt stay the sample's own,
as the installer runs, shows or reads them.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLE = os.path.normpath(os.path.join(HERE, "..", "payload"))

KB = 1024
MB = 1024 * 1024

# item, stored name, pool (or None: the sample's own source), size at scale 1, date
ITEMS = [
    ("RS_CMD", "qlx.exe", "programs", 1536 * KB, "2016-02-05 03:55:00"),
    ("RS_EXE", "quon.exe", "programs", 1180 * KB, "2016-02-05 03:55:00"),
    ("RS_HLP", "quon.hlp", "documents", 310 * KB, "2016-02-05 03:55:00"),
    ("RS_PRINTERS", "printers.dat", "documents", 18 * KB, "2015-11-20 10:12:00"),
    ("RS_ICON", "qlx.ico", None, 0, "2016-01-14 09:30:00"),
    ("RS_README", "readme.txt", "documents", 28 * KB, "2016-02-05 03:55:00"),
    ("RS_PA0640", "pa0640.dat", "programs", 96 * KB, "2014-06-02 16:40:00"),
    ("RS_EDKBP", "edkbp.dat", "programs", 42 * KB, "2014-06-02 16:40:00"),
    ("RS_PR32", "pr32.dat", "documents", 16 * KB, "2015-11-20 10:12:00"),
    ("RS_VERTXT", "version.txt", None, 0, "2016-02-05 03:55:00"),
    ("RS_MANUAL", "quillon.pdf", "compressed", 5632 * KB, "2016-02-01 12:00:00"),
    ("RS_QUICK", "quickstart.pdf", "compressed", 3328 * KB, "2016-02-01 12:00:00"),
    ("RS_READER", "sumatrareader.exe", "programs", 7168 * KB, "2015-09-30 08:00:00"),
    ("RS_READERGPL", "sumatrareader-notes.txt", "documents", 20 * KB, "2015-09-30 08:00:00"),
] + [
    ("RS_TIP%02d" % n, "tip%02d%s" % (n, {7: ".html", 13: ".mht"}.get(n, ".htm")), "documents",
     (6 + 3 * n) * KB, "2016-01-20 14:00:00")
    for n in range(1, 14)
] + [
    ("RS_VNHHTTP", "vnhhttp.exe", "programs", 420 * KB, "2016-02-03 11:20:00"),
    ("RS_UNINS", "unins.exe", None, 0, None),
    ("RS_DOSMON", "dosmon.exe", "programs", 180 * KB, "2016-02-05 03:55:00"),
    ("RS_CONF", "dosbox.conf", "documents", 12 * KB, "2016-02-05 03:55:00"),
    ("RS_DOSBOX", "dosbox.exe", "programs", 2900 * KB, "2015-06-26 00:00:00"),
    ("RS_SDL", "SDL.dll", "programs", 520 * KB, "2015-06-26 00:00:00"),
    ("RS_SDL_NET", "SDL_net.dll", "programs", 64 * KB, "2015-06-26 00:00:00"),
]

# The sample's own sources for the items that are not made here (relative to payload/, or to
# the cross tree's payload folder for bin/, which the packing tool searches).
OWN = {"RS_ICON": os.path.join(SAMPLE, "..", "src", "res", "qlx.ico"),
       "RS_VERTXT": os.path.join(SAMPLE, "files", "version.txt"),
       "RS_UNINS": "bin/unins.exe"}


def files_below(roots, suffixes):
    found = []
    for root in roots:
        for folder, dirs, names in os.walk(root):
            dirs.sort()
            for name in names:
                path = os.path.join(folder, name)
                if name.lower().endswith(suffixes) and os.path.isfile(path) and not os.path.islink(path):
                    if os.path.getsize(path) > 0:
                        found.append(path)
    return sorted(found)


class Pool:
    """Files read one after another as one stream of bytes."""

    def __init__(self, name, paths, whole_files):
        self.name, self.paths, self.whole_files = name, paths, whole_files
        self.index, self.offset = 0, 0

    def take(self, size):
        out = bytearray()
        while len(out) < size:
            if self.index >= len(self.paths):
                self.index, self.offset = 0, 0
            with open(self.paths[self.index], "rb") as f:
                f.seek(self.offset)
                chunk = f.read(size - len(out))
            out += chunk
            self.offset += len(chunk)
            if self.offset >= os.path.getsize(self.paths[self.index]):
                self.index, self.offset = self.index + 1, 0
        # A program item starts on a file's first byte, as the next one's headers come first.
        if self.whole_files and self.offset:
            self.index, self.offset = self.index + 1, 0
        return bytes(out)


def pools():
    wine = "/usr/lib/i386-linux-gnu/wine/i386-windows"
    return {
        "programs": Pool("programs", files_below([wine], (".dll", ".exe")), True),
        "documents": Pool("documents", files_below(["/usr/share/doc"], (".html", ".htm", ".txt")) +
                          files_below(["/usr/include"], (".h",)), False),
        "compressed": Pool("compressed", files_below(["/usr/share/doc"], (".pdf",)) +
                           files_below(["/usr"], (".gz", ".zip", ".jar")), False),
    }


def main():
    if len(sys.argv) != 3 or not (sys.argv[1] == "1g" or sys.argv[1].isdigit() and int(sys.argv[1]) >= 1):
        sys.exit(__doc__)
    big = sys.argv[1] == "1g"
    scale, out = 27 if big else int(sys.argv[1]), os.path.abspath(sys.argv[2])
    os.makedirs(os.path.join(out, "files"), exist_ok=True)
    source = pools()
    lines = ["# Benchmark payload, scale %s, written by bench/make-payload.py." % sys.argv[1]]
    total = 0
    for item, stored, pool, size, date in ITEMS:
        if pool is None:
            path = os.path.abspath(OWN[item]) if not OWN[item].startswith("bin/") else OWN[item]
        else:
            path = os.path.join(out, "files", stored)
            data = source[pool].take(500 * MB if big and item == "RS_READER" else size * scale)
            if not os.path.exists(path) or open(path, "rb").read() != data:
                with open(path, "wb") as f:
                    f.write(data)
            total += len(data)
        lines.append("%-14s %-25s %s%s" % (item, stored, path, "  " + date if date else ""))
    manifest = "\n".join(lines) + "\n"
    with open(os.path.join(out, "payload.manifest"), "w") as f:
        f.write(manifest)
    print("make-payload: scale %s, %d items, %.1f MB made in %s" % (sys.argv[1], len(ITEMS), total / MB, out))


if __name__ == "__main__":
    main()
