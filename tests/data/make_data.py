#!/usr/bin/env python3
"""Writes the sample files of tests/data: good and broken parameter files (*.vx3),
compare files (*.mvx) and settings files (*.ini). Run it from any folder; the files
land next to this script. The files are committed; rerun after changing a case."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
HEADER = b"Varnox Ver:1.1.140123\n"
HANDHELD_HEADER = b"Varnox Ver:1.0.060502\n"


def values(seed):
    return b"".join(struct.pack("<i", (seed * 37 + slot * 11) % 20000) for slot in range(300))


def row_flags(shown):
    return bytes(1 if slot < shown else 0 for slot in range(300))


def parameter_file(header=HEADER, kind=b"Parameter\n", mode=0, model=8, flag=0,
                   titles=None, block=None, tail=b""):
    titles = titles if titles is not None else [b""] * 254
    block = block if block is not None else [b""] * 8
    return (header + kind + struct.pack("<ii", mode, model) + bytes([flag]) + row_flags(111) + values(1)
            + b"".join(t + b"\n" for t in titles) + b"".join(t + b"\n" for t in block) + tail)


def compare_file(kind=b"Compare\n", mode=2, model=3, flag=1, present=(1, 1, 0),
                 names=(b"set1.vx3", b"set2.vx3", b""), block=None):
    block = block if block is not None else [b"Title", b"", b"", b"", b"", b"", b"", b""]
    return (HEADER + kind + struct.pack("<ii", mode, model) + bytes([flag]) + bytes(present)
            + b"".join(n + b"\n" for n in names) + row_flags(20) + values(1) + values(2) + values(3)
            + b"".join(t + b"\n" for t in block))


def settings(lines, end=b"\r\n"):
    return b"".join(line + end for line in lines)


DEFAULT_SETTINGS = [b"[VarnoxLink]", b"Version=v1.1.140123", b"[System]", b"ComPort=1", b"BaudRate=38400",
                    b"DataLengthBits=8", b"ParityBit=0", b"StopBits=0", b"Print Title=1", b"Print AxxFlag=1",
                    b"Print bxxFlag=1", b"OnLineEdit=0", b"Freq50HzFlag=1", b"[Definite Parameter]", b"0"]


def with_list(count, pairs):
    return DEFAULT_SETTINGS[:-1] + [count] + [x for pair in pairs for x in pair]


handheld_titles = [b"Pumpe Nr.\xe9 1", b"L\xfcfter"] + [b""] * 252
latin1_block = [b"Caf\xe9", b"M\xfcller GmbH", b"", b"1.0", b"", b"", b"", b""]
utf8_block = ["Café".encode(), "Müller GmbH".encode(), b"", b"1.0", b"", "Grüße".encode(), b"", b""]

FILES = {
    # Files that open.
    "parameter_model8_60hz.vx3": parameter_file(),
    "parameter_titles_utf8.vx3": parameter_file(titles=["Station α".encode()] + [b""] * 253, block=utf8_block),
    "parameter_trailing_bytes.vx3": parameter_file(tail=b"extra bytes after the title block\n"),
    "handheld_latin1.vx3": parameter_file(header=HANDHELD_HEADER, titles=handheld_titles, block=latin1_block),
    "compare_file_file.mvx": compare_file(),
    "compare_files_default.mvx": compare_file(mode=3, present=(1, 1, 1), names=(b"a.vx3", b"b.vx3", b"Default")),
    # Files that are rejected with the format message.
    "broken_empty.vx3": b"",
    "broken_no_varnox.vx3": parameter_file(header=b"Solvane Ver:1.1.140123\n"),
    "broken_header_only.vx3": HEADER,
    "broken_kind_unknown.vx3": parameter_file(kind=b"Parameters\n"),
    "broken_kind_parameter_mode2.vx3": parameter_file(mode=2),
    "broken_kind_compare_mode0.mvx": compare_file(mode=0),
    "broken_compare_mode7.mvx": compare_file(mode=7),
    "broken_compare_mode_negative.mvx": compare_file(mode=-1),
    "broken_truncated_values.vx3": parameter_file()[:900],
    "broken_truncated_titles.vx3": parameter_file()[:1700],
    "broken_last_line_open.vx3": parameter_file()[:-1],
    "broken_truncated_compare.mvx": compare_file()[:3000],
    "broken_binary_noise.vx3": bytes((i * 97 + 13) % 256 for i in range(2000)),
    # Settings files.
    "settings_default.ini": settings(DEFAULT_SETTINGS),
    "settings_lf_only.ini": settings(DEFAULT_SETTINGS[:3] + [b"ComPort=3", b"BaudRate=9600"] + DEFAULT_SETTINGS[5:],
                                     end=b"\n"),
    "settings_first_line_blank.ini": settings([b"[VarnoxLink] "] + DEFAULT_SETTINGS[1:3] + [b"ComPort=4"]),
    "settings_version_missing.ini": settings([DEFAULT_SETTINGS[0]] + DEFAULT_SETTINGS[2:3] + [b"ComPort=4"]),
    "settings_list.ini": settings(with_list(b"3", [(b"1", b"02"), (b"2", b"10"), (b"0", b"00")])),
    "settings_count_huge.ini": settings(with_list(b"999999", [(b"2", b"%02d" % (i % 98)) for i in range(320)])),
    "settings_count_beyond_end.ini": settings(with_list(b"50", [(b"1", b"04"), (b"2", b"95")]) + [b"1"]),
    "settings_count_negative.ini": settings(with_list(b"-5", [(b"1", b"04")])),
    "settings_count_overflow.ini": settings(with_list(b"99999999999999999999", [(b"1", b"04")])),
    "settings_garbage_values.ini": settings(DEFAULT_SETTINGS[:3] + [b"ComPort=x", b"BaudRate=", b"Data",
                                                                    b"ParityBit=-2", b"StopBits=+2"]),
    "settings_binary_noise.ini": bytes((i * 31 + 7) % 256 for i in range(700)),
}

for name, data in FILES.items():
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)
