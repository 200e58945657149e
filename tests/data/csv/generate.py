#!/usr/bin/env python3
"""Writes the CSV files used by tst_csvfiles.

Real-world styles of CSV export (Google Contacts, Outlook, Thunderbird), written byte for byte with
their own line ends and quoting, and small contact lists in legacy and Unicode encodings, each with
its UTF-8 text beside it (NAME.utf8) so the test can compare what it decodes.
Run from this folder: python3 generate.py
"""

import codecs
import csv
import io
import pathlib

GOOGLE_HEADER = (
    "Name,Given Name,Additional Name,Family Name,Yomi Name,Given Name Yomi,Additional Name Yomi,"
    "Family Name Yomi,Name Prefix,Name Suffix,Initials,Nickname,Short Name,Maiden Name,Birthday,Gender,"
    "Location,Billing Information,Directory Server,Mileage,Occupation,Hobby,Sensitivity,Priority,Subject,"
    "Notes,Language,Photo,Group Membership,E-mail 1 - Type,E-mail 1 - Value,Phone 1 - Type,Phone 1 - Value,"
    "Phone 2 - Type,Phone 2 - Value,Address 1 - Type,Address 1 - Formatted,Address 1 - Street,"
    "Address 1 - City,Address 1 - PO Box,Address 1 - Region,Address 1 - Postal Code,Address 1 - Country,"
    "Address 1 - Extended Address,Organization 1 - Type,Organization 1 - Name,Organization 1 - Yomi Name,"
    "Organization 1 - Title,Organization 1 - Department,Organization 1 - Symbol,Organization 1 - Location,"
    "Organization 1 - Job Description,Website 1 - Type,Website 1 - Value"
).split(",")

GOOGLE_ROWS = [
    {
        "Name": "John Doe", "Given Name": "John", "Family Name": "Doe", "Nickname": "Johnny",
        "Birthday": "1980-05-17",
        "Notes": 'Met at the conference.\nLikes coffee, not tea.\nSays "call after 5".',
        "Group Membership": "* myContacts ::: Friends",
        "E-mail 1 - Type": "* Home", "E-mail 1 - Value": "john.doe@example.com",
        "Phone 1 - Type": "Mobile", "Phone 1 - Value": "+1 650-555-0123",
        "Phone 2 - Type": "Work", "Phone 2 - Value": "+1 650-555-0199",
        "Address 1 - Type": "Home",
        "Address 1 - Formatted": "1600 Amphitheatre Pkwy\nApt 4\nMountain View, CA 94043\nUS",
        "Address 1 - Street": "1600 Amphitheatre Pkwy\nApt 4", "Address 1 - City": "Mountain View",
        "Address 1 - Region": "CA", "Address 1 - Postal Code": "94043", "Address 1 - Country": "US",
        "Organization 1 - Name": "Example Corp", "Organization 1 - Title": "Engineer",
        "Organization 1 - Department": "R&D",
        "Website 1 - Type": "Profile", "Website 1 - Value": "http://www.example.com/john",
    },
    {
        "Name": "山田 花子", "Given Name": "花子", "Family Name": "山田", "Yomi Name": "やまだ はなこ",
        "Birthday": "--03-15", "Notes": "お茶が好き。",
        "Group Membership": "* myContacts",
        "Phone 1 - Type": "Home", "Phone 1 - Value": "03-1234-5678",
    },
    {"Name": "Only A Name", "Group Membership": "* myContacts"},
]

