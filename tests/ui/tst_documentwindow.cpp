// A real document window driven as a user would: opening files, sorting, edits and undo, groups
// and drops, saving and reading back, exports, imports and the close rules.

#include "TestSupport.h"
#include "UiTestSupport.h"
#include "WindowTestCase.h"
#include "app/DocumentController.h"
#include "documents/ContactDocument.h"
#include "documents/ContactFileReader.h"
#include "documents/ContactPane.h"
#include "documents/DocumentFileCommands.h"
#include "documents/DocumentGroups.h"
#include "documents/DocumentMenus.h"
#include "documents/DocumentWindow.h"
#include "documents/ExchangeCommands.h"
#include "documents/Preferences.h"
#include "formats/ImportPanel.h"
#include "groups/GroupSideBar.h"
#include "model/FieldIdentifiers.h"
#include "support/FileDialog.h"
#include "support/MessageBox.h"
#include "table/ContactCellDelegate.h"
#include "table/ContactsTableEditing.h"
#include "table/ContactsTableModel.h"
#include "table/ContactsTableView.h"
#include "table/ContactsViewController.h"
#include "table/ReplaceAlertPanel.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidgetItem>

#include <memory>

using namespace Quillary;
using namespace Quillary::Ui;
using Command = DocumentMenus::Command;
using Test::cellEditor;
using Test::cellText;
using Test::doubleClickCell;
using Test::namesInOrder;
using Test::rowOf;
using Test::selectRows;

