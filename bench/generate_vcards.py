#!/usr/bin/env python3
"""Writes deterministic sample vCard streams for the benchmarks and the reader check.

cards30-*.vcf look like an iCloud export (vCard 3.0, UTF-8, CRLF, lines folded at
75 octets without splitting a UTF-8 sequence, lower-case type parameters, itemN
groups with X-ABLabel / X-ABADR, X-ABRELATEDNAMES, X-SOCIALPROFILE, X-PHONETIC-*,
birthdays with and without a year, base64 JPEG-looking photos on a few cards,
escaped commas, semicolons, backslashes and newlines, about 10 % Japanese names).
The smaller 3.0 files are prefixes of the largest.

cards21-sjis-10k.vcf looks like the export of a Japanese feature phone (vCard
2.1): non-ASCII and multi-line values are CHARSET=SHIFT_JIS;ENCODING=QUOTED-
PRINTABLE with soft line breaks (bytes in Windows-31J, the Shift_JIS that phones
really write, so MS932-only characters such as 髙 and names whose bytes hold
0x5C such as 表 occur), SOUND;X-IRMC-N readings and BASE64 photos ended by a
blank line. Values Windows-31J cannot hold fall back to CHARSET=UTF-8.

Beside each NAME.vcf, NAME.expect.tsv has one line per card with what a correct
reader must recover (see EXPECT_COLUMNS); check_vcards.py compares them.

Usage: generate_vcards.py OUTDIR [--only NAME ...] [--seed N]
Standard library only; the output is the same on every run and platform.
"""
import argparse
import base64
import os
import random
import sys

DEFAULT_SEED = 7341

# Category names are joined with this in the expectations; no generated name holds it.
CATEGORY_SEPARATOR = "\x1f"

EXPECT_COLUMNS = ["idx", "first", "middle", "last", "phonetic_first", "phonetic_last", "company",
                  "department", "job_title", "note", "birthday", "tel", "tel1", "email", "email1", "adr",
                  "adr1_street", "adr1_city", "url", "related", "social", "photo_bytes", "categories"]

# --------------------------------------------------------------------------- pools
GIVEN = ["Olivia", "Liam", "Emma", "Noah", "Ava", "Elijah", "Sophia", "Lucas", "Isabella", "Mason",
         "Mia", "Ethan", "Harper", "Logan", "Evelyn", "Aiden", "Abigail", "Carter", "Ella", "Owen",
         "Scarlett", "Wyatt", "Grace", "Henry", "Chloe", "Julian", "Nora", "Levi", "Hazel", "Isaac",
         "Aurora", "Gabriel", "Violet", "Anthony", "Stella", "Dylan", "Lucy", "Leo", "Maya", "Hugo",
         "Inès", "Maël", "Léa", "Óscar", "Åsa", "Jörg", "Tomáš", "Agnieszka", "Ðorđe", "Şule",
         "Ναταλία", "Дмитрий", "Siobhán", "Niamh", "Benoît", "Gaëlle"]
FAMILY = ["Abbott", "Barnes", "Castillo", "Dawson", "Ellison", "Fletcher", "Gallagher", "Holloway",
          "Ingram", "Jennings", "Kowalski", "Lindqvist", "McAllister", "Nakamura", "O'Connor",
          "Pemberton", "Quinlan", "Rasmussen", "Sutherland", "Thibodeaux", "Underwood", "Vasquez",
          "Whitaker", "Yamamoto", "Zimmerman", "de la Cruz", "van Dijk", "St. John", "Ó Súilleabháin",
          "Großmann", "Håkansson", "Kovačević", "Løvik", "Müller-Lüdenscheidt", "Nowicki", "Şahin",
          "Papadopoulos", "Иванова", "Øverland", "Brontë"]
MIDDLE = ["K.", "R.", "T.", "Anne", "Louise", "James", "Mae", "Rose"]
PREFIXES = ["Dr.", "Mr.", "Mrs.", "Ms.", "Prof.", "Rev."]
SUFFIXES = ["Jr.", "Sr.", "II", "IV", "MBA", "DDS"]

