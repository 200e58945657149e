#include "StoreFixture.h"
#include "documents/AddressBookOwner.h"
#include "documents/Preferences.h"
#include "model/AddressFormats.h"
#include "model/UserAddressFormats.h"
#include "table/TableRows.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;
using Quillary::Test::StoreFixture;

namespace {

QStringList groupIds(const GroupTable& groups)
{
    QStringList ids;
    for (const GroupEntryPtr& group : groups)
        ids.append(group->groupId);
    return ids;
}

/// The unique ids of the contacts a group shows, in table order.
QStringList shownIn(const AddressBookOwner& owner, const QString& groupId)
{
    QStringList shown;
    for (const GroupEntryPtr& group : owner.collection().groupTable) {
        if (group->groupId != groupId)
            continue;
        for (const ContactEntryPtr& contact : owner.collection().contactTable) {
            if (TableRows::isShownInGroup(*contact, *group))
                shown.append(contact->uniqueId);
        }
    }
    return shown;
}

} // namespace

class TestAddressBookOwner : public QObject
{
    Q_OBJECT

    QTemporaryDir m_settingsDir;
    std::unique_ptr<Preferences> m_preferences;

private Q_SLOTS:
    void init()
    {
        qunsetenv("QUILLARY_ADDRESSBOOK");
        m_preferences = std::make_unique<Preferences>(m_settingsDir.filePath(QStringLiteral("settings.ini")));
        m_preferences->restoreDefaults();
    }

    void emptyStore()
    {
        StoreFixture fixture;
        AddressBookOwner owner(*m_preferences);
        QVERIFY(owner.open(fixture.root()));
        QCOMPARE(groupIds(owner.collection().groupTable), QStringList{"All Contacts (On My Computer)"});
        QCOMPARE(owner.collection().selectedGroupDict, owner.collection().groupTable.first());
        QCOMPARE(owner.collection().defaultAccount, QStringLiteral("On My Computer"));
        QVERIFY(!owner.isModified());
        QVERIFY(!owner.isReadOnly());
    }

    void accountsAndGroups()
    {
        StoreFixture fixture;
        fixture.writeTwoAccounts();
        // A second account named "Work", and one without a name, known by its folder.
        fixture.write(QStringLiteral("work2/displayname"), "Work");
        fixture.write(QStringLiteral("work2/a.vcf"),
                      StoreFixture::card(QStringLiteral("dan"), QStringLiteral("Dan"), QStringLiteral("Bell")));
        fixture.write(QStringLiteral("zeta/b.vcf"),
                      StoreFixture::card(QStringLiteral("eve"), QStringLiteral("Eve"), QStringLiteral("Ash")));
        fixture.write(QStringLiteral("local/aaa.vcf"),
                      "BEGIN:VCARD\nVERSION:3.0\nFN:Aardvarks\nX-ADDRESSBOOKSERVER-KIND:group\nUID:aa\nEND:VCARD\n");
        AddressBookOwner owner(*m_preferences);
        QVERIFY(owner.open(fixture.root()));
        // Sorted by account and group id, each account's "All Contacts" first.
        QCOMPARE(groupIds(owner.collection().groupTable),
                 (QStringList{"All Contacts (On My Computer)", "Aardvarks (On My Computer)", "Friends (On My Computer)",
                              "All Contacts (Work)", "All Contacts (Work 01)", "All Contacts (zeta)"}));
        QCOMPARE(shownIn(owner, "All Contacts (On My Computer)"), (QStringList{"ann", "bob"}));
        QCOMPARE(shownIn(owner, "Friends (On My Computer)"), QStringList{"ann"});
        QCOMPARE(shownIn(owner, "All Contacts (Work 01)"), QStringList{"dan"});
        // CATEGORIES stay on the card and make no group.
        QVERIFY(!groupIds(owner.collection().groupTable).join(u' ').contains(QStringLiteral("Tennis")));
    }

    void editsCountAndUndoToSaved()
    {
        StoreFixture fixture;
        fixture.writeTwoAccounts();
        AddressBookOwner owner(*m_preferences);
        QVERIFY(owner.open(fixture.root()));
        const ContactEntryPtr bob = owner.collection().contact(QStringLiteral("bob"));
        QVERIFY(owner.undoRegistry().undoReplaceStringValue(QStringLiteral("Acme"), Field::Company, bob));
        QVERIFY(owner.undoRegistry().undoReplaceStringValue(QStringLiteral("Acme Ltd"), Field::Company, bob));
        QCOMPARE(owner.changeCount(), 2);
        owner.undoStack()->undo();
        owner.undoStack()->undo();
        QCOMPARE(owner.changeCount(), 0);
        QVERIFY(!owner.isModified());
        owner.undoStack()->redo();
        QVERIFY(owner.isModified());
        // A group change is not undone with the edits.
        owner.undoStack()->undo();
        owner.addGroup();
        QVERIFY(owner.isModified());

        // Saving with nothing pending writes nothing.
        AddressBookOwner clean(*m_preferences);
        QVERIFY(clean.open(fixture.root()));
        QCOMPARE(clean.saveAddressBook().written, 0);
    }