OUTLOOK_HEADER = [
    "Title", "First Name", "Middle Name", "Last Name", "Suffix", "Company", "Department", "Job Title",
    "Business Street", "Business Street 2", "Business Street 3", "Business City", "Business State",
    "Business Postal Code", "Business Country/Region", "Home Street", "Home Street 2", "Home Street 3",
    "Home City", "Home State", "Home Postal Code", "Home Country/Region", "Other Street", "Other Street 2",
    "Other Street 3", "Other City", "Other State", "Other Postal Code", "Other Country/Region",
    "Assistant's Phone", "Business Fax", "Business Phone", "Business Phone 2", "Callback", "Car Phone",
    "Company Main Phone", "Home Fax", "Home Phone", "Home Phone 2", "ISDN", "Mobile Phone", "Other Fax",
    "Other Phone", "Pager", "Primary Phone", "Radio Phone", "TTY/TDD Phone", "Telex", "Account",
    "Anniversary", "Assistant's Name", "Billing Information", "Birthday", "Business Address PO Box",
    "Categories", "Children", "Directory Server", "E-mail Address", "E-mail Type", "E-mail Display Name",
    "E-mail 2 Address", "E-mail 2 Type", "E-mail 2 Display Name", "E-mail 3 Address", "E-mail 3 Type",
    "E-mail 3 Display Name", "Gender", "Government ID Number", "Hobby", "Home Address PO Box", "Initials",
    "Internet Free Busy", "Keywords", "Language", "Location", "Manager's Name", "Mileage", "Notes",
    "Office Location", "Organizational ID Number", "Other Address PO Box", "Priority", "Private",
    "Profession", "Referred By", "Sensitivity", "Spouse", "User 1", "User 2", "User 3", "User 4", "Web Page",
]

OUTLOOK_ROWS = [
    {
        "Title": "Mr.", "First Name": "John", "Middle Name": "Q.", "Last Name": "Smith", "Suffix": "Jr.",
        "Company": "Contoso, Ltd.", "Department": "Sales", "Job Title": "Account Manager",
        "Business Street": "One Microsoft Way", "Business City": "Redmond", "Business State": "WA",
        "Business Postal Code": "98052", "Business Country/Region": "United States of America",
        "Home Street": "12 Elm St", "Home City": "Seattle", "Home State": "WA", "Home Postal Code": "98101",
        "Business Phone": "+1 (425) 555-0100", "Business Phone 2": "+1 (425) 555-0101",
        "Home Phone": "+1 (206) 555-0102", "Mobile Phone": "+1 (206) 555-0103",
        "Anniversary": "0/0/00", "Birthday": "5/17/1980", "Categories": "Customers;VIP",
        "E-mail Address": "john.smith@contoso.example", "E-mail Type": "SMTP",
        "E-mail Display Name": "John Smith (john.smith@contoso.example)",
        "Gender": "Unspecified", "Initials": "J.Q.S.",
        "Notes": "Prefers calls before noon.\r\nContract renewal in March, 2025.",
        "Priority": "Normal", "Private": "False", "Sensitivity": "Normal",
    },
    {
        "First Name": "Jane", "Last Name": "Roe", "Home Phone": "555-0110", "Anniversary": "0/0/00",
        "Birthday": "0/0/00", "Gender": "Unspecified", "Initials": "J.R.", "Priority": "Normal",
        "Private": "False", "Sensitivity": "Normal",
    },
]

THUNDERBIRD_HEADER = (
    "First Name,Last Name,Display Name,Nickname,Primary Email,Secondary Email,Screen Name,Work Phone,"
    "Home Phone,Fax Number,Pager Number,Mobile Number,Home Address,Home Address 2,Home City,Home State,"
    "Home ZipCode,Home Country,Work Address,Work Address 2,Work City,Work State,Work ZipCode,Work Country,"
    "Job Title,Department,Organization,Web Page 1,Web Page 2,Birth Year,Birth Month,Birth Day,Custom 1,"
    "Custom 2,Custom 3,Custom 4,Notes"
).split(",")

