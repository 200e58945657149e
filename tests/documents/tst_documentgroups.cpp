#include "DocumentTestFiles.h"
#include "documents/DocumentGroups.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;
using Quillary::Test::categoriesOf;
using Quillary::Test::FakeContactTableView;
using Quillary::Test::makeGroup;

namespace {

ContactEntryPtr makeContact(const QString& first)
{
    auto person = std::make_shared<PersonDsc>();
    NameValue name;
    name.firstName = first;
    person->setValue(name, Field::Name);
    return ContactEntry::make(person);
}

/// A collection with the top entry, Friends and Work, and two contacts.
ContactCollection sampleCollection()
{
    ContactCollection collection;
    collection.groupTable = {makeGroup(GroupText::AllContacts, GroupText::VCardAccount, true),
                             makeGroup(QStringLiteral("Friends")), makeGroup(QStringLiteral("Work"))};
    collection.selectedGroupDict = collection.groupTable.first();
    collection.contactTable = {makeContact(QStringLiteral("Ann")), makeContact(QStringLiteral("Bob"))};
    return collection;
}

QStringList namesOf(const GroupTable& groups)
{
    QStringList names;
    for (const GroupEntryPtr& group : groups)
        names.append(group->groupName);
    return names;
}

enum class Target { Friends, Work, Top, Selected, OtherAccount, SmartGroup };

} // namespace

Q_DECLARE_METATYPE(Target)

class TestDocumentGroups : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // New groups
    void newGroupName_data();
    void newGroupName();
    void threeNewGroups();
    void sameNameInOneSecondKeepsIdsUnique();

    // Renaming and deleting
    void renameKeepsIdsAndSavesNewName();
    void renameRefused_data();
    void renameRefused();
    void deleteSelectedGroup();
    void deleteOnlyThatGroup();
    void deleteRefused();
    void deletedGroupIsNotWritten();

    // Side bar and menus
    void containerTable();

    // Dropping contacts on a group
    void acceptsDrop_data();
    void acceptsDrop();
    void dropAddsContactsInOneStep();
};

void TestDocumentGroups::newGroupName_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << QStringList{} << "New";
    QTest::newRow("New taken") << QStringList{QStringLiteral("New")} << "New1";
    QTest::newRow("gap filled first") << QStringList{QStringLiteral("New"), QStringLiteral("New2")} << "New1";
    QTest::newRow("only numbered ones") << QStringList{QStringLiteral("New1")} << "New";
    QTest::newRow("by name, not by id") << QStringList{QStringLiteral("New (vCard)")} << "New";
}

void TestDocumentGroups::newGroupName()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, expected);
    GroupTable table{makeGroup(GroupText::AllContacts, GroupText::VCardAccount, true)};
    for (const QString& name : existing)
        table.append(makeGroup(name));
    QCOMPARE(DocumentGroups::newGroupName(table), expected);
}

void TestDocumentGroups::threeNewGroups()
{
    ContactDocument document;
    ContactCollection& collection = document.collection();
    QStringList groupIds;
    QSet<QString> uniqueIds;
    for (int i = 0; i < 3; ++i) {
        const GroupEntryPtr group = DocumentGroups::addGroup(collection);
        QCOMPARE(collection.selectedGroupDict, group);
        QVERIFY(group->dirty);
        QCOMPARE(group->remote, GroupText::VCardAccount);
        QVERIFY(group->uniqueId.startsWith(group->groupName + u'-'));
        groupIds.append(group->groupId);
        uniqueIds.insert(group->uniqueId);
    }
    QCOMPARE(namesOf(collection.groupTable).mid(1),
             (QStringList{QStringLiteral("New"), QStringLiteral("New1"), QStringLiteral("New2")}));
    QCOMPARE(
        groupIds,
        (QStringList{QStringLiteral("New (vCard)"), QStringLiteral("New1 (vCard)"), QStringLiteral("New2 (vCard)")}));
    QCOMPARE(uniqueIds.size(), 3);
    // Adding groups leaves no undo step.
    QVERIFY(!document.undoStack()->canUndo());
}

void TestDocumentGroups::sameNameInOneSecondKeepsIdsUnique()
{
    // A group New made, given a member, deleted and made again at once: the member must not join the
    // new group through an id that happens to be the same.
    ContactCollection collection = sampleCollection();
    const GroupEntryPtr first = DocumentGroups::addGroup(collection);
    collection.contactTable.first()->groupUniqueIds = {first->uniqueId};
    QVERIFY(DocumentGroups::deleteGroup(collection, first));
    const GroupEntryPtr second = DocumentGroups::addGroup(collection);
    QCOMPARE(second->groupName, QStringLiteral("New"));
    QVERIFY(second->uniqueId != first->uniqueId);

    // Renamed away, the name New is free again while the first group still has its id.
    QVERIFY(DocumentGroups::renameGroup(second, QStringLiteral("Family")));
    const GroupEntryPtr third = DocumentGroups::addGroup(collection);
    QCOMPARE(third->groupName, QStringLiteral("New"));
    QVERIFY(third->uniqueId != second->uniqueId);
    QVERIFY(third->uniqueId != first->uniqueId);
}

