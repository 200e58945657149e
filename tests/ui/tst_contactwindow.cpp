// The commands on contacts in a document window, driven as a user does: the menu actions, the
// clipboard, drops on the table, and the find bar.

#include "TestSupport.h"
#include "UiTestSupport.h"
#include "WindowTestCase.h"
#include "documents/ContactActions.h"
#include "documents/ContactDocument.h"
#include "documents/ContactPane.h"
#include "documents/DocumentMenus.h"
#include "documents/DocumentWindow.h"
#include "documents/WindowContactCommands.h"
#include "editors/NameEditor.h"
#include "support/FileDialog.h"
#include "support/MessageBox.h"
#include "table/ContactsTableView.h"
#include "table/ContactsViewController.h"
#include "table/FindBar.h"
#include "table/TableTextFinder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

using namespace Quillary;
using namespace Quillary::Ui;
using namespace Qt::StringLiterals;
using Id = ContactActions::Id;

class TestContactWindow : public Test::WindowTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void addDeleteDuplicateAndUndo()
    {
        DocumentWindow* window = open(u"ui/contacts.vcf"_s);
        QVERIFY(window && window->pane()->editState());
        const int contacts = contactCount(window);
        QUndoStack* undo = window->document()->undoStack();

        trigger(window, Id::AddContact);
        QCOMPARE(contactCount(window), contacts + 1);
        QCOMPARE(window->tableController()->selectedIndexes(), QList<int>{Test::rowOf(window, u"new"_s)});
        QCOMPARE(window->findChildren<NameEditor*>().size(), 1); // a new contact is named first
        undo->undo();
        QCOMPARE(Test::rowOf(window, u"new"_s), -1);

        Test::selectRows(window, {Test::rowOf(window, u"Ben Baker"_s)});
        MessageBox::setNextAnswer(0);
        trigger(window, Id::DeleteContact);
        QCOMPARE(MessageBox::shown().last().message, u"Do you want to remove the contact?"_s);
        QCOMPARE(Test::rowOf(window, u"Ben Baker"_s), -1);
        undo->undo();
        QVERIFY(Test::rowOf(window, u"Ben Baker"_s) >= 0);

        Test::selectRows(window, {Test::rowOf(window, u"Ben Baker"_s)});
        trigger(window, Id::DuplicateContact);
        QCOMPARE(Test::namesInOrder(window).count(u"Ben Baker"_s), 2);
        undo->undo();
        QCOMPARE(Test::namesInOrder(window).count(u"Ben Baker"_s), 1);
        QCOMPARE(contactCount(window), contacts);
    }

    void copyAndPaste()
    {
        DocumentWindow* window = open(u"ui/contacts.vcf"_s);
        window->pane()->viewTypePopupSelected(u"Phone"_s);
        ContactsViewController* table = window->tableController();
        const int aiko = Test::rowOf(window, u"Aiko Kimura"_s);
        window->document()->undoRegistry().undoAddLabeledValue(LabeledValue::withText(u"work"_s, "03 1234"),
                                                               Field::Phone, table->subContactTable().at(aiko).contact);
        const int first = Test::rowOf(window, u"Aiko Kimura"_s);
        Test::selectRows(window, {first, first + 1, first + 2});
        trigger(window, Id::Copy);
        QCOMPARE(QApplication::clipboard()->text().split(u'\n').size(), 3);
        trigger(window, Id::CopyAsVCard);
        QCOMPARE(QApplication::clipboard()->mimeData()->data(u"text/vcard"_s).count("BEGIN:VCARD"), 1);

        // A text editor's vCard text comes in as a contact of its own, as one undo step.
        const int steps = window->document()->undoStack()->count();
        QApplication::clipboard()->setText(u"BEGIN:VCARD\nVERSION:3.0\nN:Zed;Zoe;;;\nFN:Zoe Zed\nEND:VCARD\n"_s);
        trigger(window, Id::Paste);
        QVERIFY(Test::rowOf(window, u"Zoe Zed"_s) >= 0);
        QCOMPARE(window->document()->undoStack()->count(), steps + 1);
    }

    void cutIsCopyThenDeleteInOneStep()
    {
        DocumentWindow* window = open(u"ui/contacts.vcf"_s);
        Test::selectRows(window, {Test::rowOf(window, u"Ben Baker"_s)});
        trigger(window, Id::Cut);
        QVERIFY(QApplication::clipboard()->mimeData()->data(u"text/x-vcard"_s).contains("FN:Ben Baker"));
        QCOMPARE(Test::rowOf(window, u"Ben Baker"_s), -1);
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(window->document()->undoStack()->count(), 1);
        window->document()->undoStack()->undo();
        QVERIFY(Test::rowOf(window, u"Ben Baker"_s) >= 0);
    }

    void exportSuggestsTheContactAndReportsFailure()
    {
        DocumentWindow* window = open(u"ui/contacts.vcf"_s);
        Test::selectRows(window, {Test::rowOf(window, u"Ben Baker"_s)});
        FileDialog::setNextFileNames({dir().filePath(u"missing/folder/out.vcf"_s)});
        MessageBox::setNextAnswer(0);
        trigger(window, Id::ExportContactAsVCard);
        QCOMPARE(QFileInfo(FileDialog::lastOptions().directory).fileName(), u"Ben Baker.vcf"_s);
        QCOMPARE(FileDialog::lastOptions().fileNameLabel, u"Export As:"_s);
        QCOMPARE(MessageBox::shown().last().message, u"Can't save the file"_s);
        QVERIFY(
            MessageBox::shown().last().informativeText.startsWith(u"Something error happned in saving operation. "_s));
    }

    void dropsBetweenRowsOnly()
    {
        DocumentWindow* window = open(u"ui/contacts.vcf"_s);
        ContactsTableView* view = window->tableView();
        const int contacts = contactCount(window);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(Test::dataPath(u"ui/import.vcf"_s))});
        const QRect row = view->visualRect(view->model()->index(1, 0));
        // From another application: the drag has no source here.
        QVERIFY(!view->dropData(row.center(), data, nullptr));
        QCOMPARE(contactCount(window), contacts);
        QVERIFY(!view->dropData(QPoint(row.center().x(), row.top() + 1), data, view));
        QVERIFY(view->dropData(QPoint(row.center().x(), row.top() + 1), data, nullptr));
        QVERIFY(contactCount(window) > contacts);
        QCOMPARE(window->document()->undoStack()->count(), 1);
    }

    void findBarFindsStepsAndReplaces()
    {
        DocumentWindow* window = open(u"table/find-contacts.vcf"_s);
        window->pane()->viewTypePopupSelected(u"Phone"_s);
        FindBar* bar = window->pane()->findBar();
        QVERIFY(!bar->isVisible());
        trigger(window, Id::Find);
        QVERIFY(bar->isVisible());
        QTest::keyClicks(bar->findField(), u"Lee"_s);
        const int matches = window->pane()->textFinder()->matchCount();
        QVERIFY(matches >= 2);
        QCOMPARE(bar->countText(), u"1 of %1"_s.arg(matches));
        trigger(window, Id::FindNext);
        QCOMPARE(bar->countText(), u"2 of %1"_s.arg(matches));
        QCOMPARE(window->tableController()->searchString(), u"Lee"_s);

        trigger(window, Id::FindAndReplace);
        QVERIFY(bar->replaceField()->isVisible());
        QTest::keyClicks(bar->replaceField(), u"Li"_s);
        bar->findChild<QPushButton*>(u"replaceAllButton"_s)->click();
        QVERIFY(Test::rowOf(window, u"Ann Li"_s) >= 0);
        QVERIFY(Test::rowOf(window, u"Liward Ltd"_s) >= 0);
        QCOMPARE(window->document()->undoStack()->count(), 1);
        window->document()->undoStack()->undo();
        QVERIFY(Test::rowOf(window, u"Ann Lee"_s) >= 0);

        // Escape hides the bar and every mark in the cells.
        QTest::keyClick(bar->findField(), Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
        QVERIFY(window->tableController()->searchString().isEmpty());
        QVERIFY(!window->tableController()->currentMatch().isValid());
    }

    void workspaceActionsOpenUrls()
    {
        const QList<QUrl>& opened = Test::catchOpenedUrls();
        DocumentWindow* window = open(u"ui/contacts.vcf"_s);
        window->pane()->viewTypePopupSelected(u"Phone"_s);
        const int column = int(window->tableController()->tableIdentfiers().indexOf(Field::Phone));
        window->pane()->contactCommands()->workspaceAction(MenuAction::CallPhone, Test::rowOf(window, u"Ben Baker"_s),
                                                           column);
        QCOMPARE(opened, QList<QUrl>{QUrl(u"tel:+12125550199"_s)});
    }

private:
    static int contactCount(DocumentWindow* window)
    {
        return int(window->document()->collection().liveContacts().size());
    }
    static void trigger(DocumentWindow* window, Id id)
    {
        window->menus()->validate();
        QVERIFY2(window->pane()->contactActions()->action(id)->isEnabled(), "the command is off");
        window->pane()->contactActions()->action(id)->trigger();
    }
};

QTEST_MAIN(TestContactWindow)
#include "tst_contactwindow.moc"
