// Cutting vCard streams into cards, categories and the group table, and the lines the stream
// writer adds to each card.

#include "formats/VCardStream.h"
#include "formats/ZQVCard.h"
#include "support/SharedWork.h"

#include <QBuffer>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

using namespace Quillary;

namespace {

QByteArray card(const QByteArray& name, const QByteArray& extra = {})
{
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nN:" + name + ";;;;\r\n" + extra + "END:VCARD\r\n";
}

QStringList names(const ContactTable& contacts)
{
    QStringList result;
    for (const ContactEntryPtr& contact : contacts)
        result.append(contact->person->nameValue().lastName);
    return result;
}

ContactEntry entryWith(const std::function<void(PersonDsc&)>& fill)
{
    ContactEntry entry;
    entry.person = std::make_shared<PersonDsc>();
    fill(*entry.person);
    return entry;
}

QByteArray jpegBytes()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    return ZQVCard::jpegDataFromImage(image);
}

} // namespace

class TestZQVCard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sharedWorkDoesEveryIndexOnce_data()
    {
        QTest::addColumn<qsizetype>("count");
        QTest::addColumn<qsizetype>("chunk");
        QTest::addColumn<bool>("fromPoolThread");
        for (const qsizetype chunk : {1, 8}) {
            for (const qsizetype count : {0, 1, 7, 8, 9, 4096, 4099}) {
                QTest::addRow("%lld by %lld", qlonglong(count), qlonglong(chunk)) << count << chunk << false;
                QTest::addRow("%lld by %lld, from a thread of the pool", qlonglong(count), qlonglong(chunk))
                    << count << chunk << true;
            }
        }
    }
    void sharedWorkDoesEveryIndexOnce()
    {
        QFETCH(qsizetype, count);
        QFETCH(qsizetype, chunk);
        QFETCH(bool, fromPoolThread);
        std::vector<std::atomic<int>> done(size_t(count) + 1);
        int meanwhile = 0;
        const auto share = [&] {
            shareWork(
                count, chunk, [&](qsizetype index) { ++done[size_t(index)]; }, [&] { ++meanwhile; });
        };
        // From a thread of the pool, its helpers may never start: the calling thread does it all.
        if (fromPoolThread)
            QtConcurrent::run(share).waitForFinished();
        else
            share();
        QCOMPARE(meanwhile, 1);
        for (qsizetype index = 0; index <= count; ++index)
            QCOMPARE(done[size_t(index)].load(), index < count ? 1 : 0);
    }

    void cutsStreams_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("empty") << QByteArray() << QStringList();
        QTest::newRow("ten characters") << QByteArray("BEGIN:VCAR") << QStringList();
        QTest::newRow("one card without final line break")
            << QByteArray("BEGIN:VCARD\r\nN:One;;;;\r\nEND:VCARD") << QStringList{"One"};
        QTest::newRow("lower-case markers and text between cards")
            << QByteArray("junk\nbegin:vcard\nn:A;;;;\nend:vcard\n\n# comment\nBEGIN:VCARD\nN:B;;;;\nEND:VCARD\n")
            << QStringList{"A", "B"};
        QTest::newRow("truncated last card")
            << card("A") + "BEGIN:VCARD\r\nN:Cut;;;;\r\nTEL:1" << QStringList{"A", "Cut"};
        QTest::newRow("unreadable card skipped")
            << card("A") + "BEGIN:VCARD\r\nEND:VCARD\r\n" + card("B") << QStringList{"A", "B"};
        // Markers count only at the start of a line: inside a value they are text.
        QTest::newRow("END:VCARD inside a value")
            << "BEGIN:VCARD\r\nNOTE:Server backEND:VCARD endpoint\r\nN:Kept;;;;\r\nEND:VCARD\r\n" + card("B")
            << QStringList{"Kept", "B"};
        QTest::newRow("BEGIN:VCARD inside a value")
            << card("A", "NOTE:Paste from old phone: BEGIN:VCARD FN:Old END:VCARD\r\n") + card("B")
            << QStringList{"A", "B"};
        // A nested card belongs to the card around it, and so do the lines after it.
        QTest::newRow("vCard 2.1 AGENT cards")
            << "BEGIN:VCARD\r\nVERSION:2.1\r\nAGENT:\r\nBEGIN:VCARD\r\nN:In1\r\nEND:VCARD\r\nAGENT:\r\n"
               "BEGIN:VCARD\r\nN:In2\r\nEND:VCARD\r\nN:Outer\r\nEND:VCARD\r\n"
                + card("B")
            << QStringList{"Outer", "B"};
        QTest::newRow("nested card without AGENT")
            << "BEGIN:VCARD\r\nBEGIN:VCARD\r\nN:In;;;;\r\nEND:VCARD\r\nN:Outer;;;;\r\nEND:VCARD\r\n" + card("B")
            << QStringList{"Outer", "B"};
        QTest::newRow("AGENT value on its line")
            << "BEGIN:VCARD\r\nAGENT:BEGIN:VCARD\r\nN:In;;;;\r\nEND:VCARD\r\nN:Outer;;;;\r\nEND:VCARD\r\n" + card("B")
            << QStringList{"Outer", "B"};
        // Only an AGENT's value opens a card; the text "BEGIN:VCARD" of a label or a note is just text.
        QTest::newRow("label and note that read BEGIN:VCARD")
            << "BEGIN:VCARD\r\nitem1.X-ABLabel:BEGIN:VCARD\r\nNOTE:begin:vcard\r\nN:A;;;;\r\nEND:VCARD\r\n" + card("B")
            << QStringList{"A", "B"};
        QTest::newRow("missing END before whole cards")
            << "BEGIN:VCARD\r\nN:Broken;;;;\r\n" + card("B") + card("C") << QStringList{"Broken", "B", "C"};
    }

    void cutsStreams()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QStringList, expected);
        QCOMPARE(names(ZQVCard().contactsFromVCards(stream)), expected);
    }

    void keepsTheCardAfterOneWithoutEnd()
    {
        // A missing END:VCARD ends the card where the next one begins: the next card is not swallowed.
        const QByteArray stream = "BEGIN:VCARD\r\nN:Broken;;;;\r\n" + card("Next") + card("Last");
        const ContactTable contacts = ZQVCard().contactsFromVCards(stream);
        QCOMPARE(names(contacts), (QStringList{"Broken", "Next", "Last"}));
        QVERIFY(contacts.first()->vCardString.utf8().startsWith("BEGIN:VCARD\r\nN:Broken"));
        QVERIFY(!contacts.first()->vCardString.utf8().contains("Next"));
    }

    void stopsWhenAsked()
    {
        QByteArray stream;
        for (int i = 0; i < 1500; ++i)
            stream += card("N" + QByteArray::number(i));
        int calls = 0;
        const ContactTable contacts = ZQVCard().contactsFromVCards(stream, [&](bool& stop, qsizetype position) {
            ++calls;
            QVERIFY(position > 0 && position <= stream.size());
            stop = true;
        });
        QCOMPARE(calls, 1);
        QVERIFY(contacts.isEmpty());
    }

    void cutsStreamsThatArriveInPieces()
    {
        QByteArray stream;
        for (int i = 0; i < 300; ++i) {
            // Now and then a card nested in one, and one without its END:VCARD.
            const QByteArray extra = i % 40 == 3 ? "AGENT:\r\nBEGIN:VCARD\r\nN:In\r\nEND:VCARD\r\n" : "";
            const QByteArray whole =
                card("N" + QByteArray::number(i), "NOTE:" + QByteArray(i * 97 % 5000, 'x') + "\r\n" + extra);
            stream += i % 40 == 17 ? whole.chopped(11) : whole;
        }
        // Every way of splitting the stream gives the same cards as cutting it whole.
        const QList<VCardStream::CardRange> whole = VCardStream::cut(stream);
        for (const qsizetype pieceSize : {7, 11, 64, 1000, 4096}) {
            QList<VCardStream::CardRange> cards;
            QByteArray buffer;
            qsizetype offset = 0;
            for (qsizetype at = 0; at < stream.size(); at += pieceSize) {
                buffer += stream.mid(at, pieceSize);
                const bool atEnd = at + pieceSize >= stream.size();
                QList<VCardStream::CardRange> found;
                const qsizetype done = VCardStream::cutComplete(buffer, atEnd, found);
                for (VCardStream::CardRange range : found)
                    cards.append({range.offset + offset, range.length});
                buffer.remove(0, done);
                offset += done;
            }
            QCOMPARE(cards.size(), whole.size());
            for (qsizetype i = 0; i < cards.size(); ++i) {
                QCOMPARE(cards.at(i).offset, whole.at(i).offset);
                QCOMPARE(cards.at(i).length, whole.at(i).length);
            }
        }
    }

    void findsCategories_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("trimmed") << QByteArray("CATEGORIES:Friends, Work ,Family\r\n")
                                 << QStringList{"Friends", "Work", "Family"};
        QTest::newRow("empty name kept") << QByteArray("CATEGORIES:A,,B\r\n") << QStringList{"A", "", "B"};
        QTest::newRow("trailing comma") << QByteArray("CATEGORIES:A,\r\n") << QStringList{"A", ""};
        QTest::newRow("several lines") << QByteArray("CATEGORIES:A\r\nCATEGORIES:B,C\r\n")
                                       << QStringList{"A", "B", "C"};
        QTest::newRow("folded") << QByteArray("CATEGORIES:Alpha,Be\r\n ta,Gamma\r\n")
                                << QStringList{"Alpha", "Beta", "Gamma"};
        QTest::newRow("parameters") << QByteArray("CATEGORIES;CHARSET=UTF-8:Café,Bar\r\n")
                                    << QStringList{"Café", "Bar"};
        QTest::newRow("escaped comma") << QByteArray("CATEGORIES:Smith\\, Jones,Other\r\n")
                                       << QStringList{"Smith, Jones", "Other"};
        QTest::newRow("quoted-printable Shift-JIS")
            << QByteArray("CATEGORIES;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=8E=E6=88=F8=90=E6\r\n")
            << QStringList{"取引先"};
        QTest::newRow("none") << QByteArray("NOTE:CATEGORIES:not a category\r\n") << QStringList();
    }

    void findsCategories()
    {
        QFETCH(QByteArray, lines);
        QFETCH(QStringList, expected);
        QCOMPARE(ZQVCard::findCategories2(card("A", lines)), expected);
        // Reading the card gives its contact the same names.
        const ContactTable read = ZQVCard().contactsFromVCards(card("A", lines));
        QCOMPARE(read.size(), 1);
        QCOMPARE(read.first()->categories, expected);
    }

    void buildsTheGroupTableInTheOrderMet()
    {
        const QByteArray stream = card("One", "CATEGORIES:Friends, Work ,Family\r\n")
            + card("Two", "CATEGORIES:Work,Friends\r\n") + card("Three", "CATEGORIES:A,,B\r\n");
        const ContactTable contacts = ZQVCard().contactsFromVCards(stream);
        const GroupTable groups = ZQVCard::makeGroupTableFromCategoriesOfContacts(contacts);
        QStringList groupNames;
        for (const GroupEntryPtr& group : groups)
            groupNames.append(group->groupName);
        QCOMPARE(groupNames, (QStringList{"All Contacts", "Friends", "Work", "Family", "A", "B"}));
        QVERIFY(groups.first()->top);
        QCOMPARE(groups.first()->uniqueId, QStringLiteral("All"));
        QCOMPARE(groups.first()->contactTable.size(), 3);
        QCOMPARE(groups.at(2)->contactTable.size(), 2); // Work
        const QRegularExpression stamp(QStringLiteral("^Friends-\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d \\+0000$"));
        QVERIFY2(stamp.match(groups.at(1)->uniqueId).hasMatch(), qPrintable(groups.at(1)->uniqueId));
        ZQVCard::convertCatetoriesToUniqueIds(contacts, groups);
        QCOMPARE(contacts.at(1)->groupUniqueIds, (QStringList{groups.at(2)->uniqueId, groups.at(1)->uniqueId}));
        QCOMPARE(contacts.at(2)->groupUniqueIds, (QStringList{groups.at(4)->uniqueId, groups.at(5)->uniqueId}));
    }

    void leavesContactsWithoutCategoriesOutOfGroups()
    {
        const ContactTable contacts = ZQVCard().contactsFromVCards(card("A") + card("B"));
        const GroupTable groups = ZQVCard::makeGroupTableFromCategoriesOfContacts(contacts);
        QCOMPARE(groups.size(), 1);
        ZQVCard::convertCatetoriesToUniqueIds(contacts, groups);
        QVERIFY(contacts.first()->groupUniqueIds.isEmpty());
    }

    void writesCategoriesInGroupOrder()
    {
        const ContactTable contacts = ZQVCard().contactsFromVCards(card("A", "CATEGORIES:X,Y,Z\r\n"));
        const GroupTable groups = ZQVCard::makeGroupTableFromCategoriesOfContacts(contacts);
        const QString x = groups.at(1)->uniqueId, y = groups.at(2)->uniqueId, z = groups.at(3)->uniqueId;
        QCOMPARE(ZQVCard::categoriesFromUniqueIds({z, QStringLiteral("unknown"), x}, groups), QStringLiteral("X,Z"));
        QCOMPARE(ZQVCard::categoriesFromUniqueIds({}, groups), QString());
        QCOMPARE(ZQVCard::categoriesFromUniqueIds({y}, groups), QStringLiteral("Y"));
        // A membership listed twice names its group once.
        QCOMPARE(ZQVCard::categoriesFromUniqueIds({z, x, z}, groups), QStringLiteral("X,Z"));
    }

    void roundTripsGroupNamesWithCommas()
    {
        const ContactTable contacts = ZQVCard().contactsFromVCards(card("A", "CATEGORIES:Smith\\, Jones,Plain\r\n"));
        GroupTable groups = ZQVCard::makeGroupTableFromCategoriesOfContacts(contacts);
        ZQVCard::convertCatetoriesToUniqueIds(contacts, groups);
        const QByteArray written = ZQVCard().vCardsFromContacts(contacts, {}, groups);
        QVERIFY2(written.contains("CATEGORIES:Smith\\, Jones,Plain\r\n"), written.constData());
        QCOMPARE(ZQVCard::findCategories2(written), (QStringList{"Smith, Jones", "Plain"}));
    }

    void writesNotesAsEscapedText()
    {
        const ContactEntry entry = entryWith(
            [](PersonDsc& person) { person.setStringValue(QStringLiteral("a\nb\r\nc\rd, e; f\\g"), Field::Note); });
        const QByteArray written = ZQVCard::vCardFromContact(entry, {WriteOption::Note}, {});
        QVERIFY2(written.contains("NOTE:a\\nb\\nc\\nd\\, e\\; f\\\\g\r\nEND:VCARD\r\n"), written.constData());
        // Without the option no note is written.
        QVERIFY(!ZQVCard::vCardFromContact(entry, {}, {}).contains("NOTE"));
    }

    void cardMarkersInValuesStayInTheirCard_data()
    {
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("organization");
        QTest::newRow("a note that quotes the end of a card") << QStringLiteral("ends with END:VCARD") << QString();
        QTest::newRow("both markers, any case, at a fold")
            << QString(QString(66, u'x') + u"begin:vCard and eNd:VcArD") << QStringLiteral("END:VCARD BEGIN:VCARD");
        QTest::newRow("a marker right after a fold") << QString(QString(70, u'y') + u"END:VCARD") << QString();
    }

    void cardMarkersInValuesStayInTheirCard()
    {
        // A value that holds a marker must come back whole, in its own card, and the card after it
        // must not be lost.
        QFETCH(QString, note);
        QFETCH(QString, organization);
        const ContactEntry entry = entryWith([&](PersonDsc& person) {
            person.setStringValue(note, Field::Note);
            person.setStringValue(organization, Field::Company);
        });
        const QByteArray card = ZQVCard::vCardFromContact(entry, {WriteOption::Note}, {});
        const QByteArray stream = card + card;
        const QList<VCardStream::CardRange> cards = VCardStream::cut(stream);
        QCOMPARE(cards.size(), 2);
        QCOMPARE(cards.at(1).offset, card.size());
        QCOMPARE(cards.at(0).length, card.size() - 1); // up to the CR after its own END:VCARD
        const std::shared_ptr<PersonDsc> reread =
            ZQVCard().personFromVCard(stream.sliced(cards.at(1).offset, cards.at(1).length));
        QVERIFY(reread);
        QCOMPARE(reread->stringValueForIdentifier(Field::Note), note);
        QCOMPARE(reread->stringValueForIdentifier(Field::Company), organization);
    }

    void writesPhotoLines_data()
    {
        QTest::addColumn<int>("base64Length");
        QTest::addColumn<QList<int>>("lineLengths");
        QTest::newRow("48 characters: one line") << 48 << QList<int>{75};
        QTest::newRow("48 + 74 + 2") << 124 << QList<int>{75, 75, 3};
        QTest::newRow("48 + 74 + 74 + 4") << 200 << QList<int>{75, 75, 75, 5};
    }

    void writesPhotoLines()
    {
        QFETCH(int, base64Length);
        QFETCH(QList<int>, lineLengths);
        // JPEG-looking bytes whose base64 text has exactly the wanted length (a multiple of 4).
        QByteArray data = QByteArray::fromHex("FFD8FFE0") + QByteArray(base64Length / 4 * 3 - 4, 'x');
        const QByteArray lines = ZQVCard::encodeVCardPhoto(data);
        QVERIFY(lines.startsWith("PHOTO;ENCODING=b;TYPE=JPEG:"));
        QList<int> lengths;
        for (const QByteArray& line : lines.split('\n')) {
            if (!line.isEmpty())
                lengths.append(int(line.size()) - 1); // without the CR
        }
        QCOMPARE(lengths, lineLengths);
    }

    void writesJpegPhotosAsTheyAre()
    {
        const QByteArray jpeg = jpegBytes();
        QVERIFY(!jpeg.isEmpty());
        const ContactEntry entry = entryWith([&](PersonDsc& person) { person.setPhoto(jpeg); });
        const QByteArray written = ZQVCard::vCardFromContact(entry, {WriteOption::Photo}, {});
        const std::shared_ptr<PersonDsc> reread = ZQVCard().personFromVCard(written);
        // Written once and read back, then again: the same bytes each time, never encoded again.
        QVERIFY(reread);
        QCOMPARE(reread->photoData(), jpeg);
        // A PNG is written as JPEG.
        QImage image(4, 4, QImage::Format_ARGB32);
        image.fill(Qt::blue);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        const QByteArray fromPng = ZQVCard::encodeVCardPhoto(png);
        QVERIFY(!fromPng.isEmpty());
        QVERIFY(fromPng.startsWith("PHOTO;ENCODING=b;TYPE=JPEG:/9j/"));
    }

    void readsADeviceLikeTheWholeStream_data()
    {
        QTest::addColumn<QByteArray>("stream");

        // Several pieces of the device reader, with copies of one UID far apart and categories.
        QByteArray many;
        for (int i = 0; i < 40000; ++i) {
            const QByteArray number = QByteArray::number(i);
            many += card("N" + number,
                         "UID:" + QByteArray::number(i % 15000) + "\r\nCATEGORIES:G" + QByteArray::number(i % 7)
                             + ",All\r\nNOTE:" + QByteArray(60, 'n') + "\r\n");
        }
        QTest::newRow("cards over several pieces") << many;
        // Pieces get smaller towards the end of the stream: a card longer than those is still one card.
        QTest::newRow("a long card among the last")
            << many + card("Long", "NOTE:" + QByteArray(3 << 20, 'x') + "\r\n") + card("Last", "CATEGORIES:X\r\n");
        QTest::newRow("a card longer than a piece") << card("Before", "CATEGORIES:X\r\n")
                + card("Long", "NOTE:" + QByteArray(9 << 20, 'x') + "\r\n") + card("After", "CATEGORIES:X,Y\r\n");
    }

    void readsADeviceLikeTheWholeStream()
    {
        QFETCH(QByteArray, stream);
        QBuffer device(&stream);
        QVERIFY(device.open(QIODevice::ReadOnly));
        GroupTable groups;
        const ContactTable read = ZQVCard().contactsFromVCardDevice(device, {}, &groups);
        // What reading the whole stream and grouping afterwards gives.
        const ContactTable whole = ZQVCard().contactsFromVCards(stream);
        const GroupTable expectedGroups = ZQVCard::makeGroupTableFromCategoriesOfContacts(whole);
        ZQVCard::convertCatetoriesToUniqueIds(whole, expectedGroups);

        QCOMPARE(names(read), names(whole));
        QSet<QString> ids;
        for (qsizetype i = 0; i < read.size(); ++i) {
            ids.insert(read.at(i)->uniqueId);
            QCOMPARE(read.at(i)->groupUniqueIds.size(), whole.at(i)->groupUniqueIds.size());
            if (i < 15000 && read.at(i)->uniqueId.size() < 6) // the first of copies keeps its UID
                QCOMPARE(read.at(i)->uniqueId, whole.at(i)->uniqueId);
        }
        QCOMPARE(ids.size(), read.size());
        QCOMPARE(groups.size(), expectedGroups.size());
        for (qsizetype i = 0; i < groups.size(); ++i) {
            QCOMPARE(groups.at(i)->groupName, expectedGroups.at(i)->groupName);
            QCOMPARE(groups.at(i)->contactTable.size(), expectedGroups.at(i)->contactTable.size());
        }
        QCOMPARE(groups.constFirst()->contactTable.size(), read.size());
    }

    void writingReportsEachBatchAndStopsWhenAsked()
    {
        QByteArray stream;
        for (int i = 0; i < 9000; ++i)
            stream += card("N" + QByteArray::number(i));
        const ContactTable contacts = ZQVCard().contactsFromVCards(stream);
        QList<qsizetype> reported;
        const QByteArray all =
            ZQVCard().vCardsFromContacts(contacts, {}, {}, [&](bool&, qsizetype index) { reported.append(index); });
        // After each batch, in order, the last one ending with the last contact.
        QVERIFY(reported.size() >= 2);
        QVERIFY(std::is_sorted(reported.cbegin(), reported.cend()));
        QCOMPARE(reported.constLast(), contacts.size() - 1);
        QCOMPARE(names(ZQVCard().contactsFromVCards(all)), names(contacts));

        // Stopped at the first report: what was written is the first batch, and nothing more.
        QBuffer device;
        QVERIFY(device.open(QIODevice::WriteOnly));
        const qint64 written =
            ZQVCard().writeVCards(device, contacts, {}, {}, [](bool& stop, qsizetype) { stop = true; });
        QCOMPARE(written, qint64(-1));
        QCOMPARE(ZQVCard().contactsFromVCards(device.data()).size(), reported.constFirst() + 1);
    }

    void givesCopiesOfACardTheirOwnIdentity()
    {
        const QByteArray copy = card("Same", "UID:1234\r\n");
        const ContactTable contacts = ZQVCard().contactsFromVCards(copy + copy + copy);
        QCOMPARE(contacts.size(), 3);
        QCOMPARE(contacts.first()->uniqueId, QStringLiteral("1234"));
        QVERIFY(contacts.at(1)->uniqueId != contacts.first()->uniqueId);
        QVERIFY(contacts.at(2)->uniqueId != contacts.at(1)->uniqueId);
        QCOMPARE(contacts.at(1)->person->uniqueId(), contacts.at(1)->uniqueId);
    }
};

QTEST_GUILESS_MAIN(TestZQVCard)
#include "tst_zqvcard.moc"
