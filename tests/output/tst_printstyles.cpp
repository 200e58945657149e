// Labels, envelopes and postcards of 50 contacts, printed to PDF and read back with poppler's
// pdftotext: where each name and postal code ended up.

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
    address.label = QStringLiteral("home");
    address.address.setZip(QStringLiteral("1%1-00%1").arg(i, 2, 10, QChar(u'0')));
    address.address.setState(QStringLiteral("東京都"));
    address.address.setCity(QStringLiteral("千代田区"));
    address.address.setStreet(QStringLiteral("千代田%1-2").arg(i + 1));
    address.address.setCountryCode(QStringLiteral("jp"));
    updateAddressValue(address, QStringLiteral("JP"));
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
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
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
    void initTestCase();
    void readBack_data();
    void readBack();
    void verticalCells_data();
    void verticalCells();
    void addressLines_data();
    void addressLines();
    void textFitsItsBox_data();
    void textFitsItsBox();
    void labelsNeverOverlap_data();
    void labelsNeverOverlap();
    void postcardParts();

private:
    QTemporaryDir m_dir;
};

void TestPrintStyles::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("poppler-utils (pdftotext) is not installed");
    QVERIFY(m_dir.isValid());
}

void TestPrintStyles::readBack_data()
{
    QTest::addColumn<PrintStyle>("style");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("perPage");
    QTest::newRow("labels, 4 x 12 per A4 page") << PrintStyle::MailingLabels << 2 << 48;
    QTest::newRow("envelopes, one per page") << PrintStyle::Envelope << 50 << 1;
    QTest::newRow("postcards, one per page") << PrintStyle::Hagaki << 50 << 1;
}

void TestPrintStyles::readBack()
{
    QFETCH(PrintStyle, style);
    QFETCH(int, pages);
    QFETCH(int, perPage);
    ContactTable contacts;
    for (int i = 0; i < 50; ++i)
        contacts.append(japaneseContact(i));
    PrintOptions options = PrintOptions::defaults(QStringLiteral("IPAexMincho"));
    options.printStyle = PrintStyles::name(style);
    const QPageLayout layout =
        PrintPaper::layoutForStyle(style, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    PrintView view(contacts, PaperInfo::fromPageLayout(layout), options);
    view.setSender(contacts.first());
    const QString path = m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".pdf"));
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
            QVERIFY2(inBox != onPage.cend(), qPrintable(QStringLiteral("digit %1 of %2").arg(d).arg(zip)));
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

void TestPrintStyles::verticalCells_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("kinds");
    // U: upright, R: turned, P: punctuation, S: small kana, _: half space.
    QTest::newRow("address digits as kanji") << "千代田1-2-30"
                                             << "千代田一ー二ー三〇"
                                             << "UUUURURUU";
    QTest::newRow("long vowel and brackets turn") << "コーポ（東）"
                                                  << "コーポ（東）"
                                                  << "URURUR";
    QTest::newRow("comma, small kana, blank") << "きゃ、あ い"
                                              << "きゃ、あ い"
                                              << "USPU_U";
    QTest::newRow("Latin letters full width") << "Bldg.A"
                                              << "Ｂｌｄｇ．Ａ"
                                              << "UUUUPU";
}

void TestPrintStyles::verticalCells()
{
    QFETCH(QString, text);
    QFETCH(QString, written);
    QFETCH(QString, kinds);
    const QString address = VerticalText::addressText(text);
    const bool isAddress = QTest::currentDataTag() != QByteArrayView("comma, small kana, blank");
    QCOMPARE(isAddress ? address : text, written);
    QString actual;
    for (const VerticalText::Cell& cell : VerticalText::cells(written))
        actual += QStringLiteral("URPS_").at(int(cell.kind));
    QCOMPARE(actual, kinds);
}

void TestPrintStyles::addressLines_data()
{
    QTest::addColumn<QString>("countryCode");
    QTest::addColumn<QString>("country");
    QTest::addColumn<bool>("withCountry");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("United States") << "us"
                                   << "United States" << true
                                   << QStringList{"1 Main St", "Flat 2", "Springfield IL 62701", "United States"};
    QTest::newRow("Japan, postal code marked, no country")
        << "JP"
        << "日本" << false << QStringList{"〒62701", "IL Springfield", "1 Main St", "Flat 2"};
    QTest::newRow("Germany by its name") << ""
                                         << "Germany" << false
                                         << QStringList{"1 Main St", "Flat 2", "62701 Springfield"};
    QTest::newRow("unknown country: street, city line")
        << "ZZ"
        << "Utopia" << true << QStringList{"1 Main St", "Flat 2", "Springfield IL 62701", "Utopia"};
}

