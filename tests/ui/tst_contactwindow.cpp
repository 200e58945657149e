// The commands on contacts in a document window, driven as a user does: the menu actions, the
// clipboard, drops on the table, and the find bar.

#include "TestSupport.h"
#include "UiTestSupport.h"
#include "WindowTestCase.h"
#include "documents/ContactActions.h"
#include "documents/ContactDocument.h"
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
#include <QDesktopServices>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

using namespace Quillary;
using namespace Quillary::Ui;
using Id = ContactActions::Id;

class UrlCatcher : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }

public:
    QList<QUrl> opened;
};

class TestContactWindow : public Test::WindowTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void addDeleteDuplicateAndUndo();
    void copyAndPaste();
    void cutIsCopyThenDeleteInOneStep();
    void exportSuggestsTheContactAndReportsFailure();
    void dropsBetweenRowsOnly();
    void findBarFindsStepsAndReplaces();
    void workspaceActionsOpenUrls();

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

void TestContactWindow::addDeleteDuplicateAndUndo()
{
    DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
    QVERIFY(window && window->pane()->editState());
    const int contacts = contactCount(window);
    QUndoStack* undo = window->document()->undoStack();

    trigger(window, Id::AddContact);
    QCOMPARE(contactCount(window), contacts + 1);
    QCOMPARE(window->tableController()->selectedIndexes(), QList<int>{Test::rowOf(window, QStringLiteral("new"))});
    QCOMPARE(window->findChildren<NameEditor*>().size(), 1); // a new contact is named first
    undo->undo();
    QCOMPARE(Test::rowOf(window, QStringLiteral("new")), -1);

    Test::selectRows(window, {Test::rowOf(window, QStringLiteral("Ben Baker"))});
    MessageBox::setNextAnswer(0);
    trigger(window, Id::DeleteContact);
    QCOMPARE(MessageBox::shown().last().message, QStringLiteral("Do you want to remove the contact?"));
    QCOMPARE(Test::rowOf(window, QStringLiteral("Ben Baker")), -1);
    undo->undo();
    QVERIFY(Test::rowOf(window, QStringLiteral("Ben Baker")) >= 0);

    Test::selectRows(window, {Test::rowOf(window, QStringLiteral("Ben Baker"))});
    trigger(window, Id::DuplicateContact);
    QCOMPARE(Test::namesInOrder(window).count(QStringLiteral("Ben Baker")), 2);
    undo->undo();
    QCOMPARE(Test::namesInOrder(window).count(QStringLiteral("Ben Baker")), 1);
    QCOMPARE(contactCount(window), contacts);
}

void TestContactWindow::copyAndPaste()
{
    DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
    window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
    ContactsViewController* table = window->tableController();
    const int aiko = Test::rowOf(window, QStringLiteral("Aiko Kimura"));
    window->document()->undoRegistry().undoAddLabeledValue(LabeledValue::withText(QStringLiteral("work"), "03 1234"),
                                                           Field::Phone, table->subContactTable().at(aiko).contact);
    const int first = Test::rowOf(window, QStringLiteral("Aiko Kimura"));
    Test::selectRows(window, {first, first + 1, first + 2});
    trigger(window, Id::Copy);
    QCOMPARE(QApplication::clipboard()->text().split(u'\n').size(), 3);
    trigger(window, Id::CopyAsVCard);
    QCOMPARE(QApplication::clipboard()->mimeData()->data(QStringLiteral("text/vcard")).count("BEGIN:VCARD"), 1);

    // A text editor's vCard text comes in as a contact of its own, as one undo step.
    const int steps = window->document()->undoStack()->count();
    QApplication::clipboard()->setText(
        QStringLiteral("BEGIN:VCARD\nVERSION:3.0\nN:Zed;Zoe;;;\nFN:Zoe Zed\nEND:VCARD\n"));
    trigger(window, Id::Paste);
    QVERIFY(Test::rowOf(window, QStringLiteral("Zoe Zed")) >= 0);
    QCOMPARE(window->document()->undoStack()->count(), steps + 1);
}

void TestContactWindow::cutIsCopyThenDeleteInOneStep()
{
    DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
    Test::selectRows(window, {Test::rowOf(window, QStringLiteral("Ben Baker"))});
    trigger(window, Id::Cut);
    QVERIFY(QApplication::clipboard()->mimeData()->data(QStringLiteral("text/x-vcard")).contains("FN:Ben Baker"));
    QCOMPARE(Test::rowOf(window, QStringLiteral("Ben Baker")), -1);
    QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(window->document()->undoStack()->count(), 1);
    window->document()->undoStack()->undo();
    QVERIFY(Test::rowOf(window, QStringLiteral("Ben Baker")) >= 0);
}

