#!/usr/bin/env python3
"""Damaged copies of the built installer, run unattended under Wine.

Copies with one bit flipped inside a payload item, one bit flipped inside the resource tree
that locates the items, and copies cut short. Bit positions come from a fixed seed. Each copy
runs as `case.exe "/dir=<fresh folder>" /verysilent /suppressmsgboxes` (the Windows driver runs
them inside one Wine session). A run passes when it ends (no hang, no crash) and
either the loader refuses the image, or it ends with exit code 3, leaves the folder empty and
its run log names the item, or -- only for a flip in a field that no check covers -- it
installs (exit code 0). A run should end within 20 s (one that may install: 120 s, the time a
whole install can take under an emulated, busy processor); one that passes that is counted as
slow, and one still running after six times as long again as hanging. Prints a table of outcomes per field; exit status 1 on any failure.

usage: damaged_installer.py <driver.exe> <installer.exe> <scratch folder>
Sizes: QLX_ROBUSTNESS=full gives 5000 item flips, 200 tree flips and 200 cuts (quick: 16, 6,
6); QLX_DAMAGE_COUNTS="items,tree,cuts" overrides both, QLX_DAMAGE_SEED the seed (355).
QLX_DAMAGE_SHARDS=2 runs the copies in both Wine prefixes side by side; QLX_DAMAGE_MINUTES stops
the drivers after that long (what ran is reported, the run counts as incomplete).
"""
import collections
import os
import random
import struct
import subprocess
import sys
import threading

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "payload"))
from decode_payload import SEED, decode, payload_key  # noqa: E402
from resource_map import Field, item_fields, walk  # noqa: E402

WINE_RUN = os.path.join(HERE, "..", "..", "scripts", "wine-run")
EXIT_DAMAGED = 3

# Fields no check covers: the reader ignores the marker, the spare bytes and the padding, hands
# the time stamp and a stored name that is still a bare file name through, and the loader does
# not look at a directory's characteristics, date and version or a data entry's code page.
UNCHECKED = {"item.marker", "item.spare", "item.time_stamp", "item.name_length", "item.name_character",
             "item.name_padding", "dir.characteristics", "dir.time_stamp", "dir.major_version",
             "dir.minor_version", "data.code_page", "data.reserved", "lang_entry.language"}


def same_file_after_flip(offset, bit, image):
    """Whether the flipped item still inflates to the same bytes (a deflate bit the decoder
    never looks at): nothing can tell such a copy from the original."""
    span = next(s for s in walk(image)[1] if s.offset <= offset < s.offset + s.size)
    item = bytearray(image[span.offset:span.offset + span.size])
    item[offset - span.offset] ^= 1 << bit
    key = payload_key(SEED)
    try:
        return decode(bytes(item), key)[3] == decode(image[span.offset:span.offset + span.size], key)[3]
    except Exception:  # zlib or the header check refuses it
        return False


def may_install(field, offset, bit, image):
    if field.name in UNCHECKED:
        return True
    if field.name == "item.deflate_data":
        return same_file_after_flip(offset, bit, image)
    if field.name in ("dir.named_count", "dir.id_count"):
        # More entries than were written: the loader still finds the items among them.
        return not image[offset] >> bit & 1
    if field.name == "name.character":
        # Names are matched without regard to case.
        low = image[field.offset]
        return offset == field.offset and bit == 5 and chr(low).isalpha()
    return False


def used_end(image):
    """Where the bytes the loader maps end: the last section's data without the zero padding
    that rounds it up to the file alignment. A cut after this point removes nothing that is
    read, and may install."""
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    count = struct.unpack_from("<H", image, pe + 6)[0]
    optional = struct.unpack_from("<H", image, pe + 20)[0]
    table = pe + 24 + optional
    end = 0
    for i in range(count):
        vsize, _, rsize, raw = struct.unpack_from("<IIII", image, table + 40 * i + 8)
        end = max(end, raw + min(vsize, rsize))
    return end


PADDING_CUT = "cut in the padding after the last section"


def field_at(fields, offset):
    for f in fields:
        if f.offset <= offset < f.offset + f.length:
            return f
    raise ValueError("offset %d in no field" % offset)


def make_plan(image, counts, seed):
    tree, spans = walk(image)
    key = payload_key(SEED)
    payload = []
    for span in spans:
        name_length = min((image[span.offset + 16] - key[16]) & 0xFF, 30)
        payload += item_fields(span, name_length)
    rng = random.Random(seed)
    plan = []  # (kind, offset or length, bit, field)
    for _ in range(counts[0]):
        span = rng.choice(spans)
        at = span.offset + (rng.randrange(47) if rng.random() < 0.5 else rng.randrange(47, span.size))
        plan.append(("flip", at, rng.randrange(8), field_at(payload, at)))
    tree_bytes = sorted({f.offset + i for f in tree for i in range(f.length)})
    for _ in range(counts[1]):
        at = rng.choice(tree_bytes)
        plan.append(("flip", at, rng.randrange(8), field_at(tree, at)))
    first_item = min(s.offset for s in spans)
    for i in range(counts[2]):
        # Half anywhere, half among the items.
        length = rng.randrange(1, len(image)) if i % 2 else rng.randrange(first_item, len(image))
        inside = [s.name for s in spans if s.offset < length < s.offset + s.size]
        where = "cut inside an item" if inside else PADDING_CUT if length >= used_end(image) else "cut elsewhere"
        plan.append(("cut", length, 0, Field(length, 0, where, inside[0] if inside else "*")))
    return plan