void TestDocumentGroups::renameKeepsIdsAndSavesNewName()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("groups.vcf"));
    Test::writeFile(path, Test::card(QStringLiteral("G-1"), QStringLiteral("Ann"), QStringLiteral("Able")));

    ContactDocument document;
    document.setAutosaveDelay(0);
    FakeContactTableView view;
    document.setView(&view);
    QVERIFY(!document.read(path).isError());
    ContactCollection& collection = document.collection();
    const GroupEntryPtr group = DocumentGroups::addGroup(collection);
    document.setAddressBookDirty(true);
    collection.contact(QStringLiteral("G-1"))->groupUniqueIds.append(group->uniqueId);
    QVERIFY(!document.save().isError());
    QCOMPARE(categoriesOf(Test::readFile(path), "G-1"), QByteArray("New"));

    const QString uniqueId = group->uniqueId;
    QVERIFY(DocumentGroups::renameGroup(group, QStringLiteral("Friends")));
    QCOMPARE(group->uniqueId, uniqueId);
    QCOMPARE(group->groupId, QStringLiteral("New (vCard)"));
    QVERIFY(group->dirty);
    document.setAddressBookDirty(true);
    QVERIFY(document.isModified());
    QVERIFY(!document.save().isError());
    QVERIFY(!document.isModified());
    QCOMPARE(categoriesOf(Test::readFile(path), "G-1"), QByteArray("Friends"));
}

void TestDocumentGroups::renameRefused_data()
{
    QTest::addColumn<bool>("top");
    QTest::addColumn<QString>("name");
    QTest::newRow("empty name") << false << "";
    QTest::newRow("same name") << false << "Friends";
    QTest::newRow("top entry") << true << "Everyone";
}

void TestDocumentGroups::renameRefused()
{
    QFETCH(bool, top);
    QFETCH(QString, name);
    ContactCollection collection = sampleCollection();
    const GroupEntryPtr group = collection.groupTable.at(top ? 0 : 1);
    const QString before = group->groupName;
    QVERIFY(!DocumentGroups::renameGroup(group, name));
    QCOMPARE(group->groupName, before);
    QVERIFY(!group->dirty);
}

void TestDocumentGroups::deleteSelectedGroup()
{
    ContactCollection collection = sampleCollection();
    const GroupEntryPtr friends = collection.groupTable.at(1);
    const GroupEntryPtr work = collection.groupTable.at(2);
    const ContactEntryPtr ann = collection.contactTable.first();
    ann->groupUniqueIds = {friends->uniqueId, work->uniqueId};
    collection.selectedGroupDict = friends;

    QVERIFY(DocumentGroups::deleteGroup(collection, friends));
    QCOMPARE(collection.selectedGroupDict, collection.topGroup());
    QCOMPARE(namesOf(collection.groupTable), (QStringList{GroupText::AllContacts, QStringLiteral("Work")}));
    // The members keep their other groups (and the old id, which names no group any more).
    QVERIFY(ann->groupUniqueIds.contains(work->uniqueId));
    QCOMPARE(collection.contactTable.size(), 2);
}

void TestDocumentGroups::deleteOnlyThatGroup()
{
    // A file's category may read like the title of a group made here: deleting one leaves the other.
    ContactCollection collection = sampleCollection();
    const GroupEntryPtr fromFile = makeGroup(QStringLiteral("New (vCard)"));
    collection.groupTable.append(fromFile);
    const GroupEntryPtr made = DocumentGroups::addGroup(collection);
    QCOMPARE(made->groupId, fromFile->groupId);
    QVERIFY(DocumentGroups::deleteGroup(collection, made));
    QVERIFY(collection.groupTable.contains(fromFile));
    QVERIFY(!collection.groupTable.contains(made));
}

void TestDocumentGroups::deleteRefused()
{
    ContactCollection collection = sampleCollection();
    const GroupEntryPtr other = makeGroup(QStringLiteral("Club"), QStringLiteral("Elsewhere"));
    collection.groupTable.append(other);
    QVERIFY(!DocumentGroups::deleteGroup(collection, collection.topGroup()));
    QVERIFY(!DocumentGroups::deleteGroup(collection, other));
    QVERIFY(!DocumentGroups::deleteGroup(collection, {}));
    QCOMPARE(collection.groupTable.size(), 4);
}

void TestDocumentGroups::deletedGroupIsNotWritten()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("groups.vcf"));
    Test::writeFile(path, Test::card(QStringLiteral("G-1"), QStringLiteral("Ann"), {}, QStringLiteral("Friends,Work")));
    ContactDocument document;
    document.setAutosaveDelay(0);
    QVERIFY(!document.read(path).isError());
    ContactCollection& collection = document.collection();
    const GroupEntryPtr friends = Test::groupById(collection, QStringLiteral("Friends"));
    QVERIFY(friends);
    collection.selectedGroupDict = friends;
    QVERIFY(DocumentGroups::deleteGroup(collection, friends));
    QVERIFY(!document.save().isError());
    QCOMPARE(categoriesOf(Test::readFile(path), "G-1"), QByteArray("Work"));
}