# (kanji, hiragana reading, half-width katakana reading, romaji). Several families hold a
# character whose Shift_JIS trail byte is 0x5C (表, 十, 能, 構, 申) and some only exist in
# Windows-31J (髙, 﨑, 德).
JA_FAMILY = [("佐々木", "ささき", "ｻｻｷ", "sasaki"), ("大野", "おおの", "ｵｵﾉ", "ono"),
             ("藤原", "ふじわら", "ﾌｼﾞﾜﾗ", "fujiwara"), ("小川", "おがわ", "ｵｶﾞﾜ", "ogawa"),
             ("岡田", "おかだ", "ｵｶﾀﾞ", "okada"), ("長谷川", "はせがわ", "ﾊｾｶﾞﾜ", "hasegawa"),
             ("村上", "むらかみ", "ﾑﾗｶﾐ", "murakami"), ("近藤", "こんどう", "ｺﾝﾄﾞｳ", "kondo"),
             ("石井", "いしい", "ｲｼｲ", "ishii"), ("坂本", "さかもと", "ｻｶﾓﾄ", "sakamoto"),
             ("遠藤", "えんどう", "ｴﾝﾄﾞｳ", "endo"), ("青木", "あおき", "ｱｵｷ", "aoki"),
             ("表", "おもて", "ｵﾓﾃ", "omote"), ("十河", "そごう", "ｿｺﾞｳ", "sogo"),
             ("能登", "のと", "ﾉﾄ", "noto"), ("構口", "かまえぐち", "ｶﾏｴｸﾞﾁ", "kamaeguchi"),
             ("申", "しん", "ｼﾝ", "shin"), ("髙田", "たかだ", "ﾀｶﾀﾞ", "takada"),
             ("山﨑", "やまさき", "ﾔﾏｻｷ", "yamasaki"), ("德永", "とくなが", "ﾄｸﾅｶﾞ", "tokunaga"),
             ("髙", "たか", "ﾀｶ", "taka")]
JA_GIVEN = [("翔", "しょう", "ｼｮｳ", "sho"), ("優子", "ゆうこ", "ﾕｳｺ", "yuko"), ("大和", "やまと", "ﾔﾏﾄ", "yamato"),
            ("千尋", "ちひろ", "ﾁﾋﾛ", "chihiro"), ("颯太", "そうた", "ｿｳﾀ", "sota"), ("芽衣", "めい", "ﾒｲ", "mei"),
            ("樹", "いつき", "ｲﾂｷ", "itsuki"), ("凛", "りん", "ﾘﾝ", "rin"), ("ソウスケ", "そうすけ", "ｿｳｽｹ", "sosuke"),
            ("能久", "よしひさ", "ﾖｼﾋｻ", "yoshihisa"), ("予史", "よし", "ﾖｼ", "yoshi"),
            ("貴之", "たかゆき", "ﾀｶﾕｷ", "takayuki"), ("まどか", "まどか", "ﾏﾄﾞｶ", "madoka"),
            ("十和子", "とわこ", "ﾄﾜｺ", "towako"), ("髙志", "たかし", "ﾀｶｼ", "takashi")]
COMPANIES = ["Northwind Traders", "Contoso Ltd.", "Fabrikam, Inc.", "Tailspin Toys", "Litware",
             "Proseware; Holdings", "Adventure Works", "Blue Yonder Airlines", "Coho Winery",
             "Lucerne Publishing", "Margie's Travel", "Wingtip Toys", "Wide World Importers",
             "Humongous Insurance", "Trey Research", "Alpine Ski House", "Büro Weiß & Söhne",
             "株式会社表参道ソフト", "十勝乳業株式会社", "髙島屋商事", "合同会社あおぞら"]
DEPARTMENTS = ["Accounting", "Research", "Customer Care", "Logistics", "IT, Infrastructure", "Procurement",
               "総務部", "技術開発部"]
JOB_TITLES = ["Analyst", "Head of Design", "Operations Lead", "Chief Financial Officer", "Architect",
              "Buyer", "Sales, EMEA", "Developer Advocate", "係長", "主任"]