THUNDERBIRD_ROWS = [
    {
        "First Name": "Alice", "Last Name": "Martin", "Display Name": "Alice Martin", "Nickname": "Ali",
        "Primary Email": "alice@example.org", "Secondary Email": "alice.martin@work.example",
        "Work Phone": "+33 1 23 45 67 89", "Home Phone": "+33 1 98 76 54 32",
        "Mobile Number": "+33 6 12 34 56 78", "Home Address": "5 rue de la Paix", "Home City": "Paris",
        "Home State": "Île-de-France", "Home ZipCode": "75002", "Home Country": "France",
        "Work City": "Lyon", "Work ZipCode": "69002", "Job Title": "Designer", "Department": "Studio",
        "Organization": "Atelier Martin", "Web Page 1": "https://atelier.example", "Birth Year": "1985",
        "Birth Month": "07", "Birth Day": "14", "Notes": "Prefers e-mail.\nVegetarian, no nuts.",
    },
    {"Display Name": "Bob", "Primary Email": "bob@example.net"},
]

JAPANESE = (
    "Name,Home Phone,Work Email,Home ZIP,Home State,Home City,Home Street,Company,Note\n"
    "髙橋 一郎,03-1234-5678,ichiro@example.jp,100-0005,東京都,千代田区,丸の内①丁目２番３号,㈱山田製作所,"
    "ご連絡は平日の午前中にお願いします。\n"
    "佐藤 花子,090-9876-5432,,231-0001,神奈川県,横浜市中区,桜町三丁目十四番地,株式会社さくら商事,"
    "年賀状は毎年送っています。\n"
)

WESTERN = (
    "Name,Work Phone,Home Email,Work ZIP,Work City,Work Street,Company,Note\n"
    "François Müller,+49 89 123456,francois@example.de,80331,München,Königstraße 12,Bäckerei Schäfer GmbH,"
    "Rückruf erwünscht – Angebot über 1.250 € für die Geräte.\n"
    "José Gómez,,jose@example.es,28014,Madrid,Calle de Alcalá 45,Café Olé,\"Le gusta el “café” con leche\"\n"
)

ENCODED = [
    ("shift_jis.csv", JAPANESE, "cp932", False),
    ("utf-16le-bom.csv", JAPANESE, "utf-16-le", True),
    ("windows-1252.csv", WESTERN, "cp1252", False),
]

BOMS = {"utf-8": codecs.BOM_UTF8, "utf-16-le": codecs.BOM_UTF16_LE, "utf-16-be": codecs.BOM_UTF16_BE}


def exported(header, rows, quote_all, line_end, trailing_comma=False):
    out = io.StringIO()
    writer = csv.writer(out, quoting=csv.QUOTE_ALL if quote_all else csv.QUOTE_MINIMAL, lineterminator=line_end)
    end = [""] if trailing_comma else []
    writer.writerow(header + end)
    for row in rows:
        writer.writerow([row.get(column, "") for column in header] + end)
    return out.getvalue()


def main():
    here = pathlib.Path(__file__).resolve().parent
    # Google writes LF inside fields and CR LF between records, quoting only what needs it.
    (here / "google.csv").write_bytes(exported(GOOGLE_HEADER, GOOGLE_ROWS, False, "\r\n").encode("utf-8"))
    # Outlook quotes every field, header included, and writes CR LF everywhere.
    (here / "outlook.csv").write_bytes(exported(OUTLOOK_HEADER, OUTLOOK_ROWS, True, "\r\n").encode("utf-8"))
    # Thunderbird ends every line with a comma.
    (here / "thunderbird.csv").write_bytes(
        exported(THUNDERBIRD_HEADER, THUNDERBIRD_ROWS, False, "\n", trailing_comma=True).encode("utf-8"))
    for name, text, codec, bom in ENCODED:
        crlf = text.replace("\n", "\r\n")
        data = (BOMS[codec] if bom else b"") + crlf.encode(codec)
        if codec == "cp932":
            # Windows writes 髙 as its IBM extension code; Python picks the NEC-selected duplicate.
            data = data.replace(b"\xee\xe0", b"\xfb\xfc")
        (here / name).write_bytes(data)
        (here / (name + ".utf8")).write_bytes(crlf.encode("utf-8"))


if __name__ == "__main__":
    main()
