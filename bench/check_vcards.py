#!/usr/bin/env python3
"""Checks that quillary-cli reads every card of vCard files as their expectations say.

For each FILE.vcf given, runs `quillary-cli dump FILE.vcf` and compares the contacts,
in file order, with FILE.expect.tsv beside it. Two expectation formats are understood,
told apart by their header line:

  - the one generate_vcards.py writes (idx, first, middle, last, ..., categories as
    names joined by U+001F);
  - an older one (idx, fn, family, org, note, tel, email, adr, photo_bytes, categories
    as a count). Its fn is the formatted name, which Quillary does not keep: it must
    equal the name parts put together given name first ("Dr. Ann K. Lee, Jr.") or
    family name first ("佐藤 太郎").

Prints the first mismatches with the input lines of the property concerned, then a
summary per file. Exits with 1 when any card does not match, 2 on usage errors.

Usage: check_vcards.py [--cli PATH] [--max N] FILE.vcf ...
"""
import argparse
import collections
import json
import os
import re
import subprocess
import sys
import tempfile

CATEGORY_SEPARATOR = "\x1f"
HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_CLI = os.path.join(HERE, os.pardir, "build", "cli", "quillary-cli")


# --------------------------------------------------------------------------- the reader's view
def name_part(contact, part):
    return (contact.get("Name") or {}).get(part, "")


def phonetic_part(contact, part):
    return (contact.get("Phonetic Name") or {}).get(part, "")


def labeled(contact, field):
    return contact.get(field) or []


def first_of(contact, field, key):
    values = labeled(contact, field)
    return values[0].get(key, "") if values else ""


def composed_names(contact):
    """The formatted names an old-format expectation may hold, from the parts read."""
    first, middle, last = name_part(contact, "FirstName"), name_part(contact, "MiddleName"), name_part(contact, "LastName")
    prefix, suffix = contact.get("Title", ""), contact.get("Suffix", "")
    given_first = " ".join(p for p in (prefix, first, middle, last) if p) + (", " + suffix if suffix else "")
    family_first = " ".join(p for p in (last, first) if p)
    names = {given_first, family_first}
    if not contact.get("showAsPerson", True):
        names.add(contact.get("Company", ""))
    return names


# column → (function of a dumped contact giving the actual text, vCard properties behind it)
COLUMNS = {
    "first": (lambda c: name_part(c, "FirstName"), ["N", "FN"]),
    "middle": (lambda c: name_part(c, "MiddleName"), ["N"]),
    "last": (lambda c: name_part(c, "LastName"), ["N"]),
    "family": (lambda c: name_part(c, "LastName"), ["N"]),
    "phonetic_first": (lambda c: phonetic_part(c, "FirstName"), ["X-PHONETIC-FIRST-NAME", "SOUND"]),
    "phonetic_last": (lambda c: phonetic_part(c, "LastName"), ["X-PHONETIC-LAST-NAME", "SOUND"]),
    "company": (lambda c: c.get("Company", ""), ["ORG"]),
    "org": (lambda c: c.get("Company", ""), ["ORG"]),
    "department": (lambda c: c.get("Department", ""), ["ORG"]),
    "job_title": (lambda c: c.get("Job Title", ""), ["TITLE"]),
    "note": (lambda c: c.get("Note", ""), ["NOTE"]),
    "birthday": (lambda c: c.get("Birthday") or "", ["BDAY"]),
    "tel": (lambda c: str(len(labeled(c, "Phone"))), ["TEL"]),
    "tel1": (lambda c: first_of(c, "Phone", "value"), ["TEL"]),
    "email": (lambda c: str(len(labeled(c, "Email"))), ["EMAIL"]),
    "email1": (lambda c: first_of(c, "Email", "value"), ["EMAIL"]),
    "adr": (lambda c: str(len(labeled(c, "Address"))), ["ADR"]),
    "adr1_street": (lambda c: first_of(c, "Address", "Street"), ["ADR"]),
    "adr1_city": (lambda c: first_of(c, "Address", "City"), ["ADR"]),
    "url": (lambda c: str(len(labeled(c, "URL"))), ["URL"]),
    "related": (lambda c: str(len(labeled(c, "Relationship"))), ["X-ABRELATEDNAMES", "RELATED"]),
    "social": (lambda c: str(len(labeled(c, "Social Network"))), ["X-SOCIALPROFILE"]),
    "photo_bytes": (lambda c: str(c.get("photoBytes", 0)), ["PHOTO"]),
    "categories": (lambda c: CATEGORY_SEPARATOR.join(c.get("categories", [])), ["CATEGORIES"]),
}
OLD_FORMAT_COLUMNS = {
    "categories": (lambda c: str(len(c.get("categories", []))), ["CATEGORIES"]),
}


# --------------------------------------------------------------------------- inputs
def unescape_tsv(text):
    return re.sub(r"\\(.)", lambda m: {"t": "\t", "n": "\n", "r": "\r", "\\": "\\"}.get(m.group(1), m.group(0)), text)