    void addDeleteAndSave()
    {
        StoreFixture fixture;
        fixture.writeTwoAccounts();
        AddressBookOwner owner(*m_preferences);
        QVERIFY(owner.open(fixture.root()));
        owner.collection().selectedGroupDict = owner.addGroup();
        auto person = std::make_shared<PersonDsc>();
        person->setStringValue(QStringLiteral("Zed"), Field::Nickname);
        const ContactEntryPtr zed = ContactEntry::make(person);
        owner.importContacts({zed});
        const ContactEntryPtr bob = owner.collection().contact(QStringLiteral("bob"));
        owner.undoRegistry().undoDeleteContacts({bob}, owner.collection().groupTable.first(), true, true);
        // Undone before the save, the same contact comes back; done again, its file goes to the trash.
        owner.undoStack()->undo();
        QCOMPARE(owner.collection().contact(QStringLiteral("bob")), bob);
        QVERIFY(!bob->deleted);
        owner.undoStack()->redo();
        const VdirStore::SaveReport report = owner.saveAddressBook();
        QVERIFY2(report.ok(), qPrintable(report.failures.join(u'\n')));
        QVERIFY(!owner.isModified());
        QCOMPARE(fixture.files(QStringLiteral("local/.trash")), QStringList{"bob.vcf"});
        const QByteArray zedCard = fixture.read(QStringLiteral("local/") + zed->uniqueId + QStringLiteral(".vcf"));
        QVERIFY(zedCard.contains("NICKNAME:Zed"));
        // The new group's card names its new member.
        const QMap<QString, QByteArray> cards = fixture.cards();
        const auto group = std::find_if(cards.cbegin(), cards.cend(),
                                        [](const QByteArray& card) { return card.contains("FN:New\r\n"); });
        QVERIFY(group != cards.cend());
        QVERIFY(
            QByteArray(*group).replace("\r\n ", "").contains(QByteArray("MEMBER:urn:uuid:" + zed->uniqueId.toUtf8())));

        // A reload reads it all back, the selection kept.
        owner.reloadAddressBook();
        QCOMPARE(owner.collection().selectedGroupDict->groupId, QStringLiteral("New (On My Computer)"));
        QCOMPARE(shownIn(owner, QStringLiteral("New (On My Computer)")), QStringList{zed->uniqueId});
        QVERIFY(!owner.collection().contact(QStringLiteral("bob")));
    }

    void userAddressFormats_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("formatOfXX");
        using Outcome = UserAddressFormats::Outcome;
        QTest::newRow("no file") << QByteArray() << int(Outcome::NoFile) << QString();
        QTest::newRow("an entry") << QByteArray(
            R"({"AddressFormat": [{"CountryCode": "XX", "formatString": "City Street"}]})")
                                  << int(Outcome::Applied) << "City Street";
        QTest::newRow("no entry") << QByteArray(R"({"AddressFormat": []})") << int(Outcome::Unreadable) << QString();
        QTest::newRow("not JSON") << QByteArray("{\"AddressFormat\": [") << int(Outcome::Unreadable) << QString();
        QTest::newRow("an entry without a code")
            << QByteArray(R"({"AddressFormat": [{"formatString": "City"}]})") << int(Outcome::Unreadable) << QString();
    }
    void userAddressFormats()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, outcome);
        QFETCH(QString, formatOfXX);
        const QString file = m_settingsDir.filePath(QStringLiteral("AddressFormat.json"));
        QFile::remove(file);
        if (!json.isEmpty()) {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(json);
        }
        QCOMPARE(int(UserAddressFormats::apply(file)), outcome);
        QCOMPARE(AddressFormats::addressFormatDict().value(QStringLiteral("XX")).formatString, formatOfXX);
        // The built-in table is still there beside the user's entries.
        QVERIFY(AddressFormats::addressFormatDict().contains(QStringLiteral("JP")));
        QHash<QString, AddressFormatEntry> dict = AddressFormats::addressFormatDict();
        dict.remove(QStringLiteral("XX"));
        AddressFormats::setAddressFormatDict(dict);
    }

    void smartGroupFinds_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("found");
        const int insensitive = int(SmartGroup::Mode::CaseInsensitive);
        QTest::newRow("any field") << "All"
                                   << "All"
                                   << "555-01" << insensitive << QStringList{"ann", "carol"};
        QTest::newRow("case ignored in the name") << "Name"
                                                  << "All"
                                                  << "BOB" << insensitive << QStringList{"bob"};
        QTest::newRow("case kept") << "Name"
                                   << "All"
                                   << "BOB" << int(SmartGroup::Mode::CaseSensitive) << QStringList();
        QTest::newRow("label") << "Phone"
                               << "mobile"
                               << "555" << insensitive << QStringList{"ann"};
        QTest::newRow("regular expression") << "Email"
                                            << "All"
                                            << "^bob@.*\\.com$" << int(SmartGroup::Mode::Regex) << QStringList{"bob"};
        QTest::newRow("broken expression") << "All"
                                           << "All"
                                           << "(" << int(SmartGroup::Mode::Regex) << QStringList();
    }
    void smartGroupFinds()
    {
        QFETCH(QString, field);
        QFETCH(QString, label);
        QFETCH(QString, text);
        QFETCH(int, mode);
        QFETCH(QStringList, found);
        StoreFixture fixture;
        fixture.writeTwoAccounts();
        AddressBookOwner owner(*m_preferences);
        QVERIFY(owner.open(fixture.root()));
        owner.addSmartGroup({{}, QStringLiteral("Found"), field, label, text, SmartGroup::Mode(mode)});
        QCOMPARE(shownIn(owner, QStringLiteral("Found (Smart Group)")), found);
        // Kept in the settings, it is there at the next start.
        AddressBookOwner again(*m_preferences);
        QVERIFY(again.open(fixture.root()));
        QCOMPARE(shownIn(again, QStringLiteral("Found (Smart Group)")), found);
    }
};

QTEST_GUILESS_MAIN(TestAddressBookOwner)
#include "tst_addressbookowner.moc"
