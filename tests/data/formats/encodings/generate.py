#!/usr/bin/env python3
"""Writes the encoded sample contact files used by tst_textencodings.

Each sample is a small vCard file as phones, mail programs and spreadsheets export them, written in
one legacy or Unicode encoding. The UTF-8 text of every sample is written beside it (NAME.utf8) so
the test can compare what it decodes. Run from this folder: python3 generate.py
"""

import codecs
import pathlib

JAPANESE = """BEGIN:VCARD
VERSION:3.0
N:髙橋;一郎;;;
FN:髙橋 一郎
ORG:㈱山田製作所;営業部
TITLE:課長
TEL;TYPE=WORK:03-1234-5678
ADR;TYPE=WORK:;;丸の内①丁目２番３号;千代田区;東京都;100-0005;日本
NOTE:ご連絡は平日の午前中にお願いします。
END:VCARD
BEGIN:VCARD
VERSION:3.0
N:佐藤;花子;;;
FN:佐藤 花子
ORG:株式会社さくら商事
TEL;TYPE=CELL:090-9876-5432
ADR;TYPE=HOME:;;桜町三丁目十四番地;横浜市中区;神奈川県;231-0001;日本
NOTE:年賀状は毎年送っています。お子さんの誕生日は五月です。
END:VCARD
"""

# EUC-JP has no NEC or IBM extensions: plain JIS X 0208 text only.
JAPANESE_PLAIN = """BEGIN:VCARD
VERSION:3.0
N:高橋;一郎;;;
FN:高橋 一郎
ORG:山田製作所;営業部
TEL;TYPE=WORK:03-1234-5678
ADR;TYPE=WORK:;;丸の内一丁目二番三号;千代田区;東京都;100-0005;日本
NOTE:ご連絡は平日の午前中にお願いします。打ち合わせは会議室で行います。
END:VCARD
BEGIN:VCARD
VERSION:3.0
N:佐藤;花子;;;
FN:佐藤 花子
ORG:株式会社さくら商事
TEL;TYPE=CELL:090-9876-5432
ADR;TYPE=HOME:;;桜町三丁目十四番地;横浜市中区;神奈川県;231-0001;日本
NOTE:年賀状は毎年送っています。お子さんの誕生日は五月です。
END:VCARD
"""

WESTERN = """BEGIN:VCARD
VERSION:2.1
N:Müller;François;;;
FN:François Müller
ORG:Bäckerei Schäfer GmbH
TEL;WORK:+49 89 123456
ADR;WORK:;;Königstraße 12;München;;80331;Deutschland
NOTE:Rückruf erwünscht – Angebot über 1.250 € für die Geräte.
END:VCARD
BEGIN:VCARD
VERSION:2.1
N:Gómez;José;;;
FN:José Gómez
ORG:Café Olé
ADR;HOME:;;Calle de Alcalá 45;Madrid;;28014;España
NOTE:Le gusta el café con leche. Reunión el miércoles.
END:VCARD
"""

CHINESE_TRADITIONAL = """BEGIN:VCARD
VERSION:3.0
N:陳;大文;;;
FN:陳大文
ORG:台灣電子股份有限公司
TEL;TYPE=WORK:02-2345-6789
ADR;TYPE=WORK:;;信義路五段七號;台北市信義區;;110;台灣
NOTE:請於上班時間聯絡。週末不在辦公室。
END:VCARD
BEGIN:VCARD
VERSION:3.0
N:林;美玲;;;
FN:林美玲
ORG:高雄貿易公司
ADR;TYPE=HOME:;;中山路一段十號;高雄市前金區;;801;台灣
NOTE:生日是十月。喜歡喝茶。
END:VCARD
"""

CHINESE_SIMPLIFIED = """BEGIN:VCARD
VERSION:3.0
N:张;伟;;;
FN:张伟
ORG:北京科技有限公司
TEL;TYPE=WORK:010-8765-4321
ADR;TYPE=WORK:;;建国路八十八号;朝阳区;北京市;100022;中国
NOTE:请在工作时间联系。周末不在办公室。
END:VCARD
BEGIN:VCARD
VERSION:3.0
N:王;芳;;;
FN:王芳
ORG:上海贸易公司
ADR;TYPE=HOME:;;南京东路一百号;黄浦区;上海市;200001;中国
NOTE:生日是十月。喜欢喝茶。
END:VCARD
"""