STREETS = ["Harbor Rd", "Willow Way", "Chestnut St", "Birch Ct", "Meadow Ln", "Orchard Ave", "Bay St",
           "Rue de Rivoli", "Königsallee", "Calle Mayor"]
CITIES = [("Portland", "OR", "97205", "United States", "us"), ("Boston", "MA", "02108", "USA", "us"),
          ("Vancouver", "BC", "V6B 1A1", "Canada", "ca"), ("Dublin", "", "D02 X285", "Ireland", "ie"),
          ("Düsseldorf", "NRW", "40212", "Germany", "de"), ("Lyon", "", "69002", "France", "fr"),
          ("Madrid", "", "28013", "Spain", "es"), ("Sydney", "NSW", "2000", "Australia", "au")]
JA_CITIES = [("港区", "東京都", "107-0062", "日本", "jp"), ("京都市中京区", "京都府", "604-8005", "日本", "jp"),
             ("福岡市博多区", "福岡県", "812-0011", "日本", "jp"), ("帯広市", "北海道", "080-0010", "日本", "jp"),
             ("名古屋市中区", "愛知県", "460-0008", "日本", "jp")]
JA_STREETS = ["南青山5-10-2", "表参道ヒルズ3F", "博多駅前2-1-1", "西2条南10丁目", "栄3-5-12 髙木ビル"]
MAIL_DOMAINS = ["example.com", "example.net", "mail.example.org", "post.example.jp", "me.example"]
CUSTOM_LABELS = ["Car", "Summer house", "Old number", "Reception", "自宅2", "_$!<Other>!$_"]
RELATION_LABELS = ["_$!<Partner>!$_", "_$!<Brother>!$_", "_$!<Parent>!$_", "_$!<Daughter>!$_",
                   "_$!<Son>!$_", "_$!<Friend>!$_", "_$!<Assistant>!$_", "Mentor"]
SOCIAL_SERVICES = ["twitter", "linkedin", "facebook", "github", "instagram"]
# Some names hold a comma or a semicolon: written escaped, they must come back whole.
CATEGORIES_30 = ["Clients", "Family", "Neighbours", "Choir", "Smith, Jones & Co", "Tennis; Sundays",
                 "得意先", "Year 2020, Reunion", "Board"]
CATEGORIES_21 = ["友人", "会社", "家族", "Golf", "表計算サークル"]
NOTES = ["Prefers a call before noon.",
         "Gate code 4471; ring twice.",
         "Shares the office with Kim, Lee, and Park.",
         "Backup is on \\\\nas\\share\\contacts",
         "Regex tip: use \\n for a line break, \\t for a tab.",
         "Said: \"see you in spring\".",
         "Invoice #88-12: paid 50%; rest due.",
         "お世話になっております。",
         "次回の打ち合わせは十月です。",
         "Vegetarian, no mushrooms.",
         "Café on the corner — the good one."]
# 2.1 values are not escaped: no sentence puts a backslash in front of a semicolon.
NOTES_21 = ["午前中に電話希望", "表示名は会社名で", "Prefers SMS, not e-mail.", "Path: C:\\data\\phone",
            "Met at the trade fair in Makuhari; interested in the new catalogue and a visit in May.",
            "誕生日：十二月", "Call before 9; after 5 is fine too.", "髙橋さんの紹介"]
TEL_TYPES = [("CELL", "VOICE"), ("IPHONE", "CELL", "VOICE"), ("HOME", "VOICE"), ("WORK", "VOICE"),
             ("WORK", "FAX"), ("HOME", "FAX"), ("MAIN",), ("PAGER",), ("OTHER", "VOICE")]
TEL_TYPES_21 = [("CELL",), ("HOME",), ("WORK",), ("FAX",), ("HOME", "VOICE"), ("PAGER",)]


def ascii_local_part(text):
    return "".join(ch for ch in text.lower() if "a" <= ch <= "z" or ch == ".") or "user"


def phone_number(rng, ja):
    if ja:
        return "%s-%04d-%04d" % (rng.choice(["090", "080", "070", "03", "075", "011"]),
                                 rng.randrange(10000), rng.randrange(10000))
    a, b, c = rng.randrange(201, 989), rng.randrange(200, 999), rng.randrange(10000)
    return rng.choice(["(%03d) %03d-%04d", "+1-%03d-%03d-%04d", "%03d %03d %04d", "+1 %03d.%03d.%04d"]) % (a, b, c)


