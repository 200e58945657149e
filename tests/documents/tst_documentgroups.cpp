#include "DocumentTestFiles.h"
#include "TestSupport.h"
#include "documents/DocumentGroups.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;
using namespace Qt::StringLiterals;
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
    collection.groupTable = {makeGroup(GroupText::AllContacts, GroupText::VCardAccount, true), makeGroup(u"Friends"_s),
                             makeGroup(u"Work"_s)};
    collection.selectedGroupDict = collection.groupTable.first();
    collection.contactTable = {makeContact(u"Ann"_s), makeContact(u"Bob"_s)};
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
    void newGroupName_data()
    {
        Test::addColumns<QStringList, QString>("existing", "expected");
        QTest::newRow("none") << QStringList{} << "New";
        QTest::newRow("New taken") << QStringList{u"New"_s} << "New1";
        QTest::newRow("gap filled first") << QStringList{u"New"_s, u"New2"_s} << "New1";
        QTest::newRow("only numbered ones") << QStringList{u"New1"_s} << "New";
        QTest::newRow("by name, not by id") << QStringList{u"New (vCard)"_s} << "New";
    }
    void newGroupName()
    {
        QFETCH(QStringList, existing);
        GroupTable table{makeGroup(GroupText::AllContacts, GroupText::VCardAccount, true)};
        for (const QString& name : existing)
            table.append(makeGroup(name));
        QTEST(DocumentGroups::newGroupName(table), "expected");
    }

    void threeNewGroups()
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
        QCOMPARE(namesOf(collection.groupTable).mid(1), (QStringList{u"New"_s, u"New1"_s, u"New2"_s}));
        QCOMPARE(groupIds, (QStringList{u"New (vCard)"_s, u"New1 (vCard)"_s, u"New2 (vCard)"_s}));
        QCOMPARE(uniqueIds.size(), 3);
        // Adding groups leaves no undo step.
        QVERIFY(!document.undoStack()->canUndo());
    }

    void sameNameInOneSecondKeepsIdsUnique()
    {
        // A group New made, given a member, deleted and made again at once: the member must not join the
        // new group through an id that happens to be the same.
        ContactCollection collection = sampleCollection();
        const GroupEntryPtr first = DocumentGroups::addGroup(collection);
        collection.contactTable.first()->groupUniqueIds = {first->uniqueId};
        QVERIFY(DocumentGroups::deleteGroup(collection, first));
        const GroupEntryPtr second = DocumentGroups::addGroup(collection);
        QCOMPARE(second->groupName, u"New"_s);
        QVERIFY(second->uniqueId != first->uniqueId);

        // Renamed away, the name New is free again while the first group still has its id.
        QVERIFY(DocumentGroups::renameGroup(second, u"Family"_s));
        const GroupEntryPtr third = DocumentGroups::addGroup(collection);
        QCOMPARE(third->groupName, u"New"_s);
        QVERIFY(third->uniqueId != second->uniqueId);
        QVERIFY(third->uniqueId != first->uniqueId);
    }

    // Renaming and deleting
    void renamedAndDeletedGroupsAreSaved()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"groups.vcf"_s);
        Test::writeFile(path, Test::card(u"G-1"_s, u"Ann"_s, {}, u"Friends,Work"_s));
        ContactDocument document;
        document.setAutosaveDelay(0);
        QVERIFY(!document.read(path).isError());
        ContactCollection& collection = document.collection();
        const GroupEntryPtr group = DocumentGroups::addGroup(collection);
        collection.contact(u"G-1"_s)->groupUniqueIds.append(group->uniqueId);
        document.setAddressBookDirty(true);
        QVERIFY(!document.save().isError());
        QCOMPARE(categoriesOf(Test::readFile(path), "G-1"), QByteArray("Friends,Work,New"));

        const QString uniqueId = group->uniqueId;
        QVERIFY(DocumentGroups::renameGroup(group, u"Family"_s));
        QCOMPARE(group->uniqueId, uniqueId);
        QCOMPARE(group->groupId, u"New (vCard)"_s);
        QVERIFY(group->dirty);
        // A deleted group, the selected one here, is written no more.
        collection.selectedGroupDict = Test::groupById(collection, u"Friends"_s);
        QVERIFY(DocumentGroups::deleteGroup(collection, collection.selectedGroupDict));
        document.setAddressBookDirty(true);
        QVERIFY(!document.save().isError());
        QVERIFY(!document.isModified());
        QCOMPARE(categoriesOf(Test::readFile(path), "G-1"), QByteArray("Work,Family"));
    }

    void renameRefused_data()
    {
        Test::addColumns<bool, QString>("top", "name");
        QTest::newRow("same name") << false << "Friends";
        QTest::newRow("top entry") << true << "Everyone";
    }
    void renameRefused()
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

    void deleteSelectedGroup()
    {
        ContactCollection collection = sampleCollection();
        const GroupEntryPtr friends = collection.groupTable.at(1);
        const GroupEntryPtr work = collection.groupTable.at(2);
        const ContactEntryPtr ann = collection.contactTable.first();
        ann->groupUniqueIds = {friends->uniqueId, work->uniqueId};
        collection.selectedGroupDict = friends;

        QVERIFY(DocumentGroups::deleteGroup(collection, friends));
        QCOMPARE(collection.selectedGroupDict, collection.topGroup());
        QCOMPARE(namesOf(collection.groupTable), (QStringList{GroupText::AllContacts, u"Work"_s}));
        // The members keep their other groups (and the old id, which names no group any more).
        QVERIFY(ann->groupUniqueIds.contains(work->uniqueId));
        QCOMPARE(collection.contactTable.size(), 2);
    }

    void deleteOnlyThatGroup()
    {
        // A file's category may read like the title of a group made here: deleting one leaves the other.
        ContactCollection collection = sampleCollection();
        const GroupEntryPtr fromFile = makeGroup(u"New (vCard)"_s);
        collection.groupTable.append(fromFile);
        const GroupEntryPtr made = DocumentGroups::addGroup(collection);
        QCOMPARE(made->groupId, fromFile->groupId);
        QVERIFY(DocumentGroups::deleteGroup(collection, made));
        QVERIFY(collection.groupTable.contains(fromFile));
        QVERIFY(!collection.groupTable.contains(made));
    }

    void deleteRefused()
    {
        ContactCollection collection = sampleCollection();
        const GroupEntryPtr other = makeGroup(u"Club"_s, u"Elsewhere"_s);
        collection.groupTable.append(other);
        QVERIFY(!DocumentGroups::deleteGroup(collection, collection.topGroup()));
        QVERIFY(!DocumentGroups::deleteGroup(collection, other));
        QVERIFY(!DocumentGroups::deleteGroup(collection, {}));
        QCOMPARE(collection.groupTable.size(), 4);
    }

    // Side bar and menus
    void containerTable()
    {
        const GroupEntryPtr top = makeGroup(GroupText::AllContacts, u"vCard"_s, true);
        const GroupEntryPtr friends = makeGroup(u"Friends"_s);
        const GroupEntryPtr club = makeGroup(u"Club"_s, u"Server"_s);
        const GroupEntryPtr serverTop = makeGroup(u"All on Server"_s, u"Server"_s, true);
        const QList<GroupContainer> containers = DocumentGroups::containerTable({top, club, friends, serverTop});
        QCOMPARE(containers.size(), 2);
        QCOMPARE(containers.at(0).remote, u"vCard"_s);
        QCOMPARE(containers.at(0).groups, (GroupTable{top, friends}));
        QCOMPARE(containers.at(1).remote, u"Server"_s);
        QCOMPARE(containers.at(1).groups, (GroupTable{serverTop, club}));
    }

    // Dropping contacts on a group
    void acceptsDrop_data()
    {
        Test::addColumns<Target, bool, bool, bool, bool, QString, bool>("target", "selectedIsTop", "editState",
                                                                        "fromSideBar", "onItem", "rows", "accepted");

        QTest::newRow("group from all contacts") << Target::Friends << true << true << false << true << "0,1" << true;
        QTest::newRow("group from another group") << Target::Work << false << true << false << true << "1" << true;
        QTest::newRow("top entry from a group") << Target::Top << false << true << false << true << "0" << false;
        QTest::newRow("the selected group") << Target::Selected << false << true << false << true << "0" << false;
        QTest::newRow("not in edit mode") << Target::Friends << true << false << false << true << "0" << false;
        QTest::newRow("from the side bar") << Target::Friends << true << true << true << true << "0" << false;
        QTest::newRow("between rows") << Target::Friends << true << true << false << false << "0" << false;
        QTest::newRow("no row indexes") << Target::Friends << true << true << false << true << "" << false;
        QTest::newRow("unreadable row indexes") << Target::Friends << true << true << false << true << "x,y" << false;
        QTest::newRow("group of another account")
            << Target::OtherAccount << true << true << false << true << "0" << false;
        QTest::newRow("smart group") << Target::SmartGroup << true << true << false << true << "0" << false;
    }
    void acceptsDrop()
    {
        QFETCH(Target, target);
        QFETCH(bool, selectedIsTop);
        QFETCH(bool, editState);
        QFETCH(bool, fromSideBar);
        QFETCH(bool, onItem);
        QFETCH(QString, rows);

        ContactCollection collection = sampleCollection();
        const GroupEntryPtr other = makeGroup(u"Club"_s, u"Server"_s);
        const GroupEntryPtr smart = makeGroup(u"Recent"_s, u"Smart Group"_s);
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
        QTEST(DocumentGroups::acceptsDrop(collection, targetGroup, context), "accepted");
    }

    void dropAddsContactsInOneStep()
    {
        ContactCollection collection = sampleCollection();
        UndoRegistry registry(collection);
        FakeContactTableView view(&registry);
        registry.setView(&view);
        const ContactEntryPtr ann = collection.contactTable.at(0);
        const ContactEntryPtr bob = collection.contactTable.at(1);
        // Two rows of Ann (a phone and an e-mail), one of Bob, and a row past the end.
        view.rows = {ann, ann, bob};
        const GroupEntryPtr friends = collection.groupTable.at(1);
        const GroupEntryPtr work = collection.groupTable.at(2);
        ann->groupUniqueIds = {friends->uniqueId};
        const QString annId = ann->uniqueId;

        DocumentGroups::addContactByStringIndexes(registry, u"0,1,2,9"_s, work);
        QCOMPARE(registry.undoStack()->count(), 1);
        QCOMPARE(ann->groupUniqueIds, (QStringList{friends->uniqueId, work->uniqueId}));
        QCOMPARE(bob->groupUniqueIds, QStringList{work->uniqueId});
        // Undone, they leave the group, not the document, and keep their other groups and identity.
        registry.undoStack()->undo();
        QCOMPARE(ann->groupUniqueIds, QStringList{friends->uniqueId});
        QVERIFY(bob->groupUniqueIds.isEmpty());
        QVERIFY(!ann->deleted && !bob->deleted);
        QCOMPARE(ann->uniqueId, annId);
        QCOMPARE(collection.liveContacts().size(), 2);

        // Nothing to add leaves no step.
        DocumentGroups::addContactByStringIndexes(registry, u"9"_s, work);
        QVERIFY(registry.undoStack()->canRedo());
    }
};

QTEST_MAIN(TestDocumentGroups)
#include "tst_documentgroups.moc"
