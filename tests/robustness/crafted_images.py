#!/usr/bin/env python3
"""The packing tool's inspect command on crafted executables.

Builds small PE images with a resource tree of its own making: a well-formed one (which must
pass), then huge directories, loops back up the tree, tables shared by many entries, offsets
past the end, long names, overlapping items, lying item headers, truncated headers, and seeded
random bit flips in the tree. Every run must end within 60 s with exit code 0 (the image still
holds together), 1 (a bad item) or 2 (a bad image) and, when not 0, a message starting with
"qlxpack:"; no sanitizer report, no signal. Under ASan the allocator refuses single blocks
above 512 MB and the process is killed above 1 GB resident, so a run that would exhaust memory
fails the campaign instead of passing slowly.

usage: crafted_images.py <qlxpack> <scratch folder>
QLX_ROBUSTNESS=full: every cut instead of every 13th, 5000 random flips instead of 100.
"""
import os
import random
import struct
import subprocess
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "payload"))
from decode_payload import SEED, payload_key  # noqa: E402

HIGH = 0x80000000
RSRC_RVA = 0x1000
RAW = 0x200
KEY = payload_key(SEED)


def item_bytes(name, plain, plain_size=None):
    header = b"QLPK" + struct.pack("<iIi", len(plain) if plain_size is None else plain_size, 0, 0x5A210000)
    header += bytes([len(name)]) + name.encode("latin-1").ljust(30, b"\0")
    data = header + zlib.compress(plain)
    return bytes((b + KEY[i % 50]) & 0xFF for i, b in enumerate(data))


def table(entries, named=None):
    """A directory table; entries are (name field, target field)."""
    named = sum(1 for n, _ in entries if n & HIGH) if named is None else named
    out = struct.pack("<IIHHHH", 0, 0, 0, 0, named, len(entries) - named)
    return out + b"".join(struct.pack("<II", n, t) for n, t in entries)


def tree(items, type_entries=1):
    """An RT_RCDATA tree of [(name, data)] -> .rsrc bytes; well-formed with one type entry,
    else with that many root entries all leading to the same name table."""
    n = len(items)
    names_at = 16 + 8 * type_entries
    langs_at = names_at + 16 + 8 * n
    data_entries_at = langs_at + 24 * n
    strings_at = data_entries_at + 16 * n
    strings, string_offsets = b"", []
    for name, _ in items:
        string_offsets.append(strings_at + len(strings))
        strings += struct.pack("<H", len(name)) + name.encode("utf-16-le")
    blobs_at = (strings_at + len(strings) + 7) & ~7
    blobs, blob_offsets = b"", []
    for _, data in items:
        blob_offsets.append(blobs_at + len(blobs))
        blobs += data + b"\0" * (-len(data) % 8)
    out = table([(10, names_at | HIGH)] * type_entries, named=0)
    out += table([(string_offsets[i] | HIGH, (langs_at + 24 * i) | HIGH) for i in range(n)])
    out += b"".join(table([(0x409, data_entries_at + 16 * i)]) for i in range(n))
    out += b"".join(struct.pack("<IIII", RSRC_RVA + blob_offsets[i], len(items[i][1]), 0, 0) for i in range(n))
    out += strings
    out += b"\0" * (blobs_at - len(out)) + blobs
    return out


def pe(rsrc, sections=1, resource_rva=RSRC_RVA, raw_offset=RAW, magic=0x10B, dirs=16):
    opt = struct.pack("<HBB", magic, 2, 0) + b"\0" * 88 + struct.pack("<I", dirs)
    opt += b"".join(struct.pack("<II", resource_rva if i == 2 else 0, len(rsrc) if i == 2 else 0) for i in range(16))
    coff = struct.pack("<HHIIIHH", 0x14C, sections, 0, 0, 0, len(opt), 0x102)
    head = b"MZ" + b"\0" * 58 + struct.pack("<I", 0x40) + b"PE\0\0" + coff + opt
    head += b".rsrc\0\0\0" + struct.pack("<IIIIIIHHI", len(rsrc), RSRC_RVA, len(rsrc), raw_offset, 0, 0, 0, 0,
                                          0x40000040)
    return head + b"\0" * (RAW - len(head)) + rsrc


GOOD_ITEMS = [("RS_ONE", item_bytes("one.txt", b"first file\r\n" * 40)),
              ("RS_TWO", item_bytes("two.txt", b"second file\r\n" * 30))]