def jpeg_like(rng):
    """Bytes that start and end like a JPEG file, a few kilobytes long."""
    size = rng.randrange(1200, 9000)
    header = bytes.fromhex("FFD8FFE000104A46494600010100000100010000FFDB004300")
    return header + bytes(rng.getrandbits(8) for _ in range(size)) + b"\xff\xd9"


# --------------------------------------------------------------------------- one contact
def make_contact(rng, idx, ja_share):
    c = {"idx": idx, "ja": rng.random() < ja_share, "company_card": False}
    if c["ja"]:
        family, given = rng.choice(JA_FAMILY), rng.choice(JA_GIVEN)
        c["name"] = [family[0], given[0], "", "", ""]
        c["fn"] = family[0] + " " + given[0]
        c["phonetic"] = (given[1], family[1])      # first, last
        c["phonetic_hw"] = (given[2], family[2])
        local = given[3] + "." + family[3]
    else:
        family, given = rng.choice(FAMILY), rng.choice(GIVEN)
        middle = rng.choice(MIDDLE) if rng.random() < 0.12 else ""
        prefix = rng.choice(PREFIXES) if rng.random() < 0.06 else ""
        suffix = rng.choice(SUFFIXES) if rng.random() < 0.04 else ""
        c["name"] = [family, given, middle, prefix, suffix]
        c["fn"] = " ".join(p for p in (prefix, given, middle, family) if p) + (", " + suffix if suffix else "")
        c["phonetic"] = c["phonetic_hw"] = ("", "")
        local = ascii_local_part(given + "." + family)
    c["nickname"] = rng.choice(["Sunny", "Red", "Coach", "ちゃん", "Bee"]) if rng.random() < 0.04 else ""
    c["org"] = None
    c["title"] = ""
    if rng.random() < 0.7:
        c["org"] = [rng.choice(COMPANIES), rng.choice(DEPARTMENTS) if rng.random() < 0.4 else ""]
        c["title"] = rng.choice(JOB_TITLES) if rng.random() < 0.7 else ""
    if c["org"] and rng.random() < 0.03:
        # A company card: no personal name, shown as the company.
        c["company_card"] = True
        c["name"] = ["", "", "", "", ""]
        c["fn"] = c["org"][0]
        c["phonetic"] = c["phonetic_hw"] = ("", "")
    c["tels"] = []
    for k in range(rng.choice([1, 1, 2, 2, 2, 3, 4])):
        label = rng.choice(CUSTOM_LABELS) if rng.random() < 0.08 else ""
        c["tels"].append((rng.choice(TEL_TYPES), phone_number(rng, c["ja"]), k == 0, label))
    c["emails"] = []
    count = rng.choice([0, 1, 1, 1, 2, 3])
    tags = [""] + ["%d" % n for n in rng.sample(range(1, 60), 2)]
    for k in range(count):
        address = "%s%s@%s" % (local, tags[k], rng.choice(MAIL_DOMAINS))
        label = rng.choice(CUSTOM_LABELS) if rng.random() < 0.05 else ""
        c["emails"].append((rng.choice(["HOME", "WORK", "OTHER"]), address, k == 0, label))
    c["adrs"] = []
    for k in range(rng.choice([0, 0, 0, 1, 1, 2])):
        if c["ja"] and rng.random() < 0.85:
            city, region, code, country, cc = rng.choice(JA_CITIES)
            street = rng.choice(JA_STREETS)
        else:
            city, region, code, country, cc = rng.choice(CITIES)
            street = "%d %s" % (rng.randrange(1, 2500), rng.choice(STREETS))
            if rng.random() < 0.2:
                street += "\nSuite %d" % rng.randrange(100, 900)
        c["adrs"].append((rng.choice(["HOME", "WORK"]), street, city, region, code, country, cc,
                          rng.random() < 0.65, k == 0))
    c["urls"] = []
    if rng.random() < 0.35:
        c["urls"].append("https://%s/%s" % (rng.choice(MAIL_DOMAINS), local))
    if rng.random() < 0.05:
        c["urls"].append("http://blog.%s/?u=%s&lang=en" % (rng.choice(MAIL_DOMAINS), local))
    roll = rng.random()
    month, day = rng.randint(1, 12), rng.randint(1, 28)
    if roll < 0.3:
        c["bday"] = ("full", rng.randrange(1935, 2012), month, day)
    elif roll < 0.38:
        c["bday"] = ("omit-year", 1604, month, day)
    elif roll < 0.41:
        c["bday"] = ("no-year", 0, month, day)
    else:
        c["bday"] = None
    c["anniversary"] = (rng.randrange(1970, 2023), rng.randint(1, 12), rng.randint(1, 28)) \
        if rng.random() < 0.04 else None
    roll = rng.random()
    if roll < 0.18:
        c["note"] = rng.choice(NOTES)
    elif roll < 0.26:
        c["note"] = "\n".join(rng.choice(NOTES) for _ in range(rng.randint(2, 4)))
    else:
        c["note"] = ""
    c["note21"] = ""
    if roll < 0.26:
        c["note21"] = "\n".join(rng.choice(NOTES_21) for _ in range(rng.randint(1, 3)))
    c["related"] = []
    for _ in range(rng.choice([0] * 8 + [1, 2])):
        if c["ja"]:
            other = rng.choice(JA_FAMILY)[0] + " " + rng.choice(JA_GIVEN)[0]
        else:
            other = rng.choice(GIVEN) + " " + rng.choice(FAMILY)
        c["related"].append((other, rng.choice(RELATION_LABELS)))
    c["social"] = []
    if rng.random() < 0.25:
        handle = local.replace(".", "_")
        for service in rng.sample(SOCIAL_SERVICES, rng.randint(1, 2)):
            c["social"].append((service, handle))
    c["impp"] = ("skype", local) if rng.random() < 0.05 else None
    c["categories"] = rng.sample(CATEGORIES_30, rng.randint(1, 3)) if rng.random() < 0.35 else []
    c["categories21"] = rng.sample(CATEGORIES_21, rng.randint(1, 2)) if rng.random() < 0.3 else []
    c["photo"] = jpeg_like(rng) if rng.random() < 0.04 else None
    c["uid"] = "%08X-%04X-%04X-%04X-%012X" % tuple(rng.getrandbits(b) for b in (32, 16, 16, 16, 48))
    c["rev"] = "%04d-%02d-%02dT%02d:%02d:%02dZ" % (rng.randrange(2016, 2025), rng.randint(1, 12),
                                                   rng.randint(1, 28), rng.randrange(24), rng.randrange(60),
                                                   rng.randrange(60))
    c["qp_all"] = rng.random() < 0.5      # 2.1: encode every byte of a non-ASCII value, or only what must be
    c["photo_inline"] = rng.random() < 0.5  # 2.1: base64 starts on the PHOTO line, or on the next
    return c