void TestContactWindow::exportSuggestsTheContactAndReportsFailure()
{
    DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
    Test::selectRows(window, {Test::rowOf(window, QStringLiteral("Ben Baker"))});
    FileDialog::setNextFileNames({dir().filePath(QStringLiteral("missing/folder/out.vcf"))});
    MessageBox::setNextAnswer(0);
    trigger(window, Id::ExportContactAsVCard);
    QCOMPARE(QFileInfo(FileDialog::lastOptions().directory).fileName(), QStringLiteral("Ben Baker.vcf"));
    QCOMPARE(FileDialog::lastOptions().fileNameLabel, QStringLiteral("Export As:"));
    QCOMPARE(MessageBox::shown().last().message, QStringLiteral("Can't save the file"));
    QVERIFY(MessageBox::shown().last().informativeText.startsWith(
        QStringLiteral("Something error happned in saving operation. ")));
}

void TestContactWindow::dropsBetweenRowsOnly()
{
    DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
    ContactsTableView* view = window->tableView();
    const int contacts = contactCount(window);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Test::dataPath(QStringLiteral("ui/import.vcf")))});
    const QRect row = view->visualRect(view->model()->index(1, 0));
    // From another application: the drag has no source here.
    QVERIFY(!view->dropData(row.center(), data, nullptr));
    QCOMPARE(contactCount(window), contacts);
    QVERIFY(!view->dropData(QPoint(row.center().x(), row.top() + 1), data, view));
    QVERIFY(view->dropData(QPoint(row.center().x(), row.top() + 1), data, nullptr));
    QVERIFY(contactCount(window) > contacts);
    QCOMPARE(window->document()->undoStack()->count(), 1);
}

void TestContactWindow::findBarFindsStepsAndReplaces()
{
    DocumentWindow* window = open(QStringLiteral("table/find-contacts.vcf"));
    window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
    FindBar* bar = window->pane()->findBar();
    QVERIFY(!bar->isVisible());
    trigger(window, Id::Find);
    QVERIFY(bar->isVisible());
    QTest::keyClicks(bar->findField(), QStringLiteral("Lee"));
    const int matches = window->pane()->textFinder()->matchCount();
    QVERIFY(matches >= 2);
    QCOMPARE(bar->countText(), QStringLiteral("1 of %1").arg(matches));
    trigger(window, Id::FindNext);
    QCOMPARE(bar->countText(), QStringLiteral("2 of %1").arg(matches));
    QCOMPARE(window->tableController()->searchString(), QStringLiteral("Lee"));

    trigger(window, Id::FindAndReplace);
    QVERIFY(bar->replaceField()->isVisible());
    QTest::keyClicks(bar->replaceField(), QStringLiteral("Li"));
    bar->findChild<QPushButton*>(QStringLiteral("replaceAllButton"))->click();
    QVERIFY(Test::rowOf(window, QStringLiteral("Ann Li")) >= 0);
    QVERIFY(Test::rowOf(window, QStringLiteral("Liward Ltd")) >= 0);
    QCOMPARE(window->document()->undoStack()->count(), 1);
    window->document()->undoStack()->undo();
    QVERIFY(Test::rowOf(window, QStringLiteral("Ann Lee")) >= 0);

    // Escape hides the bar and every mark in the cells.
    QTest::keyClick(bar->findField(), Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
    QVERIFY(window->tableController()->searchString().isEmpty());
    QVERIFY(!window->tableController()->currentMatch().isValid());
}

void TestContactWindow::workspaceActionsOpenUrls()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("tel"), &catcher, "open");
    DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
    window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
    const int column = int(window->tableController()->tableIdentfiers().indexOf(Field::Phone));
    window->pane()->contactCommands()->workspaceAction(MenuAction::CallPhone,
                                                       Test::rowOf(window, QStringLiteral("Ben Baker")), column);
    QDesktopServices::unsetUrlHandler(QStringLiteral("tel"));
    QCOMPARE(catcher.opened, QList<QUrl>{QUrl(QStringLiteral("tel:+12125550199"))});
}

QTEST_MAIN(TestContactWindow)
#include "tst_contactwindow.moc"