def run_shard(driver, installer, plan_path, win32, budget, results):
    """Runs one driver; its result lines go to a file as they come, so that a run stopped at
    the time budget still counts what it did."""
    wine = [WINE_RUN] + (["--win32"] if win32 else [])
    out_path = plan_path + ".out"
    with open(out_path, "w") as out:
        proc = subprocess.Popen(wine + [driver, "z:" + installer, "z:" + plan_path, "c:\\qlxdamage"],
                                stdout=out, stderr=subprocess.PIPE, text=True, errors="replace")
        try:
            _, err = proc.communicate(timeout=budget)
            if proc.returncode != 0:
                results.append(("driver", proc.returncode, err.strip()))
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.communicate()
            results.append(("budget",))
    for line in open(out_path):
        parts = line.rstrip("\n").split("\t")
        if len(parts) == 5:
            results.append(tuple(parts) + (win32,))


# The items a 32-bit Windows does not install (no DOSBox needed there); the installer reads
# only the items it installs, so damage in these shows only where they are needed.
DOSBOX_ITEMS = {"RS_DOSBOX", "RS_SDL", "RS_SDL_NET"}


def judge(entry, result, image):
    kind, at, bit, field = entry
    _, state, code, files, damage_line, win32 = result
    code, files = int(code), int(files)
    if state == "slow":
        outcome, failure = judge(entry, result[:1] + ("ended",) + result[2:], image)
        return outcome + " (slow)", failure
    if state == "hang":
        return "hang", "FAIL: still running after seven times its time"
    if state == "noload":
        return "loader refused", None
    if code >= 0xC0000000:
        return "crash %08x" % code, "FAIL: crashed"
    if code == EXIT_DAMAGED:
        if files:
            return "exit 3", "FAIL: %d files written by a failing run" % files
        if damage_line == "-":
            return "exit 3", "FAIL: no run-log line names the item"
        return "exit 3", None
    if code == 0 and kind == "cut" and field.name == PADDING_CUT:
        return "installed", None
    if code == 0 and kind == "flip" and may_install(field, at, bit, image):
        return "installed", None
    if code == 0 and kind == "flip" and win32 and field.item in DOSBOX_ITEMS:
        return "installed (item not needed on 32-bit Windows)", None
    return "exit %d" % code, "FAIL: exit code %d, %d files" % (code, files)


def main(argv):
    driver, installer, scratch = (os.path.abspath(a) for a in argv[1:4])
    full = os.environ.get("QLX_ROBUSTNESS") == "full"
    counts = (5000, 200, 200) if full else (16, 6, 6)
    if os.environ.get("QLX_DAMAGE_COUNTS"):
        counts = tuple(int(x) for x in os.environ["QLX_DAMAGE_COUNTS"].split(","))
    seed = int(os.environ.get("QLX_DAMAGE_SEED", "355"))
    shards = int(os.environ.get("QLX_DAMAGE_SHARDS", "1"))
    budget = float(os.environ["QLX_DAMAGE_MINUTES"]) * 60 if os.environ.get("QLX_DAMAGE_MINUTES") else None
    image = open(installer, "rb").read()
    plan = make_plan(image, counts, seed)
    # Mixed order, so that a run stopped at its time budget has covered every kind of damage.
    order = list(range(len(plan)))
    random.Random(seed).shuffle(order)

    os.makedirs(scratch, exist_ok=True)
    results, threads = [], []
    for s in range(shards):
        plan_path = os.path.join(scratch, "plan%d.txt" % s)
        with open(plan_path, "w") as out:
            for i in order[s::shards]:
                kind, at, bit, field = plan[i]
                # A flip in the tree may leave another item unfound than the one it belongs to.
                item = field.item if field.name.startswith("item.") else "*"
                limit = 120 if kind == "flip" and may_install(field, at, bit, image) else 20
                out.write("%d %s %d %s%s %d\n" % (i, kind, at, "%d " % bit if kind == "flip" else "", item, limit))
        t = threading.Thread(target=run_shard, args=(driver, installer, plan_path, s == 1, budget, results))
        t.start()
        threads.append(t)
    for t in threads:
        t.join()

    failures = [r for r in results if r[0] == "driver"]
    stopped = any(r[0] == "budget" for r in results)
    table = collections.defaultdict(collections.Counter)
    seen = 0
    for result in results:
        if result[0] in ("driver", "budget"):
            continue
        seen += 1
        entry = plan[int(result[0])]
        group = entry[3].name
        if group == "item.deflate_data" and may_install(entry[3], entry[1], entry[2], image):
            group += " (inflates the same)"
        outcome, failure = judge(entry, result, image)
        table[group][outcome] += 1
        if failure:
            failures.append((result[0], entry[0], entry[1], entry[2], group, failure, result[4]))

    for group in sorted(table):
        print("%-26s %s" % (group, ", ".join("%s: %d" % kv for kv in sorted(table[group].items()))))
    totals = collections.Counter()
    for group in table.values():
        totals.update(group)
    print("runs: %d of %d planned (%d item flips, %d tree flips, %d cuts; seed %d); outcomes: %s"
          % (seen, len(plan), counts[0], counts[1], counts[2], seed,
             ", ".join("%s: %d" % kv for kv in sorted(totals.items()))))
    if stopped:
        print("INCOMPLETE: stopped at the time budget of %s minutes" % os.environ["QLX_DAMAGE_MINUTES"])
    for f in failures:
        print("FAILURE", *f)
    return 1 if failures or seen != len(plan) else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