# --------------------------------------------------------------------------- vCard 3.0
def escape30(text):
    return text.replace("\\", "\\\\").replace("\n", "\\n").replace(",", "\\,").replace(";", "\\;")


def folded(line):
    """A logical line as CRLF-ended physical lines of at most 75 octets, cut between characters."""
    data = line.encode("utf-8")
    out = []
    start, room = 0, 75
    while len(data) - start > room:
        cut = start + room
        while (data[cut] & 0xC0) == 0x80:   # never inside a UTF-8 sequence
            cut -= 1
        out.append(data[start:cut])
        start, room = cut, 74
    out.append(data[start:])
    return b"\r\n ".join(out) + b"\r\n"


def bday30(bday):
    kind, year, month, day = bday
    if kind == "full":
        return "BDAY;value=date:%04d-%02d-%02d" % (year, month, day)
    if kind == "omit-year":
        return "BDAY;X-APPLE-OMIT-YEAR=1604;value=date:1604-%02d-%02d" % (month, day)
    return "BDAY:--%02d-%02d" % (month, day)


def card30(c):
    lines = ["BEGIN:VCARD", "VERSION:3.0", "PRODID:-//Apple Inc.//iOS 17.5//EN"]
    lines.append("N:" + ";".join(escape30(p) for p in c["name"]))
    lines.append("FN:" + escape30(c["fn"]))
    if c["phonetic"][0]:
        lines.append("X-PHONETIC-FIRST-NAME:" + escape30(c["phonetic"][0]))
        lines.append("X-PHONETIC-LAST-NAME:" + escape30(c["phonetic"][1]))
    if c["nickname"]:
        lines.append("NICKNAME:" + escape30(c["nickname"]))
    if c["org"]:
        lines.append("ORG:" + escape30(c["org"][0]) + ";" + escape30(c["org"][1]))
    if c["title"]:
        lines.append("TITLE:" + escape30(c["title"]))
    item = [0]

    def grouped(prop, extra):
        item[0] += 1
        lines.append("item%d.%s" % (item[0], prop))
        lines.append("item%d.%s" % (item[0], extra))

    for types, number, pref, label in c["tels"]:
        params = "".join(";type=" + t for t in types) + (";type=pref" if pref else "")
        if label:
            grouped("TEL%s:%s" % (params, number), "X-ABLabel:" + escape30(label))
        else:
            lines.append("TEL%s:%s" % (params, number))
    for kind, address, pref, label in c["emails"]:
        prop = "EMAIL;type=INTERNET;type=%s%s:%s" % (kind, ";type=pref" if pref else "", address)
        if label:
            grouped(prop, "X-ABLabel:" + escape30(label))
        else:
            lines.append(prop)
    for kind, street, city, region, code, country, cc, in_group, pref in c["adrs"]:
        value = ";".join(escape30(p) for p in ("", "", street, city, region, code, country))
        prop = "ADR;type=%s%s:%s" % (kind, ";type=pref" if pref else "", value)
        if in_group:
            grouped(prop, "X-ABADR:" + cc)
        else:
            lines.append(prop)
    for k, url in enumerate(c["urls"]):
        grouped("URL%s:%s" % (";type=pref" if k == 0 else "", url), "X-ABLabel:_$!<HomePage>!$_")
    if c["bday"]:
        lines.append(bday30(c["bday"]))
    if c["anniversary"]:
        grouped("X-ABDATE;type=pref:%04d-%02d-%02d" % c["anniversary"], "X-ABLabel:_$!<Anniversary>!$_")
    if c["note"]:
        lines.append("NOTE:" + escape30(c["note"]))
    for other, label in c["related"]:
        grouped("X-ABRELATEDNAMES;type=pref:" + escape30(other), "X-ABLabel:" + escape30(label))
    for service, handle in c["social"]:
        lines.append("X-SOCIALPROFILE;type=%s;x-user=%s:https://%s.example/%s" % (service, handle, service, handle))
    if c["impp"]:
        lines.append("IMPP;X-SERVICE-TYPE=Skype;type=HOME;type=pref:%s:%s" % c["impp"])
    if c["company_card"]:
        lines.append("X-ABShowAs:COMPANY")
    if c["categories"]:
        lines.append("CATEGORIES:" + ",".join(escape30(n) for n in c["categories"]))
    if c["photo"]:
        lines.append("PHOTO;ENCODING=b;TYPE=JPEG:" + base64.b64encode(c["photo"]).decode("ascii"))
    lines.append("UID:" + c["uid"])
    lines.append("REV:" + c["rev"])
    lines.append("END:VCARD")
    return b"".join(folded(line) for line in lines)