void TestPrintStyles::addressLines()
{
    QFETCH(QString, countryCode);
    QFETCH(QString, country);
    QFETCH(bool, withCountry);
    QFETCH(QStringList, lines);
    PostalAddress address;
    address.setStreet(QStringLiteral("1 Main St\nFlat 2"));
    address.setCity(QStringLiteral("Springfield"));
    address.setState(QStringLiteral("IL"));
    address.setZip(QStringLiteral("62701"));
    address.setCountry(country);
    address.setCountryCode(countryCode);
    QCOMPARE(PrintAddress::addressLines(address, QStringLiteral("US"), withCountry), lines);
}

void TestPrintStyles::textFitsItsBox_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QSizeF>("box");
    QTest::addColumn<qreal>("size");
    QTest::addColumn<int>("shown");
    QTest::newRow("fits at 8 points") << QStringList{"Jane Doe", "1 Main St"} << QSizeF(110, 40) << 8.0 << 2;
    QTest::newRow("shrinks for five lines") << QStringList{"a", "b", "c", "d", "e"} << QSizeF(110, 42) << 7.0 << 5;
    QTest::newRow("shrinks to 6 points, then drops lines")
        << QStringList{"a", "b", "c", "d", "e", "f", "g", "h"} << QSizeF(110, 40) << 6.0 << 5;
    QTest::newRow("a long line is cut") << QStringList{QString(200, u'x')} << QSizeF(110, 40) << 6.0 << 1;
}

void TestPrintStyles::textFitsItsBox()
{
    QFETCH(QStringList, lines);
    QFETCH(QSizeF, box);
    QFETCH(qreal, size);
    QFETCH(int, shown);
    const PrintText::FittedLines fitted =
        PrintText::fit(lines, PrintText::font(QStringLiteral("DejaVu Sans"), 8), box.width(), box.height());
    QCOMPARE(fitted.font.pointSizeF(), size);
    QCOMPARE(fitted.lines.size(), shown);
    QVERIFY(fitted.lines.size() * fitted.lineHeight <= box.height());
    for (const QString& line : fitted.lines)
        QVERIFY2(PrintText::width(fitted.font, line) <= box.width(), qPrintable(line));
    if (shown < lines.size() || lines.first().size() > 100)
        QVERIFY(fitted.lines.last().endsWith(u'…'));
}

void TestPrintStyles::labelsNeverOverlap_data()
{
    QTest::addColumn<QSizeF>("paper");
    QTest::addColumn<double>("gap");
    QTest::newRow("A4, default labels") << QSizeF(595, 842) << 5.0;
    QTest::newRow("Letter, no gaps") << QSizeF(612, 792) << 0.0;
}

void TestPrintStyles::labelsNeverOverlap()
{
    QFETCH(QSizeF, paper);
    QFETCH(double, gap);
    MailingLabelsOptions options = MailingLabelsOptions::defaults(QStringLiteral("DejaVu Sans"));
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

void TestPrintStyles::postcardParts()
{
    QCOMPARE(HagakiPage::zipDigits(QStringLiteral("〒１００-０００１ and more 9")), QStringLiteral("1000001"));
    auto person = std::make_shared<PersonDsc>();
    person->setLabeledValues(LabeledField::Relationship,
                             {LabeledValue::withText("child", "一郎"), LabeledValue::withText("Spouse", "花子"),
                              LabeledValue::withText("friend", "次郎"), LabeledValue::withText("child", " ")});
    QCOMPARE(HagakiPage::familyNames(*person, true, true), QStringList({"花子", "一郎"}));
    QCOMPARE(HagakiPage::familyNames(*person, false, true), QStringList({"一郎"}));
    PostalAddress address;
    address.setState(QStringLiteral("東京都"));
    address.setCity(QStringLiteral("渋谷区"));
    address.setStreet(QStringLiteral("神宮前3-14-5\n青葉ハイツ 201"));
    QCOMPARE(HagakiPage::addressColumns(address), QStringList({"東京都渋谷区神宮前3-14-5", "青葉ハイツ 201"}));
}

QTEST_MAIN(TestPrintStyles)
#include "tst_printstyles.moc"