def cases(full):
    good_tree = tree(GOOD_ITEMS)
    good = pe(good_tree)
    yield "well-formed", good, {0}
    last_end = RAW + good_tree.index(GOOD_ITEMS[-1][1]) + len(GOOD_ITEMS[-1][1])
    for cut in list(range(0, len(good), 1 if full else 13)) + [len(good) - 1]:
        # A cut in the padding after the last item leaves every item whole.
        yield "cut at %d" % cut, good[:cut], {0, 1, 2} if cut >= last_end else {1, 2}
    yield "empty file", b"", {2}
    yield "e_lfanew past the end", b"MZ" + b"\0" * 58 + b"\xff\xff\xff\xff", {2}
    yield "unknown optional header", pe(good_tree, magic=0x999), {2}
    yield "no data directories", pe(good_tree, dirs=0), {2}
    yield "resource address in no section", pe(good_tree, resource_rva=0x7FFF0000), {2}
    yield "section past the end", pe(good_tree, raw_offset=0xFFFFFF00), {2}
    yield "65535 sections, table past the end", pe(good_tree, sections=0xFFFF), {2}
    # The largest tables the format can say: 65535 + 65535 entries.
    huge = struct.pack("<IIHHHH", 0, 0, 0, 0, 0xFFFF, 0xFFFF)
    yield "root of 131070 entries past the end", pe(huge), {2}
    yield "65535 type entries, one name table", pe(tree(GOOD_ITEMS, type_entries=0xFFFF)), {2}
    count, names_at, lang0 = 0xFFFF, 24, 24 + 16 + 16
    lang_at = names_at + 16 + 8 * count
    data_at = lang_at + 16 + 8 * count
    strings_at = data_at + 16
    many = table([(10, names_at | HIGH)])
    many += table([((strings_at + 4 * i) | HIGH, lang_at | HIGH) for i in range(count)])
    many += table([(0x409, data_at)] * count) + struct.pack("<IIII", RSRC_RVA, 0, 0, 0)
    many += b"".join(struct.pack("<H2s", 1, b"A\0") for _ in range(count))
    yield "65535 names sharing one language table of 65535 entries", pe(many), {2}
    long_name = "RS_" + "L" * 0xFFFC
    yield "a name of 65535 characters", pe(tree([(long_name, GOOD_ITEMS[0][1])])), {0}
    shared = bytearray(tree([("RS_" + "S" * 2000, GOOD_ITEMS[0][1])] * 2))
    name_field = 24 + 16 + 8
    shared[name_field:name_field + 4] = shared[24 + 16:24 + 20]  # the second name entry reuses the first name
    yield "two entries, one name", pe(bytes(shared)), {2}
    loop = bytearray(good_tree)
    loop[20:24] = struct.pack("<I", 0 | HIGH)  # RT_RCDATA points back at the root
    yield "type table is the root", pe(bytes(loop)), {1, 2}
    loop = bytearray(good_tree)
    loop[24 + 20:24 + 24] = struct.pack("<I", 24 | HIGH)  # a name points back at its own table
    yield "language table is the name table", pe(bytes(loop)), {2}
    loop = bytearray(good_tree)
    loop[lang0 + 20:lang0 + 24] = struct.pack("<I", 0 | HIGH)
    yield "language entry points at the root", pe(bytes(loop)), {2}
    for what, value in (("address past the end", RSRC_RVA + 0x100000), ("size 4 GiB", None)):
        bad = bytearray(good_tree)
        entry = lang0 + 24 * 2
        if value is None:
            bad[entry + 4:entry + 8] = struct.pack("<I", 0xFFFFFFFF)
        else:
            bad[entry:entry + 4] = struct.pack("<I", value)
        yield "data entry: " + what, pe(bytes(bad)), {2}
    overlap = bytearray(good_tree)
    entry = lang0 + 24 * 2
    overlap[entry + 16:entry + 24] = overlap[entry:entry + 8]
    yield "two items, one blob", pe(bytes(overlap)), {2}
    yield "item claims 2 GiB", pe(tree([("RS_BIG", item_bytes("big.txt", b"x" * 100, 0x7FFFFFFF))])), {1}
    bomb = item_bytes("bomb.bin", b"\0" * (64 << 20))
    yield "item of 64 MB of zeros", pe(tree([("RS_BOMB", bomb)])), {0}
    yield "item shorter than its header", pe(tree([("RS_SHORT", b"\1\2\3")])), {1}


def flips(count, seed):
    good_tree = tree(GOOD_ITEMS)
    good = pe(good_tree)
    tree_end = RAW + good_tree.index(GOOD_ITEMS[0][1])
    rng = random.Random(seed)
    for _ in range(count):
        image = bytearray(good)
        at, bit = rng.randrange(tree_end), rng.randrange(8)
        image[at] ^= 1 << bit
        yield "flip bit %d of byte %d" % (bit, at), bytes(image), {0, 1, 2}


def check(tool, path, name, image, allowed):
    with open(path, "wb") as out:
        out.write(image)
    env = dict(os.environ, ASAN_OPTIONS="allocator_may_return_null=1:max_allocation_size_mb=512:"
               "hard_rss_limit_mb=1024:detect_leaks=1", UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1")
    try:
        done = subprocess.run([tool, "inspect", path], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                              env=env, timeout=60)
    except subprocess.TimeoutExpired:
        return "%s: no end within 60 s" % name
    err = done.stderr.decode("latin-1")
    if done.returncode < 0 or "Sanitizer" in err or "runtime error" in err:
        return "%s: exit %d\n%s" % (name, done.returncode, err[-3000:])
    if done.returncode not in allowed:
        return "%s: exit %d, expected %s; %s" % (name, done.returncode, sorted(allowed), err.strip()[:300])
    if done.returncode == 2 and not err.startswith("qlxpack:"):
        return "%s: exit 2 without a message" % name
    return None


def main(argv):
    tool, scratch = argv[1], argv[2]
    os.makedirs(scratch, exist_ok=True)
    path = os.path.join(scratch, "crafted.exe")
    full = os.environ.get("QLX_ROBUSTNESS") == "full"
    runs, failures = 0, []
    for name, image, allowed in list(cases(full)) + list(flips(5000 if full else 100, 355)):
        runs += 1
        failure = check(tool, path, name, image, allowed)
        if failure:
            failures.append(failure)
    for f in failures:
        print("FAILURE " + f)
    print("%d crafted executables, %d failures" % (runs, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