# --------------------------------------------------------------------------- vCard 2.1
def quoted_printable(raw, head_length, encode_all):
    """QP text of raw bytes with soft line breaks, no line longer than 76 characters.

    With encode_all, every byte of a double-byte character is written as =XX. Without it only
    what must be encoded is, so the trail byte of a character such as 表 (0x95 0x5C) is left as
    a bare backslash, as some phones write it.
    """
    tokens = []
    i = 0
    while i < len(raw):
        byte = raw[i]
        width = 2 if (0x81 <= byte <= 0x9F or 0xE0 <= byte <= 0xFC) and i + 1 < len(raw) else 1
        for k in range(width):
            b = raw[i + k]
            literal = 33 <= b <= 126 and b != ord("=") and not (encode_all and width == 2)
            if b == 0x20 and i + 1 < len(raw) and raw[i + 1] not in (0x0D, 0x0A):
                literal = True  # a space is encoded only at the end of a line
            tokens.append(chr(b) if literal else "=%02X" % b)
        i += width
    lines, current, length = [], "", head_length
    for token in tokens:
        # Without encode_all, break at a space near the end as word-wrapping phones do: the
        # next line then starts with white space that belongs to the value, not a fold.
        if length + len(token) > 75 or (not encode_all and token == " " and length > 64):
            lines.append(current + "=")
            current, length = "", 0
        current += token
        length += len(token)
    lines.append(current)
    return "\r\n".join(lines)


