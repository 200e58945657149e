// Labels, envelopes and postcards of 50 contacts, printed to PDF and read back with poppler's
// pdftotext: where each name and postal code ended up.

#include "TestSupport.h"
#include "model/PersonDsc.h"
#include "output/HagakiPage.h"
#include "output/MailingLabelSheet.h"
#include "output/PrintAddress.h"
#include "output/PrintPaper.h"
#include "output/PrintText.h"
#include "output/PrintView.h"
#include "output/VerticalText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;
using namespace Qt::StringLiterals;

namespace {

const QStringList FamilyNames{"佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺", "山本", "中村", "小林", "加藤"};
const QStringList GivenNames{"太郎", "花子", "一郎", "美咲", "健太"};

// Contact i: a Japanese name, a home address in Tokyo with postal code 1NN-00NN, a phone.
ContactEntryPtr japaneseContact(int i)
{
    auto person = std::make_shared<PersonDsc>();
    NameValue name;
    name.lastName = FamilyNames.at(i % 10);
    name.firstName = GivenNames.at(i / 10);
    person->setValue(name, Field::Name);
    LabeledValue address;
    address.label = u"home"_s;
    address.address.setZip(u"1%1-00%1"_s.arg(i, 2, 10, QChar(u'0')));
    address.address.setState(u"東京都"_s);
    address.address.setCity(u"千代田区"_s);
    address.address.setStreet(u"千代田%1-2"_s.arg(i + 1));
    address.address.setCountryCode(u"jp"_s);
    updateAddressValue(address, u"JP"_s);
    person->setLabeledValues(LabeledField::Address, {address});
    person->setLabeledValues(LabeledField::Phone, {LabeledValue::withText("mobile", "090-0000-00%1")});
    return ContactEntry::make(person);
}

struct Word
{
    int page = 0;
    QRectF box;
    QString text;
};

// The words of a PDF with their boxes (points, top left origin), in the compatibility-normalised form:
// poppler may name a CJK glyph by its Kangxi radical.
QList<Word> pdfWords(const QString& path)
{
    QProcess process;
    process.start(u"pdftotext"_s, {u"-bbox"_s, path, u"-"_s});
    process.waitForFinished(120000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<Word> words;
    int page = -1;
    for (const QRegularExpressionMatch& match : word.globalMatch(html)) {
        if (match.captured(0).startsWith(u"<page")) {
            ++page;
            continue;
        }
        const QPointF topLeft(match.captured(1).toDouble(), match.captured(2).toDouble());
        const QPointF bottomRight(match.captured(3).toDouble(), match.captured(4).toDouble());
        words.append({page, QRectF(topLeft, bottomRight), match.captured(5).normalized(QString::NormalizationForm_KC)});
    }
    return words;
}

QString joined(QList<Word> words, bool vertical)
{
    std::sort(words.begin(), words.end(), [vertical](const Word& a, const Word& b) {
        return vertical ? a.box.top() < b.box.top() : a.box.left() < b.box.left();
    });
    QString text;
    for (const Word& word : words)
        text += word.text;
    return text;
}

} // namespace

class TestPrintStyles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QSKIP("poppler-utils (pdftotext) is not installed");
        QVERIFY(m_dir.isValid());
    }

    void readBack_data()
    {
        Test::addColumns<PrintStyle, int, int>("style", "pages", "perPage");
        QTest::newRow("labels, 4 x 12 per A4 page") << PrintStyle::MailingLabels << 2 << 48;
        QTest::newRow("envelopes, one per page") << PrintStyle::Envelope << 50 << 1;
        QTest::newRow("postcards, one per page") << PrintStyle::Hagaki << 50 << 1;
    }
    void readBack()
    {
        QFETCH(PrintStyle, style);
        QFETCH(int, pages);
        QFETCH(int, perPage);
        ContactTable contacts;
        for (int i = 0; i < 50; ++i)
            contacts.append(japaneseContact(i));
        PrintOptions options = PrintOptions::defaults(u"IPAexMincho"_s);
        options.printStyle = PrintStyles::name(style);
        const QPageLayout layout = PrintPaper::layoutForStyle(
            style, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        PrintView view(contacts, PaperInfo::fromPageLayout(layout), options);
        view.setSender(contacts.first());
        const QString path = m_dir.filePath(QTest::currentDataTag() + u".pdf"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(view.writePdf(file, layout.pageSize(), layout.orientation()));
        file.close();
        QCOMPARE(view.pages(), pages);

        const QList<Word> words = pdfWords(path);
        const HagakiPage hagaki(options.hagaki, HagakiPage::cardSize());
        for (int i = 0; i < 50; ++i) {
            const int page = i / perPage;
            const PersonDsc& person = *contacts.at(i)->person;
            const QString zip = person.addressValues().first().address.zip();
            QList<Word> onPage;
            std::copy_if(words.cbegin(), words.cend(), std::back_inserter(onPage),
                         [page](const Word& word) { return word.page == page; });
            if (style != PrintStyle::Hagaki) {
                const QString text = joined(onPage, false);
                QVERIFY2(text.contains(person.nameValue().lastName) && text.contains(zip), qPrintable(zip));
                // On an envelope the recipient stands in the right half, the sender in the top-left corner.
                const QSizeF paper = layout.fullRectPoints().size();
                for (const Word& word : onPage) {
                    if (style == PrintStyle::Envelope && i % 10 != 0 && word.text == person.nameValue().lastName)
                        QVERIFY(word.box.left() > paper.width() / 2);
                    if (style == PrintStyle::Envelope && i % 10 != 0 && word.text == FamilyNames.first())
                        QVERIFY(word.box.right() < paper.width() / 2 && word.box.bottom() < paper.height() / 2);
                }
                continue;
            }
            // The name stands in the middle column below the boxes, top to bottom, followed by the honorific.
            QList<Word> column;
            std::copy_if(onPage.cbegin(), onPage.cend(), std::back_inserter(column), [](const Word& word) {
                return std::abs(word.box.center().x() - 54 * 72 / 25.4) < 10 && word.box.top() > 25 * 72 / 25.4;
            });
            QCOMPARE(joined(column, true), person.nameValue().lastName + person.nameValue().firstName + u'様');
            // Each digit of the postal code sits in its box.
            const QList<QRectF> boxes = hagaki.recipientZipBoxes(0);
            const QString digits = HagakiPage::zipDigits(zip);
            for (qsizetype d = 0; d < 7; ++d) {
                const auto inBox = std::find_if(onPage.cbegin(), onPage.cend(), [&](const Word& word) {
                    return word.text == digits.at(d) && boxes.at(d).contains(word.box.center());
                });
                QVERIFY2(inBox != onPage.cend(), qPrintable(u"digit %1 of %2"_s.arg(d).arg(zip)));
            }
        }
        if (style == PrintStyle::MailingLabels) {
            // 48 labels on the first page, on a grid of 4 columns and 12 rows.
            QSet<int> lefts, tops;
            for (const Word& word : words) {
                if (word.page == 0 && word.text.startsWith(u'〒')) {
                    lefts.insert(qRound(word.box.left()));
                    tops.insert(qRound(word.box.top()));
                }
            }
            QCOMPARE(lefts.size(), 4);
            QCOMPARE(tops.size(), 12);
        }
    }

    void verticalCells_data()
    {
        Test::addColumns<QString, QString, QString>("text", "written", "kinds");
        // U: upright, R: turned, P: punctuation, S: small kana, _: half space.
        const auto row = [](const char* name, const char* text, const char* written, const char* kinds) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(written) << QString::fromUtf8(kinds);
        };
        row("address digits as kanji", "千代田1-2-30", "千代田一ー二ー三〇", "UUUURURUU");
        row("long vowel and brackets turn", "コーポ（東）", "コーポ（東）", "URURUR");
        row("comma, small kana, blank", "きゃ、あ い", "きゃ、あ い", "USPU_U");
        row("Latin letters full width", "Bldg.A", "Ｂｌｄｇ．Ａ", "UUUUPU");
    }
    void verticalCells()
    {
        QFETCH(QString, text);
        QFETCH(QString, written);
        const QString address = VerticalText::addressText(text);
        const bool isAddress = QTest::currentDataTag() != QByteArrayView("comma, small kana, blank");
        QCOMPARE(isAddress ? address : text, written);
        QString actual;
        for (const VerticalText::Cell& cell : VerticalText::cells(written))
            actual += u"URPS_"_s.at(int(cell.kind));
        QTEST(actual, "kinds");
    }

    void addressLines_data()
    {
        Test::addColumns<QString, QString, bool, QStringList>("countryCode", "country", "withCountry", "lines");
        const auto row = [](const char* name, const char* code, const char* country, bool withCountry,
                            const QStringList& lines) {
            QTest::newRow(name) << QString::fromUtf8(code) << QString::fromUtf8(country) << withCountry << lines;
        };
        row("United States", "us", "United States", true,
            {"1 Main St", "Flat 2", "Springfield IL 62701", "United States"});
        row("Japan, postal code marked, no country", "JP", "日本", false,
            {"〒62701", "IL Springfield", "1 Main St", "Flat 2"});
        row("Germany by its name", "", "Germany", false, {"1 Main St", "Flat 2", "62701 Springfield"});
        row("unknown country: street, city line", "ZZ", "Utopia", true,
            {"1 Main St", "Flat 2", "Springfield IL 62701", "Utopia"});
    }
    void addressLines()
    {
        QFETCH(QString, countryCode);
        QFETCH(QString, country);
        QFETCH(bool, withCountry);
        PostalAddress address;
        address.setStreet(u"1 Main St\nFlat 2"_s);
        address.setCity(u"Springfield"_s);
        address.setState(u"IL"_s);
        address.setZip(u"62701"_s);
        address.setCountry(country);
        address.setCountryCode(countryCode);
        QTEST(PrintAddress::addressLines(address, u"US"_s, withCountry), "lines");
    }

    void textFitsItsBox_data()
    {
        Test::addColumns<QStringList, QSizeF, qreal, int>("lines", "box", "size", "shown");
        QTest::newRow("fits at 8 points") << QStringList{"Jane Doe", "1 Main St"} << QSizeF(110, 40) << 8.0 << 2;
        QTest::newRow("shrinks for five lines") << QStringList{"a", "b", "c", "d", "e"} << QSizeF(110, 42) << 7.0 << 5;
        QTest::newRow("shrinks to 6 points, then drops lines")
            << QStringList{"a", "b", "c", "d", "e", "f", "g", "h"} << QSizeF(110, 40) << 6.0 << 5;
        QTest::newRow("a long line is cut") << QStringList{QString(200, u'x')} << QSizeF(110, 40) << 6.0 << 1;
    }
    void textFitsItsBox()
    {
        QFETCH(QStringList, lines);
        QFETCH(QSizeF, box);
        QFETCH(qreal, size);
        QFETCH(int, shown);
        const PrintText::FittedLines fitted =
            PrintText::fit(lines, PrintText::font(u"DejaVu Sans"_s, 8), box.width(), box.height());
        QCOMPARE(fitted.font.pointSizeF(), size);
        QCOMPARE(fitted.lines.size(), shown);
        QVERIFY(fitted.lines.size() * fitted.lineHeight <= box.height());
        for (const QString& line : fitted.lines)
            QVERIFY2(PrintText::width(fitted.font, line) <= box.width(), qPrintable(line));
        if (shown < lines.size() || lines.first().size() > 100)
            QVERIFY(fitted.lines.last().endsWith(u'…'));
    }

    void labelsNeverOverlap_data()
    {
        Test::addColumns<QSizeF, double>("paper", "gap");
        QTest::newRow("A4, default labels") << QSizeF(595, 842) << 5.0;
        QTest::newRow("Letter, no gaps") << QSizeF(612, 792) << 0.0;
    }
    void labelsNeverOverlap()
    {
        QFETCH(QSizeF, paper);
        QFETCH(double, gap);
        MailingLabelsOptions options = MailingLabelsOptions::defaults(u"DejaVu Sans"_s);
        options.hGap = options.vGap = gap;
        const MailingLabelSheet sheet(options, paper);
        QList<QRectF> labels;
        for (qsizetype place = 0; place < sheet.labelsPerPage(); ++place)
            labels.append(sheet.labelRect(1, place));
        const QRectF secondPage(0, paper.height(), paper.width(), paper.height());
        for (qsizetype i = 0; i < labels.size(); ++i) {
            QVERIFY(secondPage.contains(labels.at(i)));
            for (qsizetype j = i + 1; j < labels.size(); ++j)
                QVERIFY(!labels.at(i).intersected(labels.at(j)).isValid()
                        || labels.at(i).intersected(labels.at(j)).isEmpty());
        }
        // Across, then down.
        QCOMPARE(labels.at(1).top(), labels.at(0).top());
        QCOMPARE(labels.at(sheet.columns()).left(), labels.at(0).left());
    }

    void postcardParts()
    {
        QCOMPARE(HagakiPage::zipDigits(u"〒１００-０００１ and more 9"_s), u"1000001"_s);
        auto person = std::make_shared<PersonDsc>();
        person->setLabeledValues(LabeledField::Relationship,
                                 {LabeledValue::withText("child", "一郎"), LabeledValue::withText("Spouse", "花子"),
                                  LabeledValue::withText("friend", "次郎"), LabeledValue::withText("child", " ")});
        QCOMPARE(HagakiPage::familyNames(*person, true, true), QStringList({"花子", "一郎"}));
        QCOMPARE(HagakiPage::familyNames(*person, false, true), QStringList({"一郎"}));
        PostalAddress address;
        address.setState(u"東京都"_s);
        address.setCity(u"渋谷区"_s);
        address.setStreet(u"神宮前3-14-5\n青葉ハイツ 201"_s);
        QCOMPARE(HagakiPage::addressColumns(address), QStringList({"東京都渋谷区神宮前3-14-5", "青葉ハイツ 201"}));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestPrintStyles)
#include "tst_printstyles.moc"
