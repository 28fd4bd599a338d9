#!/usr/bin/env python3
"""Summarises the install benchmark's samples as Markdown: median and range per program, the
ratios of the installer's medians to the floor's and to NSIS's, and the installers' sizes.
Usage: install-table.py samples.tsv scale plain-bytes ours.exe nsis-zlib.exe nsis-lzma.exe
(the LZMA installer may be missing: the 1g payload has none)
samples.tsv lines: program, wall ms, CPU s, peak RSS KB, wineserver CPU s, exit code."""
import os
import statistics
import sys

NAMES = {"floor": "floor (bench_floor.exe)", "ours": "installer /verysilent",
         "nsis-zlib": "NSIS 3.08, zlib", "nsis-lzma": "NSIS 3.08, LZMA solid"}


def main():
    samples, scale, plain = sys.argv[1], sys.argv[2], int(sys.argv[3])
    ours_exe, zlib_exe, lzma_exe = sys.argv[4:7]
    rows = {}
    for line in open(samples):
        name, wall, cpu, rss, server, rc = line.split("\t")
        rows.setdefault(name, []).append((float(wall), float(cpu), int(rss), float(server), int(rc)))

    def med(name, col):
        return statistics.median(r[col] for r in rows[name])

    def cell(name, col, fmt):
        values = [r[col] for r in rows[name]]
        return "%s (%s–%s)" % (fmt(statistics.median(values)), fmt(min(values)), fmt(max(values)))

    ms = lambda v: "%.0f ms" % v
    sec = lambda v: "%.2f s" % v
    mb = lambda v: "%.1f MB" % (v / 1024)
    print("#### Payload ×%s: 34 files, %.1f MB plain, %d runs each" % (scale, plain / 1e6, len(rows["ours"])))
    print()
    print("| program | wall, median (min–max) | CPU user+sys | peak RSS | wineserver CPU | exit codes |")
    print("|---|---:|---:|---:|---:|---|")
    for name in ("floor", "ours", "nsis-zlib", "nsis-lzma"):
        if name not in rows:
            continue
        codes = sorted({r[4] for r in rows[name]})
        print("| %s | %s | %s | %s | %s | %s |" % (NAMES[name], cell(name, 0, ms), cell(name, 1, sec),
                                                  cell(name, 2, mb), cell(name, 3, sec),
                                                  ",".join(map(str, codes))))
    print()
    print("| ratio of medians | wall | CPU | peak RSS |")
    print("|---|---:|---:|---:|")
    for other in ("floor", "nsis-zlib", "nsis-lzma"):
        if other in rows:
            print("| installer ÷ %s | %.2f | %.2f | %.2f |" % (
                other, med("ours", 0) / med(other, 0), med("ours", 1) / med(other, 1),
                med("ours", 2) / med(other, 2)))
    print()
    # Wine copies the whole image into the process, so the memory a program needs of its own is
    # its peak RSS less the size of its file.
    floor_exe = os.path.join(os.path.dirname(ours_exe), "bench_floor.exe")
    beyond = {n: med(n, 2) / 1024 - os.path.getsize(e) / 2**20
              for n, e in (("ours", ours_exe), ("floor", floor_exe)) if n in rows}
    if len(beyond) == 2:
        print("| peak RSS − image | installer | floor | installer ÷ floor |")
        print("|---|---:|---:|---:|")
        print("| MB | %.1f | %.1f | %.2f |" % (beyond["ours"], beyond["floor"], beyond["ours"] / beyond["floor"]))
        print()
    have_lzma = os.path.exists(lzma_exe)
    sizes = [os.path.getsize(p) for p in (ours_exe, zlib_exe)] + ([os.path.getsize(lzma_exe)] if have_lzma else [])
    print("| installer size | installer | NSIS zlib |%s" % (" NSIS LZMA solid |" if have_lzma else ""))
    print("|---|---:|---:|%s" % ("---:|" if have_lzma else ""))
    print("| bytes | %s |" % " | ".join(map(str, sizes)))
    print("| ÷ NSIS zlib | %.3f | 1.000 |%s" % (sizes[0] / sizes[1], " %.3f |" % (sizes[2] / sizes[1]) if have_lzma else ""))
    print()


if __name__ == "__main__":
    main()