def encode_21(text):
    """(charset, bytes) of a value: Windows-31J when it can hold the text, else UTF-8."""
    try:
        return "SHIFT_JIS", text.encode("cp932")
    except UnicodeEncodeError:
        return "UTF-8", text.encode("utf-8")


def prop21(head, value, encode_all):
    if value.isascii() and "\n" not in value:
        return (head + ":" + value + "\r\n").encode("ascii")
    charset, raw = encode_21(value.replace("\n", "\r\n"))
    if charset == "UTF-8":
        encode_all = True  # trail bytes of UTF-8 are never ASCII; keep the rule simple
    head = "%s;CHARSET=%s;ENCODING=QUOTED-PRINTABLE:" % (head, charset)
    return (head + quoted_printable(raw, len(head), encode_all) + "\r\n").encode("ascii")


def structured21(parts):
    return ";".join(p.replace(";", "\\;") for p in parts)


def card21(c):
    qp_all = c["qp_all"]
    out = [b"BEGIN:VCARD\r\n", b"VERSION:2.1\r\n"]
    out.append(prop21("N", structured21(c["name"]), qp_all))
    out.append(prop21("FN", c["fn"], qp_all))
    if c["ja"] and c["phonetic"][0]:
        reading = c["phonetic_hw"] if c["idx"] % 3 == 0 else c["phonetic"]
        out.append(prop21("SOUND;X-IRMC-N", structured21([reading[1], reading[0], "", "", ""]), qp_all))
    if c["org"]:
        out.append(prop21("ORG", structured21([p for p in c["org"] if p]), qp_all))
    if c["title"]:
        out.append(prop21("TITLE", c["title"], qp_all))
    for k, (types, number, pref, label) in enumerate(c["tels"]):
        kinds = TEL_TYPES_21[(k + len(number)) % len(TEL_TYPES_21)]
        out.append(("TEL;%s%s:%s\r\n" % (";".join(kinds), ";PREF" if pref else "", number)).encode("ascii"))
    for kind, address, pref, label in c["emails"]:
        out.append(("EMAIL;INTERNET%s:%s\r\n" % (";PREF" if pref else "", address)).encode("ascii"))
    for kind, street, city, region, code, country, cc, in_group, pref in c["adrs"]:
        value = structured21(["", "", street, city, region, code, country])
        out.append(prop21("ADR;%s%s" % (kind, ";PREF" if pref else ""), value, qp_all))
    for url in c["urls"]:
        out.append(("URL:%s\r\n" % url).encode("ascii"))
    if c["bday"] and c["bday"][0] == "full":
        out.append(("BDAY:%04d%02d%02d\r\n" % c["bday"][1:]).encode("ascii"))
    if c["note21"]:
        out.append(prop21("NOTE", c["note21"], qp_all))
    if c["categories21"]:
        out.append(prop21("CATEGORIES", ",".join(c["categories21"]), qp_all))
    if c["photo"]:
        data = base64.b64encode(c["photo"]).decode("ascii")
        if c["photo_inline"]:
            # Folded like any other line: the first piece on the PHOTO line, the rest indented.
            out.append(("PHOTO;ENCODING=BASE64;TYPE=JPEG:" + data[:44] + "\r\n").encode("ascii"))
            rest = data[44:]
            for i in range(0, len(rest), 76):
                out.append((" " + rest[i:i + 76] + "\r\n").encode("ascii"))
        else:
            # Some phones start the data on a line of its own and do not indent it.
            out.append(b"PHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n")
            for i in range(0, len(data), 64):
                out.append((data[i:i + 64] + "\r\n").encode("ascii"))
        out.append(b"\r\n")
    out.append(("X-IRMC-LUID:%06X\r\n" % (c["idx"] + 1)).encode("ascii"))
    out.append(b"END:VCARD\r\n")
    return b"".join(out)


