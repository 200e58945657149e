// The printed address list: the text of a contact, the pages of every style, bands and rules, and a
// PDF read back with poppler's tools.

#include "TestSupport.h"
#include "model/PersonDsc.h"
#include "output/AddressListText.h"
#include "output/PrintView.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using namespace Quillary;
using namespace Qt::StringLiterals;

namespace {

const QSizeF LetterSize(612, 792);
const QSizeF A4Size(595, 842);

ContactEntryPtr contact(const QString& name, const LabeledValueList& phones = {}, const QString& note = {})
{
    auto person = std::make_shared<PersonDsc>();
    person->setLabeledValues(LabeledField::Phone, phones);
    if (!note.isEmpty())
        person->setStringValue(note, Field::Note);
    ContactEntryPtr entry = ContactEntry::make(person);
    entry->compositeName = name;
    return entry;
}

// Contacts with a name and one phone: two lines each.
ContactTable twoLineContacts(int count)
{
    ContactTable contacts;
    for (int i = 0; i < count; ++i)
        contacts.append(
            contact(u"Person %1"_s.arg(i + 1), {LabeledValue::withText(u"mobile"_s, u"+1 555 %1"_s.arg(1000 + i))}));
    return contacts;
}

// Address list options with a known font, printing the listed fields.
PrintOptions options(const QStringList& printed = {Field::Phone})
{
    PrintOptions result = PrintOptions::defaults(u"DejaVu Sans"_s);
    for (PrintItem& item : result.addressList.itemTable)
        item.state = item.title == Field::Name || printed.contains(item.title);
    return result;
}

PrintOptions styled(PrintStyle style)
{
    PrintOptions result = options();
    result.printStyle = PrintStyles::name(style);
    return result;
}

} // namespace

