#!/usr/bin/python3
"""Writes empty_workbook.xls: the empty workbook every new file starts from.

A compound file of 13,824 bytes (512-byte sectors, mini-stream cutoff 4096) holding three
streams of 4,096 bytes: "Workbook" (the BIFF8 records of one empty worksheet "Sheet1",
followed by zero bytes) and the summary and document-summary property sets.

    /usr/bin/python3 make_empty_workbook.py empty_workbook.xls
"""
import struct
import sys

SECTOR = 512
STREAM_SIZE = 4096
ENDOFCHAIN, FREESECT, FATSECT, NOSTREAM = 0xFFFFFFFE, 0xFFFFFFFF, 0xFFFFFFFD, 0xFFFFFFFF


def rec(rid, data=b""):
    return struct.pack("<HH", rid, len(data)) + data


def w(*values):
    return struct.pack("<" + "H" * len(values), *values)


def unicode_string(text, count_bytes):
    # Uncompressed 8-bit characters (the flags byte is 0).
    count = struct.pack("<B" if count_bytes == 1 else "<H", len(text))
    return count + b"\x00" + text.encode("latin-1")


def bof(section_type):
    return rec(0x0809, w(0x0600, section_type, 4920, 1997) + struct.pack("<II", 0xC0C1, 0x0306))


def font():
    return rec(0x0031, w(200, 0, 0x7FFF, 400, 0) + bytes([0, 0, 0, 0]) + unicode_string("Arial", 1))


def xf(font_index, format_index, type_prot, used):
    return rec(0x00E0, w(font_index, format_index, type_prot) + bytes([0x20, 0, 0, used]) + bytes(8) + w(0x20C0))


def globals_section(sheet_offset):
    out = bof(0x0005)
    out += rec(0x00E1, w(1200)) + rec(0x00C1, w(0)) + rec(0x00E2)
    user = unicode_string("Zorvan", 2)
    out += rec(0x005C, user + b" " * (112 - len(user)))
    out += rec(0x0042, w(1200))
    out += rec(0x0161, w(0)) + rec(0x01C0) + rec(0x013D, w(1)) + rec(0x009C, w(14))
    for rid in (0x0019, 0x0012, 0x0013, 0x01AF, 0x01BC):
        out += rec(rid, w(0))
    out += rec(0x003D, w(360, 240, 14940, 9150, 0x38, 0, 0, 1, 600))
    for rid, value in ((0x0040, 0), (0x008D, 0), (0x0022, 0), (0x000E, 1), (0x01B7, 0), (0x00DA, 0)):
        out += rec(rid, w(value))
    out += font() * 4
    formats = {
        5: '"$"#,##0_);\\("$"#,##0\\)',
        6: '"$"#,##0_);[Red]\\("$"#,##0\\)',
        7: '"$"#,##0.00_);\\("$"#,##0.00\\)',
        8: '"$"#,##0.00_);[Red]\\("$"#,##0.00\\)',
        42: '_("$"* #,##0_);_("$"* \\(#,##0\\);_("$"* "-"_);_(@_)',
        41: '_(* #,##0_);_(* \\(#,##0\\);_(* "-"_);_(@_)',
        44: '_("$"* #,##0.00_);_("$"* \\(#,##0.00\\);_("$"* "-"??_);_(@_)',
        43: '_(* #,##0.00_);_(* \\(#,##0.00\\);_(* "-"??_);_(@_)',
    }
    for fid in (5, 6, 7, 8, 42, 41, 44, 43):
        out += rec(0x041E, w(fid) + unicode_string(formats[fid], 2))
    # Style XFs 0..14, the default cell XF 15, the number styles' XFs 16..20.
    style_fonts = [0, 1, 1, 2, 2] + [0] * 10
    for i, f in enumerate(style_fonts):
        out += xf(f, 0, 0xFFF5, 0 if i == 0 else 0xF4)
    out += xf(0, 0, 0x0001, 0)
    for fmt in (43, 41, 44, 42, 9):
        out += xf(1, fmt, 0xFFF5, 0xF8)
    # Built-in styles: Comma, Comma [0], Currency, Currency [0], Normal, Percent.
    for xf_index, builtin in ((16, 3), (17, 6), (18, 4), (19, 7), (0, 0), (20, 5)):
        out += rec(0x0293, w(0x8000 | xf_index) + bytes([builtin, 0xFF]))
    out += rec(0x0160, w(0))
    out += rec(0x0085, struct.pack("<I", sheet_offset) + bytes([0, 0]) + unicode_string("Sheet1", 1))
    out += rec(0x008C, w(1, 1))
    out += rec(0x01C1, w(0x01C1, 0) + struct.pack("<I", 114210))
    out += rec(0x00FC, struct.pack("<II", 0, 0))
    out += rec(0x00FF, w(8))
    out += rec(0x0863, w(0x0863, 0) + bytes(8) + struct.pack("<II", 22, 0) + bytes(2))
    out += rec(0x000A)
    return out