class TestDocumentWindow : public Test::WindowTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void opensWithTheContacts()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("contacts.vcf[*] — Quillary"));
        QVERIFY(!window->isWindowModified());
        ContactsViewController* table = window->tableController();
        // The stored view type is "Email": one row per contact, and the summary row.
        QCOMPARE(table->tableIdentfiers(), (QStringList{Field::Name, Field::Email}));
        QCOMPARE(table->model()->rowCount(), 7);
        QCOMPARE(table->summaryText(), QStringLiteral("All Contacts: total 6 contacts"));
        QCOMPARE(namesInOrder(window).first(), QStringLiteral("Aiko Kimura"));
        QCOMPARE(cellText(window, rowOf(window, QStringLiteral("Ben Baker")), Field::Email),
                 QStringLiteral("ben.baker@example.com"));
        // Edit mode by default: the button offers to lock, the red bar is drawn.
        QCOMPARE(window->pane()->editButton()->text(), QStringLiteral("Lock"));
        QVERIFY(window->findChild<QFrame*>(QStringLiteral("redSeparator"))->property("editMode").toBool());
        QVERIFY(window->pane()->isGroupViewHidden());
        QVERIFY(Preferences::instance().recentDocuments().contains(window->document()->filePath()));
    }

    void openPanelCarriesTheEncodingPopup()
    {
        DocumentWindow* first = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(first);
        const QString other = Test::copyData(dir(), QStringLiteral("ui/import.vcf"));
        FileDialog::setNextFileNames({other});
        first->menus()->action(Command::Open)->trigger();
        QVERIFY(FileDialog::lastOptions().accessory);
        QCOMPARE(controller().windows().size(), 2);
        QCOMPARE(controller().windows().last()->document()->collection().contactTable.size(), 2);
        // Opening a file that is open already brings its window forward instead.
        FileDialog::setNextFileNames({other});
        first->menus()->action(Command::Open)->trigger();
        QCOMPARE(controller().windows().size(), 2);
    }

    void unreadableFileAlerts()
    {
        QFile file(dir().filePath(QStringLiteral("empty.vcf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("no cards here\n");
        file.close();
        MessageBox::setNextAnswer(0);
        QVERIFY(!controller().openDocument(file.fileName()));
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().message, QStringLiteral("The document “empty.vcf” could not be opened."));
        QCOMPARE(MessageBox::shown().first().informativeText,
                 QStringLiteral("Please make sure the file is vCard 2.1/3.0 file, or text encoding."));
    }

    void csvWithoutHeaderIsReadAfterAnAlert()
    {
        MessageBox::setNextAnswer(0);
        DocumentWindow* window = open(QStringLiteral("ui/noheader.csv"));
        QVERIFY(window);
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().message, QStringLiteral("Can't find header line in the file."));
        QCOMPARE(MessageBox::shown().first().informativeText,
                 QStringLiteral("Read as the following order: Name, Phone, Email, ZIP, State, City, Street"));
        QCOMPARE(window->document()->collection().contactTable.size(), 2);
    }

    void sortByHeaderClick()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
        ContactsViewController* table = window->tableController();
        QCOMPARE(table->tableIdentfiers(), (QStringList{Field::Name, Field::Phone}));
        QHeaderView* header = window->tableView()->horizontalHeader();
        const QPoint phoneHeader(header->sectionViewportPosition(1) + 20, header->height() / 2);

        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, phoneHeader);
        QCOMPARE(table->sortDescriptor()->key, QStringLiteral("Phone"));
        QVERIFY(table->sortDescriptor()->ascending);
        QCOMPARE(header->sortIndicatorSection(), 1);
        QStringList phones;
        for (int row = 0; row < table->subContactTable().size(); ++row)
            phones.append(cellText(window, row, Field::Phone));
        // Rows without a phone go last; the others in order.
        QCOMPARE(phones.first(), QStringLiteral("+1 212 555 0199"));
        QVERIFY(phones.last().isEmpty());

        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, phoneHeader);
        QVERIFY(!table->sortDescriptor()->ascending);
        QCOMPARE(cellText(window, 0, Field::Phone), QStringLiteral("+81 90 1111 2222"));
        QVERIFY(cellText(window, int(table->subContactTable().size()) - 1, Field::Phone).isEmpty());
        QCOMPARE(Preferences::instance().lastSortDescriptor()->key, QStringLiteral("Phone"));
    }

    void sortKeyFromHeaderMenu()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        QMenu menu;
        window->tableView()->fillSortMenu(&menu, 0);
        const QList<QAction*> actions = menu.actions();
        QCOMPARE(actions.size(), 4);
        QCOMPARE(actions.first()->text(), QStringLiteral("Sort by"));
        QVERIFY(!actions.first()->isEnabled());
        QVERIFY(actions.at(1)->isChecked()); // compositeName is the built-in choice
        actions.at(2)->trigger(); // FirstName
        QCOMPARE(window->tableController()->sortDescriptor()->key, QStringLiteral("FirstName"));
        QCOMPARE(namesInOrder(window).first(), QStringLiteral("Aiko Kimura"));
        QCOMPARE(namesInOrder(window).at(1), QStringLiteral("Ben Baker"));
        // A column without choices has an empty menu.
        window->pane()->toggleColumn(Field::Note);
        window->tableView()->fillSortMenu(&menu, 1);
        QVERIFY(menu.isEmpty());
    }

    void editThroughRegistryAndUndo()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
        const int row = rowOf(window, QStringLiteral("Chidi Okafor"));
        const ContactEntryPtr contact = window->tableController()->subContactTable().at(row).contact;
        LabeledValue phone = contact->person->phoneValues().first();
        phone.value = QStringLiteral("+44 7700 900999");
        QVERIFY(window->document()->undoRegistry().undoReplaceLabeledValue(phone, Field::Phone, contact));
        QCOMPARE(cellText(window, rowOf(window, QStringLiteral("Chidi Okafor")), Field::Phone), phone.value);
        QVERIFY(window->isWindowModified());
        QAction* undo = window->menus()->action(Command::Undo);
        QVERIFY(undo->isEnabled());
        undo->trigger();
        QCOMPARE(cellText(window, rowOf(window, QStringLiteral("Chidi Okafor")), Field::Phone),
                 QStringLiteral("+44 7700 900123"));
        QVERIFY(!window->isWindowModified());
        window->menus()->action(Command::Redo)->trigger();
        QCOMPARE(cellText(window, rowOf(window, QStringLiteral("Chidi Okafor")), Field::Phone), phone.value);
    }

    void editPhoneInPlace()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
        const int chidi = rowOf(window, QStringLiteral("Chidi Okafor"));
        doubleClickCell(window, chidi, Field::Phone);
        QLineEdit* editor = cellEditor(window);
        QVERIFY(editor);
        QCOMPARE(editor->text(), QStringLiteral("+44 7700 900123"));
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("+44 20 7946 0000"));
        QTest::keyClick(editor, Qt::Key_Return);
        // The text is in the contact, and editing went on in the next row that has a phone.
        QTRY_COMPARE(cellText(window, rowOf(window, QStringLiteral("Chidi Okafor")), Field::Phone),
                     QStringLiteral("+44 20 7946 0000"));
        QTRY_VERIFY(cellEditor(window));
        QCOMPARE(window->tableView()->currentIndex().row(), rowOf(window, QStringLiteral("Delphine Duval")));
        QTest::keyClick(cellEditor(window), Qt::Key_Escape);
        QTRY_VERIFY(!cellEditor(window));
        QVERIFY(window->isWindowModified());

        window->menus()->action(Command::Undo)->trigger();
        QCOMPARE(cellText(window, rowOf(window, QStringLiteral("Chidi Okafor")), Field::Phone),
                 QStringLiteral("+44 7700 900123"));

        // Outside edit mode a double click opens nothing.
        window->pane()->setEditMode(false);
        doubleClickCell(window, rowOf(window, QStringLiteral("Chidi Okafor")), Field::Phone);
        QVERIFY(!cellEditor(window));
    }

    void editSeveralRowsAfterConfirmation()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
        const QStringList names{QStringLiteral("Ben Baker"), QStringLiteral("Chidi Okafor"),
                                QStringLiteral("Erik Eriksen")};
        selectRows(window, {rowOf(window, names.at(0)), rowOf(window, names.at(1)), rowOf(window, names.at(2))});
        MessageBox::setNextAnswer(0); // OK
        doubleClickCell(window, rowOf(window, names.at(1)), Field::Phone);
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().message,
                 QStringLiteral("Do you want to set the same value in the selected rows?"));
        QCOMPARE(MessageBox::shown().first().informativeText, QStringLiteral("This operation can be undone."));
        QLineEdit* editor = cellEditor(window);
        QVERIFY(editor);
        editor->setText(QStringLiteral("+1 555 0000"));
        window->tableView()->editing()->commitPendingEdit();
        // Every selected row with a phone has the number; Erik has none and gets none.
        QCOMPARE(cellText(window, rowOf(window, names.at(0)), Field::Phone), QStringLiteral("+1 555 0000"));
        QCOMPARE(cellText(window, rowOf(window, names.at(1)), Field::Phone), QStringLiteral("+1 555 0000"));
        QVERIFY(cellText(window, rowOf(window, names.at(2)), Field::Phone).isEmpty());
        QCOMPARE(window->document()->undoStack()->count(), 1);
        window->menus()->action(Command::Undo)->trigger();
        QCOMPARE(cellText(window, rowOf(window, names.at(0)), Field::Phone), QStringLiteral("+1 212 555 0199"));
        QCOMPARE(cellText(window, rowOf(window, names.at(1)), Field::Phone), QStringLiteral("+44 7700 900123"));
    }

    void bulkReplaceTextOverThreeRows()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
        ContactsTableView* view = window->tableView();
        const QStringList names{QStringLiteral("Ben Baker"), QStringLiteral("Delphine Duval"),
                                QStringLiteral("Frieda Fischer")};
        const auto labelOf = [&](const QString& name) {
            const int row = rowOf(window, name);
            return view->model()->index(row, 1).data(ContactsTableModel::LabelRole).toString();
        };
        const QStringList labels{labelOf(names.at(0)), labelOf(names.at(1)), labelOf(names.at(2))};
        selectRows(window, {rowOf(window, names.at(0)), rowOf(window, names.at(1))});
        // The clicked cell joins the selected ones.
        std::unique_ptr<QMenu> menu(view->editing()->contextMenu(rowOf(window, names.at(2)), 1, view));
        auto* replace = menu->findChild<QAction*>(QStringLiteral("Replace Text"));
        QVERIFY(replace);
        QVERIFY(replace->isEnabled());
        ReplaceAlertPanel::setNextAnswer(QStringLiteral("+00 000"));
        replace->trigger();
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(cellText(window, rowOf(window, names.at(i)), Field::Phone), QStringLiteral("+00 000"));
            QCOMPARE(labelOf(names.at(i)), labels.at(i)); // "Replace Text" keeps the labels
        }
        QCOMPARE(cellText(window, rowOf(window, QStringLiteral("Chidi Okafor")), Field::Phone),
                 QStringLiteral("+44 7700 900123"));
        QCOMPARE(window->document()->undoStack()->count(), 1);
        window->menus()->action(Command::Undo)->trigger();
        QCOMPARE(cellText(window, rowOf(window, names.at(2)), Field::Phone), QStringLiteral("+49 30 1234567"));

        // A cancelled panel changes nothing; outside edit mode the command is inactive.
        ReplaceAlertPanel::cancelNext();
        menu.reset(view->editing()->contextMenu(rowOf(window, names.at(0)), 1, view));
        menu->findChild<QAction*>(QStringLiteral("Replace Text"))->trigger();
        QCOMPARE(window->document()->undoStack()->index(), 0);
        window->pane()->setEditMode(false);
        menu.reset(view->editing()->contextMenu(rowOf(window, names.at(0)), 1, view));
        QVERIFY(!menu->findChild<QAction*>(QStringLiteral("Replace Text"))->isEnabled());
    }

    void labelPopupAndDeleteItem()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
        ContactsTableView* view = window->tableView();
        const int ben = rowOf(window, QStringLiteral("Ben Baker"));
        std::unique_ptr<QMenu> labels(view->editing()->labelMenu(ben, 1, view));
        QVERIFY(labels);
        QAction* home = nullptr;
        for (QAction* action : labels->actions()) {
            if (action->text() == QStringLiteral("home"))
                home = action;
            if (action->text() == QStringLiteral("work"))
                QVERIFY(action->isChecked());
        }
        QVERIFY(home);
        home->trigger();
        QCOMPARE(view->model()
                     ->index(rowOf(window, QStringLiteral("Ben Baker")), 1)
                     .data(ContactsTableModel::LabelRole)
                     .toString(),
                 QStringLiteral("home"));
        // Erik has no phone: no label pop-up.
        QVERIFY(!view->editing()->labelMenu(rowOf(window, QStringLiteral("Erik Eriksen")), 1, view));

        std::unique_ptr<QMenu> menu(view->editing()->contextMenu(rowOf(window, QStringLiteral("Ben Baker")), 1, view));
        view->clearSelection();
        MessageBox::setNextAnswer(0);
        menu->findChild<QAction*>(QStringLiteral("Delete Item"))->trigger();
        QCOMPARE(
            MessageBox::shown().last().message,
            QStringLiteral("Do you want to delete the item(label and text) in the selected cells in column:Phone ?"));
        QVERIFY(cellText(window, rowOf(window, QStringLiteral("Ben Baker")), Field::Phone).isEmpty());
        QCOMPARE(window->document()->undoStack()->count(), 2);
    }

    void labelFilter()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
        const int aiko = rowOf(window, QStringLiteral("Aiko Kimura"));
        QCOMPARE(cellText(window, aiko + 1, Field::Phone), QStringLiteral("+81 3 5555 0101")); // her second phone
        window->pane()->labelPopupChanged(QStringLiteral("mobile"));
        QCOMPARE(window->document()->collection().selectedLabels, QStringList{QStringLiteral("mobile")});
        // Only mobile phones are left, each on its contact's first row; every contact keeps that row.
        QCOMPARE(window->tableController()->subContactTable().size(), 6);
        QCOMPARE(cellText(window, rowOf(window, QStringLiteral("Aiko Kimura")), Field::Phone),
                 QStringLiteral("+81 90 1111 2222"));
        QVERIFY(cellText(window, rowOf(window, QStringLiteral("Ben Baker")), Field::Phone).isEmpty());
        window->pane()->labelPopupChanged(QStringLiteral("All"));
        QCOMPARE(window->tableController()->subContactTable().size(), 7);
    }

    void typedTextIsCommittedBeforeTheCellsMove_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("view type") << "view type";
        QTest::newRow("label filter") << "label filter";
        QTest::newRow("column set") << "column set";
    }

    void typedTextIsCommittedBeforeTheCellsMove()
    {
        QFETCH(QString, change);
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
        doubleClickCell(window, rowOf(window, QStringLiteral("Chidi Okafor")), Field::Phone);
        QLineEdit* editor = cellEditor(window);
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("+44 20 7946 0000"));
        if (change == u"view type")
            window->pane()->viewTypePopupSelected(QStringLiteral("Email"));
        else if (change == u"label filter")
            window->pane()->labelPopupChanged(QStringLiteral("mobile"));
        else
            window->pane()->toggleColumn(Field::Email);
        QTRY_VERIFY(!cellEditor(window));
        const ContactTable& contacts = window->document()->collection().contactTable;
        const auto chidi = std::find_if(contacts.cbegin(), contacts.cend(), [](const ContactEntryPtr& contact) {
            return contact->person->compositeName() == u"Chidi Okafor";
        });
        QVERIFY(chidi != contacts.cend());
        QCOMPARE((*chidi)->person->phoneValues().first().value, QStringLiteral("+44 20 7946 0000"));
    }

    void editButtonAndCsvViewingMode()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        QTest::mouseClick(window->pane()->editButton(), Qt::LeftButton);
        QVERIFY(!window->pane()->editState());
        QCOMPARE(window->pane()->editButton()->text(), QStringLiteral("Edit"));
        QVERIFY(!window->tableController()->editState());
        QVERIFY(window->menus()->action(Command::Font)->isEnabled());
        window->menus()->action(Command::EditMode)->trigger();
        QVERIFY(window->pane()->editState());
        QVERIFY(!window->menus()->action(Command::Font)->isEnabled());

        DocumentWindow* csv = open(QStringLiteral("ui/contacts.csv"));
        QVERIFY(csv);
        QVERIFY(!csv->pane()->editState());
        QVERIFY(!csv->pane()->editButton()->isEnabled());
        QVERIFY(!csv->menus()->action(Command::Save)->isEnabled());
        QVERIFY(!csv->menus()->action(Command::EditMode)->isEnabled());
        csv->pane()->setEditMode(true);
        QVERIFY(!csv->pane()->editState());
    }

    void addGroupAndDropContacts()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        ContactCollection& collection = window->document()->collection();
        QVERIFY(!window->pane()->canAddGroup()); // the side bar is hidden
        window->menus()->action(Command::ShowGroups)->trigger();
        QVERIFY(!window->pane()->isGroupViewHidden());
        QCOMPARE(window->menus()->action(Command::ShowGroups)->text(), QStringLiteral("Hide Groups"));

        MessageBox::setNextAnswer(1); // Cancel
        window->menus()->action(Command::AddGroup)->trigger();
        QCOMPARE(collection.groupTable.size(), 3);
        MessageBox::setNextAnswer(0); // OK
        window->menus()->action(Command::AddGroup)->trigger();
        QCOMPARE(MessageBox::shown().last().message, QStringLiteral("Do you want to add the group?"));
        QCOMPARE(MessageBox::shown().last().informativeText, QStringLiteral("This operation can't be undone."));
        QCOMPARE(collection.groupTable.size(), 4);
        const GroupEntryPtr added = collection.groupTable.last();
        QCOMPARE(added->groupName, QStringLiteral("New"));
        QCOMPARE(collection.selectedGroupDict, added);
        QVERIFY(window->isWindowModified());
        QCOMPARE(window->tableController()->summaryText(), QStringLiteral("New: total 0 contacts"));

        // Back to all contacts, then drag two of them onto the new group.
        window->pane()->groupPopupSelected(collection.topGroup());
        const int ben = rowOf(window, QStringLiteral("Ben Baker"));
        const int erik = rowOf(window, QStringLiteral("Erik Eriksen"));
        selectRows(window, {ben, erik});
        std::unique_ptr<QMimeData> data(window->tableView()->mimeDataForSelectedRows());
        QCOMPARE(QString::fromUtf8(data->data(DocumentGroups::RowIndexesMimeType)),
                 DocumentGroups::rowIndexText({ben, erik}));

        GroupSideBar* sideBar = window->pane()->sideBar();
        const QPoint target = sideBar->visualItemRect(sideBar->itemForGroup(added)).center();
        QDragEnterEvent enter(target, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(sideBar->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDragMoveEvent move(target, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(sideBar->viewport(), &move);
        QVERIFY(move.isAccepted());
        // Not on the group shown now: its own rows.
        const QPoint top = sideBar->visualItemRect(sideBar->itemForGroup(collection.topGroup())).center();
        QDragMoveEvent onTop(top, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(sideBar->viewport(), &onTop);
        QVERIFY(!onTop.isAccepted());
        QDropEvent drop(target, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(sideBar->viewport(), &drop);
        QVERIFY(drop.isAccepted());

        QCOMPARE(collection.selectedGroupDict, added);
        QCOMPARE(namesInOrder(window), (QStringList{QStringLiteral("Ben Baker"), QStringLiteral("Erik Eriksen")}));
        QCOMPARE(sideBar->currentItem(), sideBar->itemForGroup(added));
        // The drop is one undo step.
        window->menus()->action(Command::Undo)->trigger();
        QVERIFY(namesInOrder(window).isEmpty());
        window->menus()->action(Command::Redo)->trigger();
        QCOMPARE(namesInOrder(window).size(), 2);

        // Outside edit mode nothing can be dropped.
        window->pane()->groupPopupSelected(collection.topGroup());
        window->pane()->setEditMode(false);
        QVERIFY(!sideBar->canDrop(data.get(), added, false));
    }

    void renameAndDeleteGroup()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        ContactCollection& collection = window->document()->collection();
        GroupSideBar* sideBar = window->pane()->sideBar();
        const GroupEntryPtr friends = collection.groupTable.at(1);
        QCOMPARE(friends->groupName, QStringLiteral("Friends"));
        QTreeWidgetItem* item = sideBar->itemForGroup(friends);
        QVERIFY(item->flags() & Qt::ItemIsEditable);
        QVERIFY(!(sideBar->itemForGroup(collection.topGroup())->flags() & Qt::ItemIsEditable));

        // Choosing a group in the side bar shows its members.
        sideBar->setCurrentItem(item);
        QCOMPARE(collection.selectedGroupDict, friends);
        QCOMPARE(namesInOrder(window), (QStringList{QStringLiteral("Aiko Kimura"), QStringLiteral("Chidi Okafor")}));

        const QString uniqueId = friends->uniqueId;
        sideBar->itemForGroup(friends)->setText(0, QStringLiteral("Close Friends"));
        QCOMPARE(friends->groupName, QStringLiteral("Close Friends"));
        QCOMPARE(friends->uniqueId, uniqueId);
        QVERIFY(window->isWindowModified());
        QCOMPARE(window->tableController()->summaryText(), QStringLiteral("Close Friends: total 2 contacts"));
        sideBar->itemForGroup(friends)->setText(0, QString()); // an empty name is refused
        QCOMPARE(friends->groupName, QStringLiteral("Close Friends"));
        QCOMPARE(sideBar->itemForGroup(friends)->text(0), QStringLiteral("Close Friends"));

        // Deleting needs the side bar and a group other than all contacts.
        QVERIFY(!window->pane()->canDeleteGroup());
        window->pane()->showGroupView();
        QVERIFY(window->pane()->canDeleteGroup());
        MessageBox::setNextAnswer(0);
        window->menus()->action(Command::DeleteGroup)->trigger();
        QCOMPARE(MessageBox::shown().last().message, QStringLiteral("Do you want to remove the group?"));
        QCOMPARE(collection.groupTable.size(), 2);
        QCOMPARE(collection.selectedGroupDict, collection.topGroup());
        QCOMPARE(namesInOrder(window).size(), 6);
        QVERIFY(!sideBar->itemForGroup(friends));
        QVERIFY(!window->pane()->canDeleteGroup());

        // Outside edit mode groups are neither renamed nor added.
        window->pane()->setEditMode(false);
        QVERIFY(!(sideBar->itemForGroup(collection.groupTable.at(1))->flags() & Qt::ItemIsEditable));
        QVERIFY(!window->menus()->action(Command::AddGroup)->isEnabled());
    }

    void revertToSaved()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
        const int erik = rowOf(window, QStringLiteral("Erik Eriksen"));
        selectRows(window, {erik});
        const ContactEntryPtr ben =
            window->tableController()->subContactTable().at(rowOf(window, QStringLiteral("Ben Baker"))).contact;
        LabeledValue phone = ben->person->phoneValues().first();
        phone.value = QStringLiteral("+1 000");
        QVERIFY(window->document()->undoRegistry().undoReplaceLabeledValue(phone, Field::Phone, ben));
        MessageBox::setNextAnswer(1); // Cancel
        QVERIFY(!window->fileCommands()->revertDocumentToSaved());
        QCOMPARE(cellText(window, rowOf(window, QStringLiteral("Ben Baker")), Field::Phone), QStringLiteral("+1 000"));
        MessageBox::setNextAnswer(0);
        window->menus()->action(Command::Revert)->trigger();
        QCOMPARE(cellText(window, rowOf(window, QStringLiteral("Ben Baker")), Field::Phone),
                 QStringLiteral("+1 212 555 0199"));
        QVERIFY(!window->isWindowModified());
        QVERIFY(!window->menus()->action(Command::Undo)->isEnabled());
        // The contact selected before is selected again.
        QCOMPARE(
            window->tableController()->uniqueIdsOfSelectedContacts().value(0),
            window->tableController()->subContactTable().at(rowOf(window, QStringLiteral("Erik Eriksen"))).uniqueId());
    }

    void tableFontPersists()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        const int line = window->tableView()->lineHeight();
        QFont font = window->pane()->tableFont();
        font.setPointSizeF(26);
        window->pane()->setTableFont(font);
        QVERIFY(window->tableView()->lineHeight() > line);
        QCOMPARE(window->tableView()->rowHeight(0), window->tableView()->lineHeight());
        QCOMPARE(window->pane()->sideBar()->rowHeight(), window->tableView()->lineHeight());
        QCOMPARE(Preferences::instance().tableFont().pointSizeF(), 26.0);
        window->pane()->revertToDefaultFont();
        QCOMPARE(window->pane()->tableFont().pointSizeF(), QApplication::font().pointSizeF()); // the desktop's size
    }

    void saveAndReopen()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        const QString path = window->document()->filePath();
        ContactCollection& collection = window->document()->collection();
        window->pane()->showGroupView();
        MessageBox::setNextAnswer(0);
        window->pane()->addGroup();
        window->pane()->groupPopupSelected(collection.topGroup());
        selectRows(window, {rowOf(window, QStringLiteral("Frieda Fischer"))});
        std::unique_ptr<QMimeData> data(window->tableView()->mimeDataForSelectedRows());
        QVERIFY(window->pane()->sideBar()->dropContacts(data.get(), collection.groupTable.last()));
        window->pane()->groupPopupSelected(collection.topGroup());
        window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
        window->tableView()->clearSelection();
        doubleClickCell(window, rowOf(window, QStringLiteral("Frieda Fischer")), Field::Phone);
        QVERIFY(cellEditor(window));
        cellEditor(window)->setText(QStringLiteral("+49 30 7654321"));
        // Saving ends the edit in progress first.

        window->menus()->action(Command::Save)->trigger();
        QVERIFY(!window->isWindowModified());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        QVERIFY(saved.contains("+49 30 7654321"));
        QVERIFY(saved.contains("CATEGORIES:New"));

        QVERIFY(window->close());
        QTRY_VERIFY(controller().windows().isEmpty());
        DocumentWindow* reopened = controller().openDocument(path);
        QVERIFY(reopened);
        const GroupTable& groups = reopened->document()->collection().groupTable;
        const auto it = std::find_if(groups.cbegin(), groups.cend(), [](const GroupEntryPtr& group) {
            return group->groupName == QStringLiteral("New");
        });
        QVERIFY(it != groups.cend());
        reopened->pane()->groupPopupSelected(*it);
        QCOMPARE(namesInOrder(reopened), QStringList{QStringLiteral("Frieda Fischer")});
    }

    void exportSelectionAsCsvAndVCard()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        // A row is selected when the document opens, and stays so (as a Ctrl-click on it would leave
        // it): Export is never disabled for want of a selection.
        QVERIFY(window->menus()->action(Command::ExportAsCsv)->isEnabled());
        window->tableView()->clearSelection();
        QTRY_COMPARE(window->tableView()->selectionModel()->selectedRows().size(), 1);
        QVERIFY(window->menus()->action(Command::ExportAsCsv)->isEnabled());
        selectRows(window, {rowOf(window, QStringLiteral("Aiko Kimura")), rowOf(window, QStringLiteral("Ben Baker"))});
        QVERIFY(window->menus()->action(Command::ExportAsCsv)->isEnabled());

        const QString csvPath = dir().filePath(QStringLiteral("out.csv"));
        FileDialog::setNextFileNames({csvPath});
        window->menus()->action(Command::ExportAsCsv)->trigger();
        QCOMPARE(FileDialog::lastOptions().fileNameLabel, QStringLiteral("Export As:"));
        QVERIFY(FileDialog::lastOptions().directory.endsWith(QStringLiteral("contacts.csv")));
        QFile csv(csvPath);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QVERIFY(csv.readAll().startsWith("Name,"));
        QCOMPARE(ContactFileReader::read(csvPath).contacts.size(), 2); // one line per contact

        const QString vcfPath = dir().filePath(QStringLiteral("out.vcf"));
        FileDialog::setNextFileNames({vcfPath});
        window->menus()->action(Command::ExportAsVCard)->trigger();
        QFile vcf(vcfPath);
        QVERIFY(vcf.open(QIODevice::ReadOnly));
        QCOMPARE(vcf.readAll().count("BEGIN:VCARD"), 2);
        QVERIFY(!window->document()->isExporting());

        // A cancelled panel writes nothing; a file that cannot be written is told of.
        FileDialog::setNextFileNames({});
        QVERIFY(!window->pane()->exchangeCommands()->exportAsVCard());
        FileDialog::setNextFileNames({dir().filePath(QStringLiteral("missing/folder/out.csv"))});
        MessageBox::setNextAnswer(0);
        QVERIFY(!window->pane()->exchangeCommands()->exportAsCSV());
        QCOMPARE(MessageBox::shown().last().message, QStringLiteral("Can't save the file"));
        QVERIFY(MessageBox::shown().last().informativeText.startsWith(
            QStringLiteral("Something error happned in saving operation. ")));
        QVERIFY(!window->document()->isExporting());
    }

    void importChosenContacts()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        FileDialog::setNextFileNames({Test::dataPath(QStringLiteral("ui/import.vcf"))});
        ImportPanel::setNextSelection({1});
        window->menus()->action(Command::ImportFromVCard)->trigger();
        QCOMPARE(FileDialog::lastOptions().title, QStringLiteral("Import from vCard"));
        QVERIFY(FileDialog::lastOptions().accessory);
        QVERIFY(rowOf(window, QStringLiteral("Hana Haddad")) >= 0);
        QCOMPARE(rowOf(window, QStringLiteral("Gabriela Gomez")), -1);
        QVERIFY(window->isWindowModified());
        window->menus()->action(Command::Undo)->trigger();
        QCOMPARE(rowOf(window, QStringLiteral("Hana Haddad")), -1);

        // A file without cards tells so.
        QFile empty(dir().filePath(QStringLiteral("none.vcf")));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.write("nothing\n");
        empty.close();
        FileDialog::setNextFileNames({empty.fileName()});
        MessageBox::setNextAnswer(0);
        window->pane()->exchangeCommands()->importFromVCard();
        QCOMPARE(MessageBox::shown().last().message, QStringLiteral("Couldn't read the file."));
        QCOMPARE(MessageBox::shown().last().informativeText,
                 QStringLiteral("Please make sure the file is vCard 2.1/3.0 file."));
        QVERIFY(!window->document()->isExporting());
    }

    void csvCloseAsks()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.csv"));
        QVERIFY(window);
        QVERIFY(window->close()); // unchanged: no question
        QTRY_VERIFY(controller().windows().isEmpty());

        window = open(QStringLiteral("ui/contacts.csv"));
        QVERIFY(window);
        window->document()->setAddressBookDirty(true);
        MessageBox::setNextAnswer(0); // Cancel
        QVERIFY(!window->close());
        const MessageBox::Record& asked = MessageBox::shown().last();
        QCOMPARE(asked.message, QStringLiteral("Do you want to close while the document is edited?"));
        QCOMPARE(asked.informativeText, QStringLiteral("You can not save as CSV file."));
        QCOMPARE(asked.buttons, (QStringList{QStringLiteral("Cancel"), QStringLiteral("Discard")}));
        MessageBox::setNextAnswer(1); // Discard
        QVERIFY(window->close());
    }
};

QTEST_MAIN(TestDocumentWindow)
#include "tst_documentwindow.moc"