def read_expectations(path):
    with open(path, encoding="utf-8", newline="\n") as f:
        header = f.readline().rstrip("\n").split("\t")
        rows = [[unescape_tsv(v) for v in line.rstrip("\n").split("\t")] for line in f if line.strip()]
    if not header or header[0] != "idx":
        raise ValueError("%s: no header line starting with idx" % path)
    old_format = "fn" in header
    return header, rows, old_format


def card_texts(vcf_path):
    """The physical lines of each card, as text (bytes decoded leniently), for the report."""
    cards, current = [], None
    with open(vcf_path, "rb") as f:
        for raw in f:
            line = raw.rstrip(b"\r\n").decode("utf-8", "replace")
            upper = line.strip().upper()
            if upper == "BEGIN:VCARD":
                current = []
            if current is not None:
                current.append(line)
            if upper == "END:VCARD" and current is not None:
                cards.append(current)
                current = None
    return cards


def property_lines(card, names, limit=8):
    """The physical lines of the card's properties with these names, continuations included."""
    wanted = tuple(n.upper() for n in names)
    out, taking, soft_break = [], False, False
    for line in card:
        continued = line[:1] in (" ", "\t") or soft_break
        if not continued:
            head = re.split(r"[;:]", line, maxsplit=1)[0].upper()
            taking = head.split(".")[-1] in wanted
        if taking:
            out.append(line if len(line) <= 160 else line[:157] + "...")
        soft_break = taking and "QUOTED-PRINTABLE" in "".join(out).upper() and line.endswith("=")
        if len(out) >= limit:
            out.append("...")
            break
    return out


def dump(cli, vcf_path):
    with tempfile.TemporaryFile() as out:
        done = subprocess.run([cli, "dump", vcf_path], stdout=out, stderr=subprocess.PIPE)
        if done.returncode != 0:
            raise RuntimeError("quillary-cli dump %s failed (%d): %s"
                               % (vcf_path, done.returncode, done.stderr.decode("utf-8", "replace").strip()))
        out.seek(0)
        return json.load(out)["contacts"]


# --------------------------------------------------------------------------- comparing
def compare_card(contact, header, row, old_format):
    """(column, expected, actual) for every column that differs."""
    diffs = []
    for column, expected in zip(header, row):
        if column == "idx":
            continue
        if column == "fn":
            if expected not in composed_names(contact):
                diffs.append((column, expected, " | ".join(sorted(composed_names(contact)))))
            continue
        table = OLD_FORMAT_COLUMNS if old_format and column in OLD_FORMAT_COLUMNS else COLUMNS
        if column not in table:
            raise ValueError("unknown expectation column %r" % column)
        actual = table[column][0](contact)
        if actual != expected:
            diffs.append((column, expected, actual))
    return diffs


def sources(column):
    if column == "fn":
        return ["N", "FN"]
    return COLUMNS[column][1]


def check_file(cli, vcf_path, max_report, reported):
    base = vcf_path[:-4] if vcf_path.endswith(".vcf") else vcf_path
    header, rows, old_format = read_expectations(base + ".expect.tsv")
    contacts = dump(cli, vcf_path)
    cards = card_texts(vcf_path)
    by_column = collections.Counter()
    bad_cards = 0
    for index, row in enumerate(rows):
        if index >= len(contacts):
            break
        diffs = compare_card(contacts[index], header, row, old_format)
        if not diffs:
            continue
        bad_cards += 1
        for column, expected, actual in diffs:
            by_column[column] += 1
            if reported[0] < max_report:
                reported[0] += 1
                print("%s card %s: %s" % (os.path.basename(vcf_path), row[0], column))
                print("    expected: %r" % expected)
                print("    actual:   %r" % actual)
                card = cards[index] if index < len(cards) else []
                for line in property_lines(card, sources(column)):
                    print("    input:    %s" % line)
    missing = len(rows) - len(contacts)
    ok = bad_cards == 0 and missing == 0
    summary = "%s: %s  %d cards expected, %d read, %d differ" % (
        vcf_path, "OK" if ok else "FAIL", len(rows), len(contacts), bad_cards)
    if by_column:
        summary += " (" + ", ".join("%s: %d" % kv for kv in sorted(by_column.items())) + ")"
    return ok, summary


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("files", nargs="+", metavar="FILE.vcf")
    parser.add_argument("--cli", default=os.environ.get("QUILLARY_CLI", DEFAULT_CLI),
                        help="quillary-cli to run (default: $QUILLARY_CLI or build/cli/quillary-cli)")
    parser.add_argument("--max", type=int, default=20, help="mismatches to show in full (default 20)")
    args = parser.parse_args()
    if not os.access(args.cli, os.X_OK):
        print("check_vcards: %s is not an executable quillary-cli" % args.cli, file=sys.stderr)
        return 2
    reported = [0]
    summaries, all_ok = [], True
    for path in args.files:
        try:
            ok, summary = check_file(args.cli, path, args.max, reported)
        except (OSError, ValueError, RuntimeError) as error:
            ok, summary = False, "%s: ERROR %s" % (path, error)
        summaries.append(summary)
        all_ok = all_ok and ok
    print("\n".join(summaries))
    return 0 if all_ok else 1


if __name__ == "__main__":
    sys.exit(main())