def sheet_section(sheet_offset):
    head = bof(0x0010)
    index_size = 4 + 16
    before_defcolwidth = [
        rec(0x000D, w(1)), rec(0x000C, w(100)), rec(0x000F, w(1)), rec(0x0011, w(0)),
        rec(0x0010, struct.pack("<d", 0.001)), rec(0x005F, w(1)),
        rec(0x002A, w(0)), rec(0x002B, w(0)), rec(0x0082, w(1)), rec(0x0080, w(0, 0, 0, 0)),
        rec(0x0225, w(0, 255)), rec(0x0081, w(0x04C1)),
        rec(0x0014), rec(0x0015), rec(0x0083, w(0)), rec(0x0084, w(0)),
        rec(0x00A1, w(0, 255, 1, 1, 1, 0x0004, 0, 0) + struct.pack("<dd", 0.5, 0.5) + w(0)),
    ]
    defcolwidth_at = sheet_offset + len(head) + index_size + sum(len(r) for r in before_defcolwidth)
    index = rec(0x020B, struct.pack("<IIII", 0, 0, 0, defcolwidth_at))
    tail = [
        rec(0x0055, w(8)),
        rec(0x0200, struct.pack("<II", 0, 0) + w(0, 0, 0)),
        rec(0x023E, w(0x06B6, 0, 0, 64, 0, 0, 0, 0, 0)),
        rec(0x001D, bytes([3]) + w(0, 0, 0, 1, 0, 0) + bytes([0, 0])),
        rec(0x00EF, w(0, 0x0037, 0)),
        rec(0x000A),
    ]
    return head + index + b"".join(before_defcolwidth) + b"".join(tail)


def workbook_stream():
    sheet_offset = len(globals_section(0))
    data = globals_section(sheet_offset) + sheet_section(sheet_offset)
    assert len(data) <= STREAM_SIZE
    return data + bytes(STREAM_SIZE - len(data))


def property_set(fmtid, props):
    # props: (pid, vt, value); VT_I2 (2) numbers, VT_LPSTR (0x1E) texts.
    bodies = []
    for pid, vt, value in props:
        if vt == 0x0002:
            body = struct.pack("<IhH", vt, value, 0)
        else:
            text = value.encode("cp1252") + b"\x00"
            text += bytes(-len(text) % 4)
            body = struct.pack("<II", vt, len(value) + 1) + text
        bodies.append((pid, body))
    offset = 8 + 8 * len(bodies)
    pairs, payload = b"", b""
    for pid, body in bodies:
        pairs += struct.pack("<II", pid, offset + len(payload))
        payload += body
    section = struct.pack("<II", 8 + len(pairs) + len(payload), len(bodies)) + pairs + payload
    header = w(0xFFFE, 0) + struct.pack("<I", 0x00020006) + bytes(16) + struct.pack("<I", 1) + fmtid
    header += struct.pack("<I", len(header) + 4)
    data = header + section
    return data + bytes(STREAM_SIZE - len(data))


SUMMARY_FMTID = bytes.fromhex("e0859ff2f94f6810ab9108002b27b3d9")
DOCSUMMARY_FMTID = bytes.fromhex("02d5cdd59c2e1b10939708002b2cf9ae")
EXCEL_CLSID = bytes.fromhex("2008020000000000c000000000000046")


def dir_entry(name, kind, left, right, child, start, size, clsid=bytes(16)):
    raw = name.encode("utf-16-le") + b"\x00\x00"
    return (raw + bytes(64 - len(raw)) + w(len(raw)) + bytes([kind, 1]) +
            struct.pack("<III", left, right, child) + clsid + bytes(4) + bytes(16) +
            struct.pack("<II", start, size) + bytes(4))


def compound_file(streams):
    # Sector 0: FAT; then each stream in whole sectors; last: the directory.
    fat = [FATSECT]
    starts = []
    for data in streams.values():
        starts.append(len(fat))
        n = len(data) // SECTOR
        fat += [len(fat) + i + 1 for i in range(n - 1)] + [ENDOFCHAIN]
    dir_sector = len(fat)
    fat.append(ENDOFCHAIN)
    fat += [FREESECT] * (SECTOR // 4 - len(fat))
    names = list(streams)
    # Red-black tree of the root's children (names ordered by length): the middle name at the top.
    entries = [dir_entry("Root Entry", 5, NOSTREAM, NOSTREAM, 2, ENDOFCHAIN, 0, EXCEL_CLSID),
               dir_entry(names[0], 2, NOSTREAM, NOSTREAM, NOSTREAM, starts[0], len(streams[names[0]])),
               dir_entry(names[1], 2, 1, 3, NOSTREAM, starts[1], len(streams[names[1]])),
               dir_entry(names[2], 2, NOSTREAM, NOSTREAM, NOSTREAM, starts[2], len(streams[names[2]]))]
    header = (bytes.fromhex("d0cf11e0a1b11ae1") + bytes(16) + w(0x003E, 0x0003, 0xFFFE, 9, 6) + bytes(6) +
              struct.pack("<IIIIIIIII", 0, 1, dir_sector, 0, 4096, ENDOFCHAIN, 0, ENDOFCHAIN, 0) +
              struct.pack("<I", 0) + struct.pack("<I", FREESECT) * 108)
    assert len(header) == SECTOR
    body = struct.pack("<%dI" % len(fat), *fat) + b"".join(streams.values()) + b"".join(entries)
    return header + body + bytes(-len(body) % SECTOR)


def main():
    streams = {
        "Workbook": workbook_stream(),
        "\x05SummaryInformation": property_set(SUMMARY_FMTID, [
            (1, 0x0002, 1252), (4, 0x1E, "Z"), (8, 0x1E, "Z"), (0x12, 0x1E, "Microsoft Excel")]),
        "\x05DocumentSummaryInformation": property_set(DOCSUMMARY_FMTID, [(1, 0x0002, 1252), (0x0F, 0x1E, "Z")]),
    }
    data = compound_file(streams)
    assert len(data) == 13824, len(data)
    with open(sys.argv[1], "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()
