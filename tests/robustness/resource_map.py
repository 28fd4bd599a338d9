"""The bytes of a built installer that hold its payload items, field by field.

resource_fields(image) lists every field of the resource tree on the way from the root to the
RS_ items (directory tables and entries, name strings, data entries) as Field rows;
item_fields(image) lists the fields of each item's own bytes (header fields and zlib body).
Offsets are file offsets. Nothing here trusts the image beyond what it parses.
"""
import struct
from collections import namedtuple

Field = namedtuple("Field", "offset length name item")
ItemSpan = namedtuple("ItemSpan", "name offset size")

RT_RCDATA = 10
HIGH = 0x80000000


class Image:
    def __init__(self, data):
        self.data = data
        pe = self.u32(0x3C)
        if data[:2] != b"MZ" or data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE image")
        sections, opt_size = self.u16(pe + 6), self.u16(pe + 20)
        opt = pe + 24
        dirs = opt + (96 if self.u16(opt) == 0x10B else 112)
        self.resource_rva = self.u32(dirs + 16)
        self.sections = []
        for i in range(sections):
            vsize, va, rsize, raw = struct.unpack_from("<IIII", data, opt + opt_size + 40 * i + 8)
            self.sections.append((va, max(vsize, rsize), raw))
        self.base = self.offset(self.resource_rva)

    def u16(self, at):
        return struct.unpack_from("<H", self.data, at)[0]

    def u32(self, at):
        return struct.unpack_from("<I", self.data, at)[0]

    def offset(self, rva):
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError("address outside the sections")

    def entries(self, at):
        """[(entry offset, name field, target field)] of the directory table at `at`."""
        count = self.u16(at + 12) + self.u16(at + 14)
        return [(at + 16 + 8 * i,) + struct.unpack_from("<II", self.data, at + 16 + 8 * i) for i in range(count)]

    def name(self, at):
        return self.data[at + 2:at + 2 + 2 * self.u16(at)].decode("utf-16-le")


def _table_fields(at, item):
    return [Field(at, 4, "dir.characteristics", item), Field(at + 4, 4, "dir.time_stamp", item),
            Field(at + 8, 2, "dir.major_version", item), Field(at + 10, 2, "dir.minor_version", item),
            Field(at + 12, 2, "dir.named_count", item), Field(at + 14, 2, "dir.id_count", item)]


def walk(data):
    """(resource tree fields, item spans) of the RS_ items."""
    image = Image(data)
    base = image.base
    fields = _table_fields(base, "*")
    spans = []
    for entry, type_id, type_dir in image.entries(base):
        if type_id != RT_RCDATA:
            continue
        fields += [Field(entry, 4, "type_entry.id", "*"), Field(entry + 4, 4, "type_entry.offset", "*")]
        names_at = base + (type_dir & ~HIGH)
        fields += _table_fields(names_at, "*")
        for name_entry, name_ref, lang_dir in image.entries(names_at):
            if not name_ref & HIGH:
                continue
            string_at = base + (name_ref & ~HIGH)
            item = image.name(string_at)
            if not item.startswith("RS_"):
                continue
            fields += [Field(name_entry, 4, "name_entry.name_offset", item),
                       Field(name_entry + 4, 4, "name_entry.offset", item),
                       Field(string_at, 2, "name.length", item)]
            fields += [Field(string_at + 2 + 2 * i, 2, "name.character", item) for i in range(len(item))]
            lang_at = base + (lang_dir & ~HIGH)
            fields += _table_fields(lang_at, item)
            lang_entry, _, data_entry = image.entries(lang_at)[0]
            fields += [Field(lang_entry, 4, "lang_entry.language", item),
                       Field(lang_entry + 4, 4, "lang_entry.offset", item)]
            at = base + data_entry
            fields += [Field(at, 4, "data.rva", item), Field(at + 4, 4, "data.size", item),
                       Field(at + 8, 4, "data.code_page", item), Field(at + 12, 4, "data.reserved", item)]
            rva, size = struct.unpack_from("<II", data, at)
            spans.append(ItemSpan(item, image.offset(rva), size))
    return fields, spans


def item_fields(span, plain_name_length):
    """The fields of one item's bytes, given the length byte of its stored (deciphered) name."""
    o, n, item = span.offset, span.size, span.name
    return [Field(o, 4, "item.marker", item), Field(o + 4, 4, "item.plain_size", item),
            Field(o + 8, 4, "item.spare", item), Field(o + 12, 4, "item.time_stamp", item),
            Field(o + 16, 1, "item.name_length", item),
            Field(o + 17, plain_name_length, "item.name_character", item),
            Field(o + 17 + plain_name_length, 30 - plain_name_length, "item.name_padding", item),
            Field(o + 47, 2, "item.zlib_header", item),
            Field(o + 49, n - 53, "item.deflate_data", item),
            Field(o + n - 4, 4, "item.adler32", item)]
