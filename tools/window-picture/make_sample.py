#!/usr/bin/env python3
"""Writes the sample address book that the README's picture of a document window shows.

Standard library only. The contacts are made up; a few carry a small generated photo (a coloured
disc with a lighter ring), so that the name column shows its thumbnails.

    python3 tools/window-picture/make_sample.py            # writes docs/sample-contacts.vcf
    python3 tools/window-picture/make_sample.py --out FILE
"""

import argparse
import base64
import pathlib
import struct
import zlib

# given name, family name, company, [(phone label, number)], [(e-mail label, address)], groups, photo colour
CONTACTS = [
    ("Aiko", "Kimura", "", [("CELL", "+81 90 1111 2222"), ("HOME", "+81 3 5555 0101")],
     [("HOME", "aiko@example.jp")], ["Friends"], (232, 98, 88)),
    ("Ben", "Baker", "Baker & Sons", [("WORK", "+1 212 555 0199")], [("WORK", "ben.baker@example.com")],
     ["Work"], None),
    ("Chidi", "Okafor", "", [("CELL", "+44 7700 900123")], [("HOME", "chidi@example.org")],
     ["Friends", "Work"], (76, 140, 220)),
    ("Delphine", "Duval", "Atelier Duval", [("WORK", "+33 1 40 00 00 00"), ("CELL", "+33 6 12 34 56 78")],
     [("WORK", "d.duval@example.fr")], ["Work"], None),
    ("Erik", "Eriksen", "", [], [("HOME", "erik@example.no")], [], None),
    ("Frieda", "Fischer", "", [("HOME", "+49 30 1234567")], [("HOME", "frieda@example.de")], ["Family"],
     (120, 180, 90)),
    ("Gabriela", "Gomez", "Gomez Viajes", [("CELL", "+34 600 000 111")], [("WORK", "gabi@example.es")],
     ["Work"], None),
    ("Hana", "Haddad", "", [("WORK", "+961 1 234 567")], [("HOME", "hana@example.lb")], ["Friends"], None),
    ("Ines", "Ibarra", "", [("CELL", "+52 55 1234 5678"), ("HOME", "+52 55 8765 4321")],
     [("HOME", "ines@example.mx")], ["Family"], (200, 150, 60)),
    ("Jun", "Jeong", "Hanbit Labs", [("WORK", "+82 2 555 0123")], [("WORK", "jun.jeong@example.kr")],
     ["Work"], None),
    ("Kalani", "Kahale", "", [("CELL", "+1 808 555 0147")], [], ["Friends"], None),
    ("Lars", "Lindqvist", "", [("HOME", "+46 8 123 456 78")], [("HOME", "lars@example.se")], [],
     (150, 110, 200)),
    ("Maya", "Mehta", "Mehta Design", [("WORK", "+91 22 5555 0198"), ("CELL", "+91 98200 00000")],
     [("WORK", "maya@example.in"), ("HOME", "maya.m@example.com")], ["Work"], None),
    ("Nils", "Nieminen", "", [("CELL", "+358 40 123 4567")], [("HOME", "nils@example.fi")], ["Family"], None),
    ("Olivia", "Owusu", "", [("HOME", "+233 30 255 0000")], [("HOME", "olivia@example.gh")], ["Friends"],
     (60, 170, 170)),
]


def png(colour, size=64):
    """A square PNG: a disc of `colour` with a lighter ring on white."""
    light = tuple(min(255, c + 70) for c in colour)
    rows = bytearray()
    centre = (size - 1) / 2
    for y in range(size):
        rows.append(0)  # no filter
        for x in range(size):
            d = ((x - centre) ** 2 + (y - centre) ** 2) ** 0.5
            pixel = colour if d < size * 0.32 else light if d < size * 0.48 else (255, 255, 255)
            rows.extend(pixel)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(
        b"IEND", b"")


def fold(line):
    """Folds a content line at 75 octets, as vCard 3.0 asks."""
    parts = [line[:75]]
    line = line[75:]
    while line:
        parts.append(" " + line[:74])
        line = line[74:]
    return "\r\n".join(parts)


def card(given, family, company, phones, emails, groups, colour):
    lines = ["BEGIN:VCARD", "VERSION:3.0", f"N:{family};{given};;;", f"FN:{given} {family}"]
    if company:
        lines.append("ORG:" + company.replace(",", "\\,") + ";")
    lines += [f"TEL;TYPE={label}:{number}" for label, number in phones]
    lines += [f"EMAIL;TYPE=INTERNET;TYPE={label}:{address}" for label, address in emails]
    if groups:
        lines.append("CATEGORIES:" + ",".join(groups))
    if colour:
        lines.append(fold("PHOTO;ENCODING=b;TYPE=PNG:" + base64.b64encode(png(colour)).decode("ascii")))
    lines.append("END:VCARD")
    return "\r\n".join(lines) + "\r\n"


def main():
    root = pathlib.Path(__file__).resolve().parents[2]
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=str(root / "docs" / "sample-contacts.vcf"))
    args = parser.parse_args()
    text = "".join(card(*contact) for contact in CONTACTS)
    pathlib.Path(args.out).write_bytes(text.encode("utf-8"))
    print(f"wrote {args.out} ({len(CONTACTS)} contacts)")


if __name__ == "__main__":
    main()
