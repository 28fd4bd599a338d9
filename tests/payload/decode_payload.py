#!/usr/bin/env python3
"""An independent reader of the payload item format, for checking a built installer.

It parses the executable's resources itself, derives the key from the seed, deciphers each
RS_ item, checks the 47-byte header and inflates the body with Python's zlib, then compares
each item with the source file the manifest names. Exit 0 when every item of the manifest is
present and identical, 1 otherwise.

usage: decode_payload.py <installer.exe> <manifest> <search folder>...
"""
import os
import struct
import sys
import zlib

SEED = 0x5EED3551
HEADER = 47


def payload_key(seed):
    state, key = seed, bytearray()
    for _ in range(50):
        state = (state * 134775813 + 1) & 0xFFFFFFFF
        key.append((state * 256) >> 32)
    return bytes(key)


def rcdata_items(image):
    """{name: bytes} of the named RT_RCDATA resources."""
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    assert image[:2] == b"MZ" and image[pe:pe + 4] == b"PE\0\0", "not a PE image"
    sections, opt_size = struct.unpack_from("<H", image, pe + 6)[0], struct.unpack_from("<H", image, pe + 20)[0]
    opt = pe + 24
    dirs = opt + (96 if struct.unpack_from("<H", image, opt)[0] == 0x10B else 112)
    res_rva = struct.unpack_from("<I", image, dirs + 16)[0]
    table = []
    for i in range(sections):
        vsize, va, rsize, raw = struct.unpack_from("<IIII", image, opt + opt_size + 40 * i + 8)
        table.append((va, max(vsize, rsize), raw))

    def offset(rva):
        for va, size, raw in table:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError("address outside the sections")

    base = offset(res_rva)

    def entries(at):
        named, ids = struct.unpack_from("<HH", image, at + 12)
        return [struct.unpack_from("<II", image, at + 16 + 8 * i) for i in range(named + ids)]

    items = {}
    for type_id, type_dir in entries(base):
        if type_id != 10:
            continue
        for name_ref, lang_dir in entries(base + (type_dir & 0x7FFFFFFF)):
            if not name_ref & 0x80000000:
                continue
            at = base + (name_ref & 0x7FFFFFFF)
            length = struct.unpack_from("<H", image, at)[0]
            name = image[at + 2:at + 2 + 2 * length].decode("utf-16-le")
            data_entry = base + entries(base + (lang_dir & 0x7FFFFFFF))[0][1]
            rva, size = struct.unpack_from("<II", image, data_entry)
            items[name] = image[offset(rva):offset(rva) + size]
    return items


def decode(item, key):
    plain = bytes((b - key[i % 50]) & 0xFF for i, b in enumerate(item))
    if len(plain) < HEADER:
        raise ValueError("shorter than the header")
    plain_size, time_stamp = struct.unpack_from("<i", plain, 4)[0], struct.unpack_from("<i", plain, 12)[0]
    name_length = plain[16]
    if name_length > 30:
        raise ValueError("name length %d" % name_length)
    name = plain[17:17 + name_length].decode("latin-1")
    body = zlib.decompress(plain[HEADER:])
    if len(body) != plain_size:
        raise ValueError("inflated %d bytes, header says %d" % (len(body), plain_size))
    return plain[:4], name, time_stamp, body


def dos_stamp(date, time):
    y, mo, d = (int(x) for x in date.split("-"))
    parts = [int(x) for x in time.split(":")] if time else [0, 0]
    h, mi, s = (parts + [0])[:3]
    return struct.unpack("<i", struct.pack("<I", ((y - 1980) << 25 | mo << 21 | d << 16 | h << 11 | mi << 5 | s // 2)))[0]


def manifest_rows(path, search):
    rows = []
    for line in open(path, encoding="latin-1"):
        fields = line.split()
        if not fields or fields[0].startswith("#"):
            continue
        item, stored, source = fields[0].upper(), fields[1], fields[2]
        for folder in [os.path.dirname(path)] + search:
            if os.path.exists(os.path.join(folder, source)):
                source = os.path.join(folder, source)
                break
        date = dos_stamp(fields[3], fields[4] if len(fields) > 4 else "") if len(fields) > 3 else None
        rows.append((item, stored, source, date))
    return rows


def main(argv):
    exe, manifest, search = argv[1], argv[2], argv[3:]
    items = rcdata_items(open(exe, "rb").read())
    key = payload_key(SEED)
    rows = manifest_rows(manifest, search)
    failures = 0
    for item, stored, source, date in rows:
        try:
            marker, name, stamp, body = decode(items[item], key)
            problems = []
            if marker != b"QLPK":
                problems.append("marker %r" % marker)
            if name != stored:
                problems.append("stored name %r, manifest %r" % (name, stored))
            if date is not None and stamp != date:
                problems.append("date %08x, manifest %08x" % (stamp & 0xFFFFFFFF, date & 0xFFFFFFFF))
            if body != open(source, "rb").read():
                problems.append("bytes differ from " + source)
        except Exception as e:  # one report line per bad item
            problems = ["%s: %s" % (type(e).__name__, e)]
        print("%-12s %-26s %s" % (item, stored, "; ".join(problems) or "identical"))
        failures += bool(problems)
    extra = sorted(n for n in items if n.startswith("RS_") and n not in {r[0] for r in rows})
    if extra:
        print("items the manifest does not name: " + ", ".join(extra))
    print("%d items, %d bad" % (len(rows), failures))
    return 1 if failures or extra or len(rows) != 34 else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