void TestDocumentGroups::containerTable()
{
    const GroupEntryPtr top = makeGroup(GroupText::AllContacts, QStringLiteral("vCard"), true);
    const GroupEntryPtr friends = makeGroup(QStringLiteral("Friends"));
    const GroupEntryPtr club = makeGroup(QStringLiteral("Club"), QStringLiteral("Server"));
    const GroupEntryPtr serverTop = makeGroup(QStringLiteral("All on Server"), QStringLiteral("Server"), true);
    const QList<GroupContainer> containers = DocumentGroups::containerTable({top, club, friends, serverTop});
    QCOMPARE(containers.size(), 2);
    QCOMPARE(containers.at(0).remote, QStringLiteral("vCard"));
    QCOMPARE(containers.at(0).groups, (GroupTable{top, friends}));
    QCOMPARE(containers.at(1).remote, QStringLiteral("Server"));
    QCOMPARE(containers.at(1).groups, (GroupTable{serverTop, club}));
}

void TestDocumentGroups::acceptsDrop_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<bool>("selectedIsTop");
    QTest::addColumn<bool>("editState");
    QTest::addColumn<bool>("fromSideBar");
    QTest::addColumn<bool>("onItem");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("group from all contacts") << Target::Friends << true << true << false << true << "0,1" << true;
    QTest::newRow("group from another group") << Target::Work << false << true << false << true << "1" << true;
    QTest::newRow("top entry from a group") << Target::Top << false << true << false << true << "0" << false;
    QTest::newRow("the selected group") << Target::Selected << false << true << false << true << "0" << false;
    QTest::newRow("not in edit mode") << Target::Friends << true << false << false << true << "0" << false;
    QTest::newRow("from the side bar") << Target::Friends << true << true << true << true << "0" << false;
    QTest::newRow("between rows") << Target::Friends << true << true << false << false << "0" << false;
    QTest::newRow("no row indexes") << Target::Friends << true << true << false << true << "" << false;
    QTest::newRow("unreadable row indexes") << Target::Friends << true << true << false << true << "x,y" << false;
    QTest::newRow("group of another account") << Target::OtherAccount << true << true << false << true << "0" << false;
    QTest::newRow("smart group") << Target::SmartGroup << true << true << false << true << "0" << false;
}

void TestDocumentGroups::acceptsDrop()
{
    QFETCH(Target, target);
    QFETCH(bool, selectedIsTop);
    QFETCH(bool, editState);
    QFETCH(bool, fromSideBar);
    QFETCH(bool, onItem);
    QFETCH(QString, rows);
    QFETCH(bool, accepted);

    ContactCollection collection = sampleCollection();
    const GroupEntryPtr other = makeGroup(QStringLiteral("Club"), QStringLiteral("Server"));
    const GroupEntryPtr smart = makeGroup(QStringLiteral("Recent"), QStringLiteral("Smart Group"));
    collection.groupTable << other << smart;
    collection.selectedGroupDict = collection.groupTable.at(selectedIsTop ? 0 : 1);
    const QMap<Target, GroupEntryPtr> targets{{Target::Friends, collection.groupTable.at(1)},
                                              {Target::Work, collection.groupTable.at(2)},
                                              {Target::Top, collection.groupTable.at(0)},
                                              {Target::Selected, collection.selectedGroupDict},
                                              {Target::OtherAccount, other},
                                              {Target::SmartGroup, smart}};
    const GroupEntryPtr targetGroup = targets.value(target);
    const DocumentGroups::DropContext context{editState, fromSideBar, onItem, rows};
    QCOMPARE(DocumentGroups::acceptsDrop(collection, targetGroup, context), accepted);
}

void TestDocumentGroups::dropAddsContactsInOneStep()
{
    ContactCollection collection = sampleCollection();
    UndoRegistry registry(collection);
    FakeContactTableView view(&registry);
    registry.setView(&view);
    const ContactEntryPtr ann = collection.contactTable.at(0);
    const ContactEntryPtr bob = collection.contactTable.at(1);
    // Two rows of Ann (a phone and an e-mail), one of Bob, and a row past the end.
    view.rows = {ann, ann, bob};
    const GroupEntryPtr work = collection.groupTable.at(2);

    DocumentGroups::addContactByStringIndexes(registry, QStringLiteral("0,1,2,9"), work);
    QCOMPARE(registry.undoStack()->count(), 1);
    QCOMPARE(ann->groupUniqueIds, QStringList{work->uniqueId});
    QCOMPARE(bob->groupUniqueIds, QStringList{work->uniqueId});
    registry.undoStack()->undo();
    QVERIFY(ann->groupUniqueIds.isEmpty());
    QVERIFY(bob->groupUniqueIds.isEmpty());
    QVERIFY(!ann->deleted && !bob->deleted);

    // Nothing to add leaves no step.
    DocumentGroups::addContactByStringIndexes(registry, QStringLiteral("9"), work);
    QVERIFY(registry.undoStack()->canRedo());
}

QTEST_MAIN(TestDocumentGroups)
#include "tst_documentgroups.moc"
