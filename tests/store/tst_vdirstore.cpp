#include "StoreFixture.h"
#include "model/addressbook/GroupCard.h"
#include "store/VdirStore.h"

#include <QFile>
#include <QTest>

#include <utime.h>

using namespace Quillary;
using Quillary::Test::StoreFixture;

namespace {

std::shared_ptr<AddressBook::Person> personOf(VdirStore& store, const QString& folder, const QString& uid)
{
    return store.account(folder)->book->person(uid);
}

} // namespace

class TestVdirStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void groupCard_data()
    {
        QTest::addColumn<QByteArray>("card");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("members");
        QTest::newRow("3.0 with folded member") << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Tennis\\, Club\r\n"
                                                              "X-ADDRESSBOOKSERVER-KIND:group\r\nX-ADDRESSBOOKSERVER-"
                                                              "MEMBER:urn:uuid:a\r\n  b\r\nUID:g1\r\nEND:VCARD\r\n")
                                                << QStringLiteral("Tennis, Club") << QStringList{"a b"};
        QTest::newRow("4.0 lower case, name from N")
            << QByteArray("begin:vcard\nversion:4.0\nn:Family\nkind:group\nmember:urn:uuid:x\nmember:y\nuid:g2\n"
                          "end:vcard\n")
            << QStringLiteral("Family") << QStringList{"x", "y"};
        QTest::newRow("a person is no group")
            << QByteArray("BEGIN:VCARD\nVERSION:3.0\nFN:Kind Person\nKIND:individual\nEND:VCARD\n") << QString()
            << QStringList();
    }
    void groupCard()
    {
        QFETCH(QByteArray, card);
        QFETCH(QString, name);
        QFETCH(QStringList, members);
        const std::optional<AddressBook::Group> group = AddressBook::GroupCard::read(card);
        QCOMPARE(group.has_value(), !name.isEmpty());
        if (!group)
            return;
        QCOMPARE(group->name(), name);
        QCOMPARE(group->memberIds(), members);
        // Written and read again, it is the same group.
        const std::optional<AddressBook::Group> again =
            AddressBook::GroupCard::read(AddressBook::GroupCard::write(*group));
        QCOMPARE(again->name(), name);
        QCOMPARE(again->memberIds(), members);
        QCOMPARE(again->uniqueId(), group->uniqueId());
    }

    void saveWritesOnlyWhatChanged()
    {
        StoreFixture fixture;
        fixture.writeTwoAccounts();
        const QMap<QString, QByteArray> before = fixture.cards();
        VdirStore store(fixture.root());
        QVERIFY(store.open());
        store.load();
        QVERIFY(store.skippedFiles().isEmpty());

        // Nothing changed, or changed and changed back: nothing is written.
        const auto ann = personOf(store, QStringLiteral("local"), QStringLiteral("ann"));
        ann->setValue(AddressBook::StringProperty::Organization, QStringLiteral("Acme"));
        ann->removeValue(AddressBook::StringProperty::Organization);
        QCOMPARE(store.save().written, 0);
        QCOMPARE(fixture.cards(), before);

        // One edit: one file, under its old name, its categories kept.
        ann->setValue(AddressBook::StringProperty::Organization, QStringLiteral("Acme"));
        const auto friends = store.account(QStringLiteral("local"))->book->group(QStringLiteral("friends"));
        friends->addMember(QStringLiteral("bob"));
        const VdirStore::SaveReport report = store.save();
        QVERIFY2(report.ok(), qPrintable(report.failures.join(u'\n')));
        QCOMPARE(report.written, 2);
        const QMap<QString, QByteArray> after = fixture.cards();
        QCOMPARE(after.keys(), before.keys());
        for (const QString& file : {QStringLiteral("local/bob.vcf"), QStringLiteral("work/carol.vcf")})
            QCOMPARE(after.value(file), before.value(file));
        QVERIFY(after.value("local/ann.vcf").contains("ORG:Acme"));
        QVERIFY(after.value("local/ann.vcf").contains("CATEGORIES:Tennis,Chess"));
        // The group card keeps the lines it does not state itself, and the member whose card is gone.
        const QByteArray group = after.value("local/friends.vcf");
        QVERIFY(group.contains("PRODID:-//Sync Tool//EN\r\n"));
        QCOMPARE(group.count("X-ADDRESSBOOKSERVER-MEMBER"), 3);
        QVERIFY(group.contains("urn:uuid:gone"));
    }

    void editOverAnotherProgramsChangeKeepsBoth()
    {
        StoreFixture fixture;
        fixture.writeTwoAccounts();
        VdirStore store(fixture.root());
        QVERIFY(store.open());
        store.load();
        const auto ann = personOf(store, QStringLiteral("local"), QStringLiteral("ann"));
        ann->setValue(AddressBook::StringProperty::Organization, QStringLiteral("Acme"));
        QVERIFY(store.save().ok());
        QCOMPARE(fixture.files(QStringLiteral("local/.trash")), QStringList());

        // A sync tool rewrites the card; the reload is declined and the contact edited again.
        const QByteArray theirs = StoreFixture::card(QStringLiteral("ann"), QStringLiteral("Ann"),
                                                     QStringLiteral("Lee"), "NOTE:from the server\n");
        fixture.write(QStringLiteral("local/ann.vcf"), theirs);
        ann->setValue(AddressBook::StringProperty::Organization, QStringLiteral("Initech"));
        QCOMPARE(store.save().written, 1);
        QVERIFY(fixture.read(QStringLiteral("local/ann.vcf")).contains("ORG:Initech"));
        QCOMPARE(fixture.files(QStringLiteral("local/.trash")), QStringList{"ann.vcf"});
        QVERIFY(fixture.read(QStringLiteral("local/.trash/ann.vcf")).contains("NOTE:from the server"));
    }

    void newAndRemovedRecords()
    {
        StoreFixture fixture;
        fixture.writeTwoAccounts();
        VdirStore store(fixture.root());
        QVERIFY(store.open());
        store.load();
        AddressBook::AddressBook& book = *store.account(QStringLiteral("work"))->book;
        auto dan = std::make_shared<AddressBook::Person>(QStringLiteral("dan/../x"));
        dan->setValue(AddressBook::StringProperty::FirstName, QStringLiteral("Dan"));
        book.addRecord(dan);
        book.removeRecord(book.person(QStringLiteral("carol")));
        const VdirStore::SaveReport report = store.save();
        QCOMPARE(report.written, 1);
        QCOMPARE(report.trashed, 1);
        // The unique id makes the name, made safe; the removed card waits in the trash.
        QCOMPARE(fixture.files(QStringLiteral("work")), (QStringList{"dan_.._x.vcf", "displayname"}));
        QCOMPARE(fixture.files(QStringLiteral("work/.trash")), QStringList{"carol.vcf"});

        // The trash counts from the move: a file changed long ago is kept, one moved long ago goes.
        fixture.write(QStringLiteral("work/.trash/old.vcf"), "old");
        const utimbuf longAgo{0, QDateTime::currentSecsSinceEpoch() - 31 * 24 * 3600};
        QCOMPARE(utime(QFile::encodeName(fixture.path("work/.trash/old.vcf")).constData(), &longAgo), 0);
        QCOMPARE(CardFolder::purgeTrash(fixture.path("work"), VdirStore::TrashDays), 1);
        QCOMPARE(fixture.files(QStringLiteral("work/.trash")), QStringList{"carol.vcf"});
    }

    void unreadableFilesAreSkippedAndKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not a card") << QByteArray("hello\n");
        QTest::newRow("two cards in one file")
            << QByteArray(StoreFixture::card("x", "X", "Y") + StoreFixture::card("z", "Z", "Y"));
        QTest::newRow("the unique id of another card") << StoreFixture::card("bob", "Other", "Bob");
    }
    void unreadableFilesAreSkippedAndKept()
    {
        QFETCH(QByteArray, content);
        StoreFixture fixture;
        fixture.writeTwoAccounts();
        fixture.write(QStringLiteral("local/zz-bad.vcf"), content);
        const QByteArray bytes = fixture.read(QStringLiteral("local/zz-bad.vcf"));
        VdirStore store(fixture.root());
        QVERIFY(store.open());
        store.load();
        QCOMPARE(store.skippedFiles().size(), 1);
        QVERIFY(store.skippedFiles().first().startsWith(QStringLiteral("local/zz-bad.vcf: ")));
        QCOMPARE(store.account(QStringLiteral("local"))->book->people().size(), 2);
        personOf(store, QStringLiteral("local"), QStringLiteral("bob"))
            ->setValue(AddressBook::StringProperty::Note, QStringLiteral("edited"));
        QVERIFY(store.save().ok());
        QCOMPARE(fixture.read(QStringLiteral("local/zz-bad.vcf")), bytes);
    }

    void secondStoreIsReadOnly()
    {
        StoreFixture fixture;
        VdirStore first(fixture.root());
        QVERIFY(first.open());
        QVERIFY(!first.isReadOnly());
        // A fresh store has an empty local account.
        QCOMPARE(fixture.read(QStringLiteral("local/displayname")), QByteArray("On My Computer"));
        VdirStore second(fixture.root());
        QVERIFY(second.open());
        QVERIFY(second.isReadOnly());
        QVERIFY(second.lockHolder().contains(QString::number(QCoreApplication::applicationPid())));
        second.load();
        QVERIFY(!second.save().ok());
        // A lock left by a process that is gone is taken over.
        first.close();
        fixture.write(QStringLiteral("quillary.lock"),
                      "999999999\ntst_vdirstore\n" + QSysInfo::machineHostName().toUtf8() + '\n'
                          + QSysInfo::machineUniqueId() + '\n' + QSysInfo::bootUniqueId() + '\n');
        VdirStore third(fixture.root());
        QVERIFY(third.open());
        QVERIFY(!third.isReadOnly());
    }

    void changesByOthersAreToldFromOwnWrites()
    {
        StoreFixture fixture;
        fixture.writeTwoAccounts();
        VdirStore store(fixture.root());
        QVERIFY(store.open());
        store.load();
        personOf(store, QStringLiteral("local"), QStringLiteral("bob"))
            ->setValue(AddressBook::StringProperty::Note, QStringLiteral("mine"));
        QVERIFY(store.save().ok());
        QCOMPARE(VdirStore::changesSince(store.snapshot()), QStringList());

        const VdirStore::Snapshot seen = store.snapshot();
        fixture.write(QStringLiteral("work/carol.vcf"),
                      StoreFixture::card(QStringLiteral("carol"), QStringLiteral("Caroline"), QStringLiteral("King")));
        QFile::remove(fixture.path(QStringLiteral("local/bob.vcf")));
        fixture.write(QStringLiteral("family/displayname"), "Family");
        QStringList changes = VdirStore::changesSince(seen);
        changes.sort();
        QCOMPARE(changes, (QStringList{"family/", "local/bob.vcf", "work/carol.vcf"}));
        QCOMPARE(store.stillChanged(changes), changes);

        // A reload reads what changed.
        store.load();
        QCOMPARE(store.accounts().size(), 3);
        QCOMPARE(personOf(store, QStringLiteral("work"), QStringLiteral("carol"))
                     ->value(AddressBook::StringProperty::FirstName),
                 QStringLiteral("Caroline"));
        QVERIFY(!personOf(store, QStringLiteral("local"), QStringLiteral("bob")));
        QCOMPARE(VdirStore::changesSince(store.snapshot()), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestVdirStore)
#include "tst_vdirstore.moc"