class TestPrintView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The text of a contact
    void labelSelection_data()
    {
        Test::addColumns<QStringList, QString>("selected", "block");
        QTest::newRow("All") << QStringList{"All"} << "Phone: work: 1\nhome: 2\nmobile: 3";
        QTest::newRow("home") << QStringList{"home"} << "Phone: home: 2";
        QTest::newRow("work and mobile") << QStringList{"work", "mobile"} << "Phone: work: 1\nmobile: 3";
        QTest::newRow("none qualifies") << QStringList{"pager"} << "Phone: ";
    }
    void labelSelection()
    {
        QFETCH(QStringList, selected);
        QFETCH(QString, block);
        PrintOptions printOptions = options();
        printOptions.addressList.selectedLabels = selected;
        const AddressListText texts(printOptions.addressList);
        // A value without text is never printed.
        const ContactEntryPtr entry =
            contact(u"Jane"_s,
                    {LabeledValue::withText("work", "1"), LabeledValue::withText("home", "2"),
                     LabeledValue::withText("mobile", "3"), LabeledValue::withText("home", QString())});
        QCOMPARE(texts.fieldBlock(*entry, Field::Phone).toPlainText(), block);
        QCOMPARE(texts.contactText(*entry).toPlainText(), QString(u"Jane\n" + block));
    }

    void multiLineValuesLineUp()
    {
        const AddressListText texts(options({Field::Phone, Field::Note}).addressList);
        const ContactEntryPtr entry =
            contact(u"Jane"_s, {LabeledValue::withText("work", "1"), LabeledValue::withText("home", "2")},
                    u"first\nsecond\nthird"_s);
        const PrintContactText text = texts.contactText(*entry);
        QCOMPARE(text.toPlainText(), u"Jane\nPhone: work: 1\nhome: 2\nNote: first\nsecond\nthird"_s);
        const qreal phoneIndent = texts.textWidth(u"Phone: "_s) + 20;
        const qreal noteIndent = texts.textWidth(u"Note: "_s) + 20;
        QVERIFY(noteIndent > 20);
        QList<qreal> indents;
        for (const PrintParagraph& paragraph : text.paragraphs)
            indents.append(paragraph.indent);
        QCOMPARE(indents, QList<qreal>({0, 20, phoneIndent, 20, noteIndent, noteIndent}));
        // Labels and their colons are grey; the values are not.
        QCOMPARE(text.paragraphs.at(1).greyRanges, (QList<std::pair<qsizetype, qsizetype>>{{7, 5}}));
        QCOMPARE(text.paragraphs.at(2).greyRanges, (QList<std::pair<qsizetype, qsizetype>>{{0, 5}}));
        QVERIFY(text.paragraphs.at(3).greyRanges.isEmpty());
    }

    void blockOfEachValueKind()
    {
        auto person = std::make_shared<PersonDsc>();
        person->setStringValue(u"Acme"_s, Field::Company);
        PhoneticNameValue phonetic;
        phonetic.firstName = u"タロウ"_s;
        phonetic.lastName = u"ヤマダ"_s;
        person->setValue(phonetic, Field::PhoneticName);
        const QString reading = person->phoneticNameValue().stringValue;
        QVERIFY(reading.contains(u"タロウ"_s));
        const ContactEntryPtr entry = ContactEntry::make(person);
        const AddressListText texts(options().addressList);
        QCOMPARE(texts.fieldBlock(*entry, Field::Company).toPlainText(), u"Company: Acme"_s);
        QCOMPARE(texts.fieldBlock(*entry, Field::Department).toPlainText(), u"Department: "_s);
        QCOMPARE(texts.fieldBlock(*entry, Field::PhoneticName).toPlainText(), QString(u"Phonetic Name: " + reading));
        QCOMPARE(texts.fieldBlock(*entry, Field::Photo).toPlainText(), u"Photo: "_s);
        // Without a descriptor only the prefix is printed, and the name falls back to "No name".
        ContactEntry bare;
        QCOMPARE(texts.fieldBlock(bare, Field::Phone).toPlainText(), u"Phone: "_s);
        QCOMPARE(texts.contactText(bare).toPlainText(), u"No name\nPhone: "_s);
    }

    // Pages
    void addressListPages_data()
    {
        Test::addColumns<int, QSizeF, double>("count", "paper", "topMargin");
        QTest::newRow("no contacts") << 0 << LetterSize << 15.0;
        QTest::newRow("one") << 1 << LetterSize << 15.0;
        QTest::newRow("ten on Letter") << 10 << LetterSize << 15.0;
        QTest::newRow("100 on Letter") << 100 << LetterSize << 15.0;
        QTest::newRow("100 on A4") << 100 << A4Size << 15.0;
        QTest::newRow("100 on A4 landscape") << 100 << A4Size.transposed() << 15.0;
        QTest::newRow("250 on A4 with a wide top margin") << 250 << A4Size << 200.0;
        QTest::newRow("40 on a postcard") << 40 << QSizeF(283, 420) << 15.0;
    }
    void addressListPages()
    {
        QFETCH(int, count);
        QFETCH(QSizeF, paper);
        QFETCH(double, topMargin);
        PrintOptions printOptions = options();
        printOptions.addressList.margins.top = topMargin;
        // Every contact takes the same height: work out how many a page holds.
        const qreal height =
            PrintView(twoLineContacts(1), PaperInfo::fromSize(paper), printOptions).blocks().first().rect.height();
        const qreal content = paper.height() - topMargin - printOptions.addressList.margins.bottom;
        const int perPage = int(std::floor(content / height));
        QVERIFY(perPage > 0);
        const int expected = std::max(1, (count + perPage - 1) / perPage);

        const PrintView view(twoLineContacts(count), PaperInfo::fromSize(paper), printOptions);
        QCOMPARE(view.pages(), expected);
        QCOMPARE(view.blocks().size(), count);
        QCOMPARE(view.frameSize(), QSizeF(paper.width(), expected * paper.height()));
        for (const AddressListBlock& block : view.blocks())
            QVERIFY(view.contentRect(block.page).contains(block.rect));
    }

    void contactCrossingBottomStartsNextPage()
    {
        PrintView view(twoLineContacts(10), PaperInfo::fromSize(LetterSize), options());
        QCOMPARE(view.pages(), 1);
        const qreal height = view.blocks().first().rect.height();
        // A paper on which exactly three and a half contacts fit.
        const QSizeF paper(300, 30 + 3.5 * height);
        QCOMPARE(view.knowsPageRange(PaperInfo::fromSize(paper)), 4);
        QList<int> pages;
        for (const AddressListBlock& block : view.blocks())
            pages.append(block.page);
        QCOMPARE(pages, QList<int>({0, 0, 0, 1, 1, 1, 2, 2, 2, 3}));
        QCOMPARE(view.blocks().at(3).rect.top(), view.contentRect(1).top());
        QCOMPARE(view.blocks().at(3).rect.top(), paper.height() + 15);
    }

    void contactTallerThanPageIsCut()
    {
        QStringList lines;
        for (int i = 1; i <= 120; ++i)
            lines.append(u"Line %1"_s.arg(i));
        ContactTable contacts = twoLineContacts(1);
        contacts.append(contact(u"Long Note"_s, {}, lines.join(u'\n')));
        contacts.append(twoLineContacts(1));
        const PrintView view(contacts, PaperInfo::fromSize(QSizeF(300, 400)), options({Field::Note}));

        const QList<AddressListBlock>& blocks = view.blocks();
        QVERIFY(blocks.size() > 3);
        // The long contact starts at the top of the next page and goes on at the top of each following one.
        QCOMPARE(blocks.at(1).contact, 1);
        QCOMPARE(blocks.at(1).page, 1);
        qsizetype lines121 = 0;
        for (qsizetype i = 1; i < blocks.size() - 1; ++i) {
            QCOMPARE(blocks.at(i).contact, 1);
            QCOMPARE(blocks.at(i).page, int(i));
            QCOMPARE(blocks.at(i).rect.top(), view.contentRect(int(i)).top());
            QVERIFY(view.contentRect(blocks.at(i).page).contains(blocks.at(i).rect));
            lines121 += blocks.at(i).lineCount;
        }
        QCOMPARE(lines121, 121);
        // The next contact follows on the page where the long one ended, below it.
        QCOMPARE(blocks.last().contact, 2);
        QCOMPARE(blocks.last().page, blocks.at(blocks.size() - 2).page);
        QCOMPARE(blocks.last().rect.top(), blocks.at(blocks.size() - 2).rect.bottom());
        QCOMPARE(view.pages(), blocks.last().page + 1);

        // The long contact first: it starts on page 1, not after a blank one.
        const PrintView first(contacts.sliced(1), PaperInfo::fromSize(QSizeF(300, 400)), options({Field::Note}));
        QCOMPARE(first.blocks().first().page, 0);
        QCOMPARE(first.blocks().first().rect.top(), first.contentRect(0).top());
    }

    void mailingLabelPages_data()
    {
        Test::addColumns<QSizeF, double, double, double, int, int, int, int, int>(
            "paper", "width", "height", "gap", "repeat", "count", "columns", "rows", "pages");
        QTest::newRow("50 on Letter") << LetterSize << 130.0 << 60.0 << 5.0 << 1 << 50 << 4 << 12 << 2;
        QTest::newRow("a full page needs no other") << LetterSize << 130.0 << 60.0 << 5.0 << 1 << 48 << 4 << 12 << 1;
        QTest::newRow("one more") << LetterSize << 130.0 << 60.0 << 5.0 << 1 << 49 << 4 << 12 << 2;
        QTest::newRow("repeated three times") << LetterSize << 130.0 << 60.0 << 5.0 << 3 << 50 << 4 << 12 << 4;
        QTest::newRow("no contacts") << LetterSize << 130.0 << 60.0 << 5.0 << 1 << 0 << 4 << 12 << 1;
        QTest::newRow("A4, fractional gaps are whole points")
            << A4Size << 180.0 << 72.0 << 9.9 << 1 << 100 << 3 << 10 << 4;
        QTest::newRow("wider than the paper") << LetterSize << 700.0 << 60.0 << 5.0 << 1 << 30 << 1 << 12 << 3;
        QTest::newRow("sizes of 0") << LetterSize << 0.0 << 0.0 << 0.0 << 1 << 5 << 1 << 1 << 5;
    }
    void mailingLabelPages()
    {
        QFETCH(QSizeF, paper);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(double, gap);
        QFETCH(int, repeat);
        QFETCH(int, count);
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(int, pages);
        PrintOptions printOptions = styled(PrintStyle::MailingLabels);
        MailingLabelsOptions& labels = printOptions.mailingLabels;
        labels.labelWidth = width;
        labels.labelHeight = height;
        labels.hGap = labels.vGap = gap;
        labels.repeatCount = repeat;
        const PrintView::LabelGrid grid = PrintView::labelGrid(labels, paper);
        QCOMPARE(grid.columns, columns);
        QCOMPARE(grid.rows, rows);
        QCOMPARE(PrintView(twoLineContacts(count), PaperInfo::fromSize(paper), printOptions).pages(), pages);
    }

    void noEnvelopeIsStillOnePage()
    {
        // One envelope or postcard a contact: the window test prints three of each (tst_outputwindow).
        const PrintView view({}, PaperInfo::fromSize(LetterSize), styled(PrintStyle::Envelope));
        QCOMPARE(view.pages(), 1);
        QVERIFY(view.blocks().isEmpty()); // only the address list is laid out in blocks
    }

    void pageRectangles()
    {
        PrintOptions printOptions = options();
        printOptions.addressList.margins = {10, 20, 30, 40};
        PrintView view({}, {QSizeF(600, 800), QRectF(18, 12, 570, 770)}, printOptions);
        QCOMPARE(view.rectForPage(1), QRectF(0, 0, 600, 800));
        QCOMPARE(view.rectForPage(3), QRectF(0, 1600, 600, 800));
        QCOMPARE(view.contentRect(0), QRectF(38, 22, 520, 720));
        QCOMPARE(view.contentRect(2), QRectF(38, 1622, 520, 720));

        // Setting contacts with options takes the paper from the options.
        printOptions.otherKeys.insert(u"paperWidth"_s, 420);
        printOptions.otherKeys.insert(u"paperHeight"_s, 595);
        view.setContacts(twoLineContacts(2), printOptions);
        QCOMPARE(view.paper(), PaperInfo::fromSize(QSizeF(420, 595)));

        QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(), QPageLayout::Point,
                           QMarginsF(10, 12, 14, 16));
        QCOMPARE(PaperInfo::fromPageLayout(layout), PaperInfo({QSizeF(842, 595), QRectF(10, 12, 818, 567)}));
    }

    // Drawing
    void bandsAndRules()
    {
        PrintOptions printOptions = options();
        printOptions.addressList.printFrame = true;
        const PrintView view(twoLineContacts(4), PaperInfo::fromSize(QSizeF(300, 400)), printOptions);
        QImage image(300, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            view.draw(painter, view.rectForPage(1));
        }
        // Look at the right end of each block, where no text reaches.
        const int band = QColor::fromRgbF(0.9f, 0.9f, 0.9f).red();
        for (const AddressListBlock& block : view.blocks()) {
            const int x = int(block.rect.right()) - 2;
            const QColor middle = image.pixelColor(x, int(block.rect.center().y()));
            QCOMPARE(middle.red(), block.contact % 2 == 1 ? band : 255);
            const int top = int(std::floor(block.rect.top()));
            int darkest = 255;
            for (int y = top - 1; y <= top + 1; ++y)
                darkest = std::min(darkest, image.pixelColor(x, y).red());
            QVERIFY2(darkest < 100, "rule along the top");
        }

        printOptions.addressList.printFrame = false;
        printOptions.addressList.alternatingRow = false;
        const PrintView plain(twoLineContacts(4), PaperInfo::fromSize(QSizeF(300, 400)), printOptions);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            plain.draw(painter, plain.rectForPage(1));
        }
        const AddressListBlock& second = plain.blocks().at(1);
        QCOMPARE(image.pixelColor(int(second.rect.right()) - 2, int(second.rect.center().y())), QColor(Qt::white));
        QCOMPARE(image.pixelColor(int(second.rect.right()) - 2, int(second.rect.top())), QColor(Qt::white));
    }

    void pdfOfAddressList()
    {
        const QString pdfinfo = QStandardPaths::findExecutable(u"pdfinfo"_s);
        const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        if (pdfinfo.isEmpty() || pdftotext.isEmpty())
            QSKIP("poppler-utils (pdfinfo, pdftotext) is not installed");

        ContactTable contacts = twoLineContacts(150);
        contacts.insert(0, contact(u"山田 太郎"_s, {LabeledValue::withText("mobile", "090-1234-5678")}));
        contacts.insert(
            1,
            contact(u"Jane Doe"_s,
                    {LabeledValue::withText("work", "+1 555 0100"), LabeledValue::withText("home", "+1 555 0199")}));
        PrintView view(contacts, PaperInfo::fromSize(A4Size), options());

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(u"list.pdf"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(view.writePdf(file, QPageSize(QPageSize::A4)));
        file.close();
        QVERIFY(view.pages() > 1);

        const QString info = Test::runTool(pdfinfo, {path});
        QVERIFY2(info.contains(QRegularExpression(u"Pages:\\s+%1\\n"_s.arg(view.pages()))), qPrintable(info));
        QVERIFY2(info.contains(u"595 x 842 pts"_s), qPrintable(info));

        // poppler may name a CJK glyph by its Kangxi radical.
        const QString text =
            Test::runTool(pdftotext, {u"-layout"_s, path, u"-"_s}).normalized(QString::NormalizationForm_KC);
        for (const char* expected : {"山田 太郎", "mobile: 090-1234-5678", "Jane Doe", "Phone: work: +1 555 0100",
                                     "home: +1 555 0199", "Person 150", "+1 555 1149"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        // Each contact is printed once, and every page has its form feed.
        QCOMPARE(text.count(u"Person "_s), 150);
        QCOMPARE(text.count(u'\f'), view.pages());
    }
};

QTEST_MAIN(TestPrintView)
#include "tst_printview.moc"
