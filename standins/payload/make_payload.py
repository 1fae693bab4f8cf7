#!/usr/bin/env python3
"""Writes the data files of the sample payload into the media folder.

    make_payload.py data <folder>   the .prc, .pdb, .xla and .txt files and Documentation.pdf
    make_payload.py jpeg <file>     a small JPEG, for builds without ImageMagick
"""
import struct
import sys
from pathlib import Path

MARKER = b"Quintara4Palm sample payload"

DATA_FILES = {
    "Quintara.prc": "handheld application",
    "MathLib.prc": "handheld maths library",
    "CarLoan.pdb": "handheld database",
    "Conversion.pdb": "handheld database",
    "Planets.pdb": "handheld database",
    "Quin4P.xla": "spreadsheet add-in",
    "license.txt": "licence text",
    "MathLib.txt": "maths library notes",
}


def data_file(name, what):
    return (MARKER + b"\r\n"
            + f"{name}: stands for the {what} of Quintara4Palm.\r\n".encode("ascii")
            + b"It is made by the build of Quintara4Palm Setup and holds nothing else.\r\n")


def pdf(text):
    """A one-page PDF, laid out by hand; the xref table carries each object's byte offset."""
    content = f"BT /F1 14 Tf 72 720 Td ({text}) Tj ET".encode("ascii")
    objects = [
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] "
        b"/Resources << /Font << /F1 4 0 R >> >> /Contents 5 0 R >>",
        b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
        b"<< /Length %d >>\nstream\n" % len(content) + content + b"\nendstream",
    ]
    out = bytearray(b"%PDF-1.4\n% " + MARKER + b"\n")
    offsets = []
    for number, body in enumerate(objects, start=1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % number + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n" % (len(objects) + 1)
    out += b"0000000000 65535 f \n"
    for offset in offsets:
        out += b"%010d 00000 n \n" % offset
    out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (
        len(objects) + 1, xref)
    return bytes(out)


def segment(marker, payload):
    return struct.pack(">BBH", 0xFF, marker, len(payload) + 2) + payload


def jpeg():
    """An 8x8 mid-grey baseline JPEG. Level-shifted, mid-grey is all zero, so the
    one block codes as DC difference 0 and an immediate end-of-block; a Huffman
    table of one one-bit code ("0") each suffices."""
    app0 = segment(0xE0, b"JFIF\0" + struct.pack(">BBBHHBB", 1, 1, 0, 1, 1, 0, 0))
    comment = segment(0xFE, MARKER)
    quant = segment(0xDB, bytes([0x00]) + bytes([1] * 64))
    frame = segment(0xC0, struct.pack(">BHHB", 8, 8, 8, 1) + bytes([1, 0x11, 0]))
    one_code = bytes([1] + [0] * 15)
    dc_table = segment(0xC4, bytes([0x00]) + one_code + bytes([0x00]))  # category 0
    ac_table = segment(0xC4, bytes([0x10]) + one_code + bytes([0x00]))  # end of block
    scan = segment(0xDA, bytes([1, 1, 0x00, 0, 63, 0]))
    entropy = bytes([0b00111111])  # "0" (DC), "0" (EOB), padded with ones
    return (b"\xFF\xD8" + app0 + comment + quant + frame + dc_table + ac_table + scan
            + entropy + b"\xFF\xD9")


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("data", "jpeg"):
        sys.exit(__doc__)
    target = Path(sys.argv[2])
    if sys.argv[1] == "jpeg":
        target.write_bytes(jpeg())
        return
    target.mkdir(parents=True, exist_ok=True)
    for name, what in DATA_FILES.items():
        (target / name).write_bytes(data_file(name, what))
    (target / "Documentation.pdf").write_bytes(
        pdf("Quintara4Palm sample payload: the documentation goes here."))


if __name__ == "__main__":
    main()
