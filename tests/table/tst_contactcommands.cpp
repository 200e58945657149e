// The commands on whole contacts: adding, deleting, duplicating, what copies and drags carry and
// what drops and pastes take, the enabling rules, phone formats, export names and workspace links.

#include "CellEditingFixture.h"
#include "TestSupport.h"
#include "support/PrivateFiles.h"
#include "table/ContactCommands.h"
#include "table/ContactMenuValidation.h"
#include "table/ContactPasteboard.h"
#include "table/TextTransforms.h"
#include "table/WorkspaceActions.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include <memory>

using namespace Quillary;
using namespace Quillary::Test;
using namespace Qt::StringLiterals;
using ContactMenuValidation::Action;

class TestContactCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void deleteContacts_data()
    {
        // rows: as table rows of Bob (0), Carol (1) by name
        Test::addColumns<QString, QList<int>, QString, QString, int>("groupAccount", "rows", "message", "informative",
                                                                     "steps");
        QTest::newRow("two, undoable") << GroupText::VCardAccount << QList<int>{0, 1}
                                       << "Do you want to remove multiple contacts?" << QString() << 1;
        QTest::newRow("another account") << u"Exchange"_s << QList<int>{0} << "Do you want to remove the contact?"
                                         << "This operation can't be undone." << 0;
    }
    void deleteContacts()
    {
        QFETCH(QString, groupAccount);
        QFETCH(QList<int>, rows);
        QFETCH(int, steps);
        CellEditingFixture fixture({Field::Phone});
        fixture.document.collection().topGroup()->remote = groupAccount;
        const QList<int> names{fixture.row(Bob), fixture.row(Carol)};
        QList<int> selected;
        for (int index : rows)
            selected.append(names.at(index));
        // The clicked row joins the selection; a table always has one, so one alone is the one clicked.
        fixture.select(selected.size() > 1 ? selected.mid(1) : selected);
        ContactCommands commands(*fixture.controller);
        const auto request = commands.deleteRequest(selected.first());
        QVERIFY(request);
        QTEST(request->messageText, "message");
        QTEST(request->informativeText, "informative");
        commands.deleteContacts(*request);
        QCOMPARE(fixture.row(Bob), -1);
        QCOMPARE(fixture.undoSteps(), steps);
        fixture.document.undoStack()->undo();
        QCOMPARE(fixture.row(Bob) >= 0, steps == 1);
    }

    void duplicateAndUndo()
    {
        CellEditingFixture fixture({Field::Phone});
        fixture.select({fixture.row(Alice, 0), fixture.row(Alice, 1)});
        ContactCommands commands(*fixture.controller);
        QVERIFY(commands.asksMultipleFirst(-1));
        fixture.controller->setEditState(false);
        QVERIFY(commands.duplicateContacts(-1).isEmpty());
        fixture.controller->setEditState(true);
        fixture.select({fixture.row(Alice, 0), fixture.row(Alice, 1)});
        const ContactTable copies = commands.duplicateContacts(-1);
        QCOMPARE(copies.size(), 1);
        QVERIFY(copies.first()->uniqueId != fixture.document.collection().contactTable.first()->uniqueId);
        QCOMPARE(copies.first()->person->phoneValues(), fixture.person(Alice).phoneValues());
        QCOMPARE(fixture.document.collection().liveContacts().size(), 5);
    }

    void copyRowsAndCards()
    {
        CellEditingFixture fixture({Field::Phone});
        const ContactEntryPtr alice = fixture.controller->subContactTable().at(fixture.row(Alice)).contact;
        fixture.document.undoRegistry().undoAddLabeledValue(LabeledValue::withText(u"other"_s, "999"), Field::Phone,
                                                            alice);
        const QList<int> rows{fixture.row(Alice, 0), fixture.row(Alice, 1), fixture.row(Alice, 2)};
        QCOMPARE(ContactPasteboard::copyText(*fixture.controller, rows, u"\t"_s),
                 u"\"Alice Archer\"\thome:111\n\"Alice Archer\"\twork:222\n\"Alice Archer\"\tother:999"_s);
        QCOMPARE(ContactPasteboard::copyText(*fixture.controller, {rows.first()}, u", "_s),
                 u"\"Alice Archer\", home:111"_s);
        const ContactPasteboard::Payload card = ContactPasteboard::copyAsVCard(*fixture.controller, rows);
        QCOMPARE(card.vCard.count("BEGIN:VCARD"), 1);
        QCOMPARE(card.plainText, QString::fromUtf8(card.vCard));
        QCOMPARE(card.fileName, u"Alice Archer.vcf"_s);
    }

    void dragCarriesOneCardPerContactInAPrivateFile()
    {
        CellEditingFixture fixture({Field::Phone});
        const QList<int> rows{fixture.row(Alice, 1), fixture.row(Alice, 0)};
        const ContactPasteboard::Payload payload = ContactPasteboard::dragPayload(*fixture.controller, rows);
        QCOMPARE(payload.vCard.count("BEGIN:VCARD"), 1);
        QCOMPARE(payload.rowIndexes, u"%1,%2"_s.arg(rows.at(1)).arg(rows.at(0)));
        QVERIFY(payload.plainText.startsWith(u"\"Alice Archer\"\t"_s));
        std::unique_ptr<QMimeData> data(ContactPasteboard::mimeData(payload));
        for (const char* type : {"text/vcard", "text/x-vcard", "text/directory", "text/plain", "text/uri-list",
                                 "application/x-quillary-row-indexes"})
            QVERIFY2(data->hasFormat(QString::fromLatin1(type)), type);
        // A file manager gets the file, in the private folder (the user's alone: tst_workspacelinks).
        const QFileInfo file(data->urls().value(0).toLocalFile());
        QCOMPARE(file.fileName(), u"Alice Archer.vcf"_s);
        QCOMPARE(file.absolutePath(), PrivateFiles::folder());
        QFile written(file.filePath());
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), payload.vCard);
    }

    void contactsFromMimeData_data()
    {
        Test::addColumns<QString, QByteArray, bool, int>("type", "data", "plainText", "contacts");
        const QByteArray card = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Zed;Zoe;;;\r\nFN:Zoe Zed\r\nEND:VCARD\r\n";
        QTest::newRow("text/x-vcard") << "text/x-vcard" << card << false << 1;
        QTest::newRow("text/directory") << "text/directory" << card << false << 1;
        QTest::newRow("plain text, pasted") << "text/plain" << card << true << 1;
        QTest::newRow("plain text, dropped") << "text/plain" << card << false << 0;
        QTest::newRow("other text") << "text/plain" << QByteArray("hello") << true << 0;
        QTest::newRow("a .vcf file") << "text/uri-list"
                                     << QUrl::fromLocalFile(dataPath("table/edit-contacts.vcf")).toEncoded() << false
                                     << 4;
        QTest::newRow("another file") << "text/uri-list" << QUrl::fromLocalFile(dataPath("ui/contacts.csv")).toEncoded()
                                      << false << 0;
    }
    void contactsFromMimeData()
    {
        QFETCH(QString, type);
        QFETCH(QByteArray, data);
        QFETCH(bool, plainText);
        QMimeData mime;
        mime.setData(type, data);
        QTEST(int(ContactPasteboard::contactsFromMimeData(mime, plainText).size()), "contacts");
    }

    void dropsJoinTheGroupWithIdsOfTheirOwn()
    {
        CellEditingFixture fixture({Field::Phone});
        ContactCommands commands(*fixture.controller);
        // Cards of contacts that are already here: their copies must not share their unique ids.
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(dataPath("table/edit-contacts.vcf"))});
        const ContactTable dropped = ContactPasteboard::contactsFromMimeData(mime, false);
        QCOMPARE(commands.addContactsFromOutside(dropped), ContactCommands::AddResult::Added);
        QSet<QString> ids;
        for (const ContactEntryPtr& contact : fixture.document.collection().contactTable)
            ids.insert(contact->uniqueId);
        QCOMPARE(ids.size(), 8);
        QCOMPARE(fixture.undoSteps(), 1);
        fixture.document.collection().topGroup()->remote = u"Exchange"_s;
        QCOMPARE(commands.addContactsFromOutside(dropped), ContactCommands::AddResult::OtherAccount);
    }

    void validateDrop_data()
    {
        // source: 0 another application, 1 this table, 2 another window
        Test::addColumns<bool, bool, int, int, int, bool, bool>("editState", "onRow", "row", "rowCount", "source",
                                                                "offersContacts", "accepted");
        // Between rows, onto a row and from the table itself are the window test's (dropsBetweenRowsOnly).
        QTest::newRow("locked") << false << false << 2 << 5 << 0 << true << false;
        QTest::newRow("below the summary row") << true << false << 5 << 5 << 0 << true << false;
        QTest::newRow("another window") << true << false << 2 << 5 << 2 << false << true;
        QTest::newRow("no contacts") << true << false << 2 << 5 << 0 << false << false;
        QTest::newRow("empty table") << true << false << 0 << 0 << 0 << true << true;
    }
    void validateDrop()
    {
        QFETCH(bool, editState);
        QFETCH(bool, onRow);
        QFETCH(int, row);
        QFETCH(int, rowCount);
        QFETCH(int, source);
        QFETCH(bool, offersContacts);
        const ContactPasteboard::DropProposal proposal{editState,   onRow,       row,           rowCount,
                                                       source == 1, source != 0, offersContacts};
        QTEST(ContactPasteboard::validateDrop(proposal), "accepted");
    }

    void menuValidation_data()
    {
        // state: e: edit mode, s: a selected row, c: a clicked row, 2: two contacts,
        Test::addColumns<Action, QString>("action", "state");
        // x: exporting, p: a panel open, i: the info popover, o: other account,
        // g: smart group, v: contacts on the clipboard
        Test::addColumns<bool, bool>("enabled", "checkAccount");
        const auto row = [](const char* name, Action action, const char* state, bool enabled, bool tip = false) {
            QTest::newRow(name) << action << QString::fromLatin1(state) << enabled << tip;
        };
        // The commands the window tests run are seen enabled there (adding, deleting, merging two
        // contacts, cutting and pasting); here the conditions that turn them off.
        row("copy with a clicked row", Action::Copy, "c", true);
        row("copy without a row", Action::Copy, "e", false);
        row("copy under the info popover", Action::CopyAsVCard, "si", false);
        row("print needs a selected row", Action::PrintDocument, "c", false);
        row("merge needs two contacts", Action::MergeContacts, "s", false);
        row("no export while exporting", Action::ExportContactsAsCSV, "sx", false);
        row("export a clicked row", Action::ExportContactsAsVCard, "c", true);
        row("add locked", Action::AddContact, "", false);
        row("add in another account", Action::AddContact, "eo", false, true);
        row("add in a smart group", Action::AddContact, "eg", false, true);
        row("delete locked", Action::DeleteContact, "s", false);
        row("delete in a smart group", Action::DeleteContact, "esg", true);
        row("duplicate in another account", Action::DuplicateContact, "eso", false, true);
        row("panels block duplicate", Action::DuplicateContact, "esp", false);
        row("phone formats", Action::NormalizePhoneNumber, "c", true);
        row("paste without contacts", Action::Paste, "e", false);
    }
    void menuValidation()
    {
        QFETCH(Action, action);
        QFETCH(QString, state);
        QFETCH(bool, enabled);
        QFETCH(bool, checkAccount);
        ContactMenuValidation::ContactMenuState menu;
        menu.editState = state.contains(u'e');
        menu.selectedRowCount = state.contains(u's') ? 1 : 0;
        menu.clickedDataRow = state.contains(u'c');
        menu.selectedContactCount = state.contains(u'2') ? 2 : menu.selectedRowCount;
        menu.exporting = state.contains(u'x');
        menu.panelsFree = !state.contains(u'p');
        menu.infoPopoverShown = state.contains(u'i');
        menu.clipboardOffersContacts = state.contains(u'v');
        menu.defaultAccount = GroupText::VCardAccount;
        menu.groupRemote = state.contains(u'o') ? u"Exchange"_s
            : state.contains(u'g')              ? GroupText::SmartGroupAccount
                                                : GroupText::VCardAccount;
        const ContactMenuValidation::Validation validation = ContactMenuValidation::validate(action, menu);
        QCOMPARE(validation.enabled, enabled);
        QCOMPARE(validation.toolTip, checkAccount ? u"Please check the Default Account"_s : QString());
    }

    void phoneFormatIsOneStep()
    {
        CellEditingFixture fixture({Field::Phone});
        const ContactEntryPtr bob = fixture.controller->subContactTable().at(fixture.row(Bob)).contact;
        fixture.document.undoRegistry().undoReplaceLabeledValue(
            LabeledValueList{LabeledValue::withText(u"work"_s, "1234567890")}, Field::Phone, bob);
        fixture.document.undoStack()->clear();
        fixture.controller->updateTable();
        fixture.select({fixture.row(Bob), fixture.row(Dave)});
        ContactCommands commands(*fixture.controller);
        QVERIFY(commands.normalizePhoneNumbers(-1, u"(12) 3456-7890"_s));
        QCOMPARE(fixture.texts(Bob, LabeledField::Phone), QStringList{u"(12) 3456-7890"_s});
        QCOMPARE(fixture.undoSteps(), 1);
        QVERIFY(!commands.normalizePhoneNumbers(-1, u"no such layout"_s));
    }

    void exportNamesAreSafe()
    {
        CellEditingFixture fixture({Field::Phone});
        ContactCommands commands(*fixture.controller);
        // Named after the first selected contact (the first row when the table opens).
        QCOMPARE(commands.exportContacts(-1, u"csv"_s).defaultFileName, u"Alice Archer.csv"_s);
        const ContactEntryPtr bob = fixture.controller->subContactTable().at(fixture.row(Bob)).contact;
        NameValue name = bob->person->nameValue();
        name.firstName = u"../../x"_s;
        name.lastName.clear();
        fixture.document.undoRegistry().undoReplaceNameValue(name, bob);
        fixture.controller->updateTable();
        const int row = fixture.row(u"../../x"_s);
        fixture.select({row});
        const ContactCommands::ExportRequest request = commands.exportToVCard(row);
        QCOMPARE(request.defaultFileName, u"_._.._x.vcf"_s);
        QCOMPARE(request.contacts, ContactTable{bob});
        fixture.select({fixture.row(Alice, 0), fixture.row(Alice, 1)});
        QVERIFY(commands.exportToVCard(-1).asksMultipleFirst);
        QCOMPARE(commands.exportContacts(-1, u"csv"_s).rows.size(), 2);
    }

    void workspaceLinks()
    {
        CellEditingFixture fixture({Field::Phone});
        const SubContactRow& alice = fixture.controller->subContactTable().at(fixture.row(Alice, 1));
        QVERIFY(WorkspaceActions::urlFor(MenuAction::SendEmail, alice, Field::Phone).isEmpty());
        const SubContactRow& first = fixture.controller->subContactTable().at(fixture.row(Alice, 0));
        const QUrl event = WorkspaceActions::urlFor(MenuAction::OpenCalendar, first, Field::Birthday);
        QFile file(event.toLocalFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("DTSTART;VALUE=DATE:19800517") && text.contains("SUMMARY:Alice Archer: Birthday"));
        QCOMPARE(QFileInfo(file).absolutePath(), PrivateFiles::folder());
    }

    void transforms_data()
    {
        Test::addColumns<TextTransforms::Kind, QString, QString>("kind", "text", "expected");
        const auto row = [](const char* name, TextTransforms::Kind kind, const char* text, const char* expected) {
            QTest::newRow(name) << kind << QString::fromUtf8(text) << QString::fromUtf8(expected);
        };
        row("upper", TextTransforms::Kind::Uppercase, "straße 5", "STRASSE 5");
        row("lower", TextTransforms::Kind::Lowercase, "ÉLODIE", "élodie");
        row("capitalize words", TextTransforms::Kind::Capitalize, "aNN o'neil-SMITH jr.", "Ann O'neil-Smith Jr.");
        row("capitalize after digits", TextTransforms::Kind::Capitalize, "3rd avenue", "3rd Avenue");
    }
    void transforms()
    {
        QFETCH(TextTransforms::Kind, kind);
        QFETCH(QString, text);
        QTEST(TextTransforms::apply(kind, text), "expected");
    }
};

QTEST_GUILESS_MAIN(TestContactCommands)
#include "tst_contactcommands.moc"