RUSSIAN = """BEGIN:VCARD
VERSION:2.1
N:Иванов;Иван;Петрович;;
FN:Иван Петрович Иванов
ORG:ООО Северная торговая компания
TEL;WORK:+7 495 123-45-67
ADR;WORK:;;ул. Ленина, д. 10, кв. 5;Москва;;101000;Россия
NOTE:Звонить после обеда. Договор на поставку оборудования подписан в среду.
END:VCARD
BEGIN:VCARD
VERSION:2.1
N:Смирнова;Ольга;Николаевна;;
FN:Ольга Николаевна Смирнова
ORG:Городская библиотека
ADR;HOME:;;Невский проспект, д. 28;Санкт-Петербург;;191186;Россия
NOTE:День рождения в июле. Любит книги и чай.
END:VCARD
"""

KOREAN = """BEGIN:VCARD
VERSION:3.0
N:김;철수;;;
FN:김철수
ORG:한빛전자 주식회사
ADR;TYPE=WORK:;;세종대로 175;종로구;서울특별시;03172;대한민국
NOTE:평일 오전에 연락 주세요. 회의는 회의실에서 합니다.
END:VCARD
"""

# A card with nothing Japanese but a name in kanji: too little text for a statistical guess.
JAPANESE_SHORT = """BEGIN:VCARD
VERSION:3.0
FN:高橋一郎
END:VCARD
"""

# A vCard 2.1 file whose names are Shift JIS, not quoted-printable, as their CHARSET says: too short
# for a statistical guess, which takes them for Windows Latin 1.
JAPANESE_DECLARED = """BEGIN:VCARD
VERSION:2.1
N;CHARSET=SHIFT_JIS:辻;;;;
TEL;CELL:090-1234-5678
END:VCARD
"""

WESTERN_DECLARED = """BEGIN:VCARD
VERSION:2.1
N;CHARSET=windows-1252:Doë;Jane;;;
FN;CHARSET=windows-1252:Jane Doë
END:VCARD
"""

# A spreadsheet's CSV with one Japanese name.
JAPANESE_CSV = """Name,Home Phone
山田太郎,03-1234-5678
"""

# UTF-8 with one byte of Windows Latin 1 pasted in: "{stray}" becomes that byte (é).
UTF8_WITH_STRAY = """BEGIN:VCARD
VERSION:3.0
N:Schröder;Jürgen;;;
FN:Jürgen Schröder
NOTE:Caf{stray}s am Markt
END:VCARD
"""

SAMPLES = [
    ("shift_jis.vcf", JAPANESE, "cp932", False),
    ("shift_jis-short.vcf", JAPANESE_SHORT, "cp932", False),
    ("euc-jp.vcf", JAPANESE_PLAIN, "euc_jp", False),
    ("utf-16le-bom.vcf", JAPANESE, "utf-16-le", True),
    ("utf-16be-nobom.vcf", WESTERN, "utf-16-be", False),
    ("utf-16le-nobom.vcf", RUSSIAN, "utf-16-le", False),
    ("utf-8-bom.vcf", CHINESE_SIMPLIFIED, "utf-8", True),
    ("windows-1252.vcf", WESTERN, "cp1252", False),
    ("big5.vcf", CHINESE_TRADITIONAL, "big5", False),
    ("gb18030.vcf", CHINESE_SIMPLIFIED, "gb18030", False),
    ("koi8-r.vcf", RUSSIAN, "koi8_r", False),
    ("euc-kr.vcf", KOREAN, "euc_kr", False),
    ("windows-1251.vcf", RUSSIAN, "cp1251", False),
    ("shift_jis-declared-21.vcf", JAPANESE_DECLARED, "cp932", False),
    ("windows-1252-declared-21.vcf", WESTERN_DECLARED, "cp1252", False),
    ("shift_jis-one-name.csv", JAPANESE_CSV, "cp932", False),
    ("utf-8-stray-byte.vcf", UTF8_WITH_STRAY, "utf-8", False),
]

BOMS = {"utf-8": codecs.BOM_UTF8, "utf-16-le": codecs.BOM_UTF16_LE, "utf-16-be": codecs.BOM_UTF16_BE}


def main():
    here = pathlib.Path(__file__).resolve().parent
    for name, text, codec, bom in SAMPLES:
        crlf = text.replace("\n", "\r\n")
        data = (BOMS[codec] if bom else b"") + crlf.encode(codec).replace(b"{stray}", b"\xe9")
        crlf = crlf.replace("{stray}", "é")
        if codec == "cp932":
            # Windows writes 髙 as its IBM extension code; Python picks the NEC-selected duplicate.
            data = data.replace(b"\xee\xe0", b"\xfb\xfc")
        (here / name).write_bytes(data)
        (here / (name + ".utf8")).write_bytes(crlf.encode("utf-8"))


if __name__ == "__main__":
    main()
