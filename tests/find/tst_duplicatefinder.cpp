#include "TestSupport.h"
#include "documents/ContactFileReader.h"
#include "find/DuplicateFinder.h"

#include <QTest>

using namespace Quillary;
using namespace Qt::StringLiterals;

namespace {

/// "1,2 3,4": each group's members (from 1), for comparisons that show the grouping.
QString groupsText(const QList<DuplicateGroup>& groups)
{
    QStringList parts;
    for (const DuplicateGroup& group : groups) {
        QStringList members;
        for (const qsizetype member : group.members)
            members.append(QString::number(member + 1));
        parts.append(members.join(u','));
    }
    return parts.join(u' ');
}

ContactEntryPtr contact(const QString& first, const QString& last, const QString& email, const QString& phone,
                        const QString& company = {})
{
    auto person = std::make_shared<PersonDsc>();
    NameValue name;
    name.firstName = first;
    name.lastName = last;
    person->setValue(name, Field::Name);
    if (!email.isEmpty())
        person->replaceLabeledValue(LabeledValueList{LabeledValue::withText(u"home"_s, email)}, Field::Email);
    if (!phone.isEmpty())
        person->replaceLabeledValue(LabeledValueList{LabeledValue::withText(u"work"_s, phone)}, Field::Phone);
    person->setStringValue(company, Field::Company);
    return ContactEntry::make(person);
}

} // namespace

class TestDuplicateFinder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void phoneKey_data()
    {
        Test::addColumns<QString, QString>("number", "expected");
        const auto row = [](const char* name, const char* number, const char* expected) {
            QTest::newRow(name) << QString::fromUtf8(number) << QString::fromUtf8(expected);
        };
        row("international", "+81 90-1111-2222", "9011112222");
        row("national with trunk prefix", "090 1111 2222", "9011112222");
        row("00 instead of +", "0081 (90) 1111 2222", "9011112222");
        row("shorter code wins", "+1 242 555 0123", "2425550123");
        row("extension left out", "+1 (212) 555-0100 ext. 12", "2125550100");
        row("too short", "110", "");
        row("full-width digits", "０９０１１１１２２２２", "9011112222");
    }
    void phoneKey()
    {
        const DuplicateKeys keys(QSet<QString>{u"1"_s, u"1242"_s, u"81"_s});
        QFETCH(QString, number);
        QTEST(keys.phoneKey(number), "expected");
    }

    void emailKey_data()
    {
        Test::addColumns<QString, QString>("address", "expected");
        QTest::newRow("case and blanks") << u" Anna@Example.COM "_s << u"anna@example.com"_s;
        QTest::newRow("no address") << u"anna"_s << QString();
    }
    void emailKey()
    {
        QFETCH(QString, address);
        QTEST(DuplicateKeys::emailKey(address), "expected");
    }

    void nameKey_data()
    {
        Test::addColumns<QStringList, QStringList, bool>("a", "b", "same");
        QTest::newRow("case") << QStringList{"Anna", "Smith"} << QStringList{"ANNA", "smith"} << true;
        QTest::newRow("either order") << QStringList{"Anna", "Smith"} << QStringList{"Smith", "Anna"} << true;
        QTest::newRow("width and kana") << QStringList{"ﾀﾛｳ", "ｱﾝﾄﾞｳ"} << QStringList{"たろう", "アンドウ"} << true;
        QTest::newRow("another person") << QStringList{"Anna", "Smith"} << QStringList{"Anne", "Smith"} << false;
        QTest::newRow("one part only") << QStringList{"Anna", ""} << QStringList{"Anna", ""} << false;
    }
    void nameKey()
    {
        QFETCH(QStringList, a);
        QFETCH(QStringList, b);
        const QString keyA = DuplicateKeys::nameKey(a.at(0), a.at(1));
        QTEST(!keyA.isEmpty() && keyA == DuplicateKeys::nameKey(b.at(0), b.at(1)), "same");
    }

    void groupsOfAFile()
    {
        const auto result = ContactFileReader::read(Test::dataPath(u"find/findmerge.vcf"_s));
        QVERIFY(result.ok());
        const QList<DuplicateGroup> groups = DuplicateFinder().findGroups(result.contacts);
        // Bob Jones shares only the company with Anna Smith.
        QCOMPARE(groupsText(groups), u"1,2 3,4"_s);
        QCOMPARE(groups.first().reasonText(), u"email anna@example.com; phone +81 90-1111-2222; name Anna Smith"_s);
        result.contacts.at(1)->deleted = true;
        QCOMPARE(groupsText(DuplicateFinder().findGroups(result.contacts)), u"3,4"_s);
    }

    void everyPlantedPairIsFound()
    {
        // Distinct people, then for every tenth one a second card written differently.
        ContactTable contacts;
        QStringList expected;
        for (int i = 0; i < 2000; ++i) {
            const QString n = QString::number(i);
            contacts.append(contact(u"First" + n, u"Last" + n, u"person" + n + u"@example.com",
                                    u"+81 3 %1"_s.arg(10000000 + i), u"Acme"_s));
        }
        for (int i = 0; i < 2000; i += 10) {
            const QString n = QString::number(i);
            const int kind = i / 10 % 3;
            contacts.append(contact(kind == 2 ? u"LAST" + n : QString(), kind == 2 ? u"first" + n : QString(),
                                    kind == 0 ? u"PERSON" + n + u"@EXAMPLE.COM" : QString(),
                                    kind == 1 ? u"03-%1"_s.arg(10000000 + i) : QString()));
            expected.append(u"%1,%2"_s.arg(i + 1).arg(contacts.size()));
        }
        QCOMPARE(groupsText(DuplicateFinder().findGroups(contacts)), expected.join(u' '));
    }
};

QTEST_GUILESS_MAIN(TestDuplicateFinder)
#include "tst_duplicatefinder.moc"