# --------------------------------------------------------------------------- expectations
def tsv(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\r", "\\r").replace("\n", "\\n")


def expected_birthday(bday, v21):
    if not bday or (v21 and bday[0] != "full"):
        return ""
    kind, year, month, day = bday
    return "%04d-%02d-%02d" % (year, month, day) if kind == "full" else "--%02d-%02d" % (month, day)


def expect_row(c, v21):
    family, given, middle = c["name"][0], c["name"][1], c["name"][2]
    if v21 and c["ja"]:
        middle = ""
    phonetic = c["phonetic"]
    if v21 and c["ja"] and c["idx"] % 3 == 0:
        phonetic = c["phonetic_hw"]
    org = c["org"] or ["", ""]
    first_adr = c["adrs"][0] if c["adrs"] else None
    categories = c["categories21"] if v21 else c["categories"]
    values = {
        "idx": str(c["idx"]),
        "first": given, "middle": middle, "last": family,
        "phonetic_first": phonetic[0], "phonetic_last": phonetic[1],
        "company": org[0], "department": org[1], "job_title": c["title"],
        "note": c["note21"] if v21 else c["note"],
        "birthday": expected_birthday(c["bday"], v21),
        "tel": str(len(c["tels"])), "tel1": c["tels"][0][1] if c["tels"] else "",
        "email": str(len(c["emails"])), "email1": c["emails"][0][1] if c["emails"] else "",
        "adr": str(len(c["adrs"])),
        "adr1_street": first_adr[1] if first_adr else "", "adr1_city": first_adr[2] if first_adr else "",
        "url": str(len(c["urls"])),
        "related": "0" if v21 else str(len(c["related"])),
        "social": "0" if v21 else str(len(c["social"])),
        "photo_bytes": str(len(c["photo"]) if c["photo"] else 0),
        "categories": CATEGORY_SEPARATOR.join(categories),
    }
    return "\t".join(tsv(values[k]) for k in EXPECT_COLUMNS) + "\n"


FILES = {
    # name: (cards, version, share of Japanese names)
    "cards30-1k": (1000, "3.0", 0.10),
    "cards30-10k": (10000, "3.0", 0.10),
    "cards30-100k": (100000, "3.0", 0.10),
    "cards21-sjis-10k": (10000, "2.1", 0.50),
}


def write_file(outdir, name, seed):
    count, version, ja_share = FILES[name]
    # Seeded by version and share only, so the 3.0 files are prefixes of one stream.
    rng = random.Random("quillary/%d/%s/%.2f" % (seed, version, ja_share))
    v21 = version == "2.1"
    vcf_path = os.path.join(outdir, name + ".vcf")
    with open(vcf_path, "wb") as vcf, open(os.path.join(outdir, name + ".expect.tsv"), "w",
                                           encoding="utf-8", newline="\n") as expect:
        expect.write("\t".join(EXPECT_COLUMNS) + "\n")
        for idx in range(count):
            contact = make_contact(rng, idx, ja_share)
            vcf.write(card21(contact) if v21 else card30(contact))
            expect.write(expect_row(contact, v21))
    return vcf_path


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("outdir")
    parser.add_argument("--only", nargs="+", choices=sorted(FILES), help="write only these files")
    parser.add_argument("--seed", type=int, default=DEFAULT_SEED)
    args = parser.parse_args()
    os.makedirs(args.outdir, exist_ok=True)
    for name in args.only or list(FILES):
        path = write_file(args.outdir, name, args.seed)
        print("%-17s %6d cards %10d bytes" % (name, FILES[name][0], os.path.getsize(path)))
        sys.stdout.flush()


if __name__ == "__main__":
    main()
