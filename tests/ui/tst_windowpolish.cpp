// How the document window behaves as a desktop window: a row always selected, rows that say whose
// values they show, the keyboard kept on the contacts, the edited mark following undo, toolbar
// buttons, panels that start where the user was, alerts over their own window, cut texts and the
// empty state.

#include "UiTestSupport.h"
#include "WindowTestCase.h"
#include "app/DocumentController.h"
#include "documents/ContactDocument.h"
#include "documents/ContactPane.h"
#include "documents/DocumentFileCommands.h"
#include "documents/DocumentMenus.h"
#include "documents/DocumentWindow.h"
#include "documents/ExchangeCommands.h"
#include "formats/ImportPanel.h"
#include "model/FieldIdentifiers.h"
#include "support/FileDialog.h"
#include "support/MessageBox.h"
#include "support/ThemeIcons.h"
#include "table/CellText.h"
#include "table/ContactsTableView.h"
#include "table/ContactsViewController.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Quillary;
using namespace Quillary::Ui;
using Command = DocumentMenus::Command;

class TestWindowPolish : public Test::WindowTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void keepsARowSelected()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        QTRY_COMPARE(window->tableController()->selectedIndexes(), QList<int>{0});
        QVERIFY(window->menus()->action(Command::ExportAsVCard)->isEnabled());

        // A click below the rows, a Ctrl-click on the only selected row: one row stays selected.
        ContactsTableView* view = window->tableView();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(10, view->viewport()->height() - 2));
        QCOMPARE(window->tableController()->selectedIndexes(), QList<int>{0});
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          view->visualRect(view->model()->index(0, 0)).center());
        QTRY_COMPARE(window->tableController()->selectedIndexes(), QList<int>{0});
    }

    void rowsApartShowWhoseTheyAre()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
        window->tableView()->horizontalHeader()->setSortIndicator(1, Qt::DescendingOrder);
        const ContactsViewController* table = window->tableController();
        const SubContactTable& rows = table->subContactTable();
        QVERIFY(std::any_of(rows.cbegin(), rows.cend(), [](const SubContactRow& row) { return row.index > 0; }));
        // Every row below another contact's row names its own contact.
        for (int row = 1; row < rows.size(); ++row) {
            if (rows.at(row).uniqueId() != rows.at(row - 1).uniqueId())
                QCOMPARE(table->cell(row, 0).text, rows.at(row).person().compositeName());
        }
    }

    void keyboardStaysOnTheContacts()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        ContactsTableView* view = window->tableView();
        view->setFocus();
        const int last = view->model()->rowCount() - 2; // the row above the summary row
        view->selectionModel()->setCurrentIndex(view->model()->index(last, 0), QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(view->currentIndex().row(), last);
        view->selectionModel()->setCurrentIndex(view->model()->index(0, 0), QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(view->currentIndex().row(), last);
    }

    void undoToTheSavedStateClearsTheMark()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
        ContactsTableView* view = window->tableView();
        view->setFocus();
        const int ben = Test::rowOf(window, QStringLiteral("Ben Baker"));
        view->selectionModel()->setCurrentIndex(view->model()->index(ben, 1),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTest::keyClick(view, Qt::Key_F2);
        QLineEdit* editor = Test::cellEditor(window);
        QVERIFY(editor);
        editor->setText(QStringLiteral("+1 212 555 0100"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(window->isWindowModified());
        window->menus()->action(Command::Undo)->trigger();
        QVERIFY(!window->isWindowModified());
        QCOMPARE(window->windowTitle(), QStringLiteral("contacts.vcf[*] — Quillary"));
    }

    void toolbarButtonsForgetThePointer()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        auto* button = window->findChild<QToolButton*>(QStringLiteral("columnsPopup"));
        QVERIFY(button && button->menu());
        QVERIFY(!button->icon().isNull());
        // The stored view types are shared with the address-book window, whose "Default" documents lack.
        QCOMPARE(window->findChild<QComboBox*>(QStringLiteral("viewTypePopup"))->findData(QStringLiteral("Default")),
                 -1);
        QCursor::setPos(window->mapToGlobal(QPoint(window->width() / 2, window->height() - 5)));
        button->setAttribute(Qt::WA_UnderMouse, true);
        Q_EMIT button->menu()->aboutToHide();
        QTRY_VERIFY(!button->underMouse());
    }

    void panelsStartInTheFolderUsedLast()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        // Nothing chosen yet: the Documents folder.
        FileDialog::setNextFileNames({});
        controller().openDocumentWithPanel(window);
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString start = QFileInfo(documents).isDir() ? documents : QDir::homePath();
        QCOMPARE(FileDialog::lastOptions().directory, start);

        // A file chosen in a folder: import and export start there.
        const QString chosen = Test::copyData(dir(), QStringLiteral("ui/import.vcf"));
        FileDialog::setNextFileNames({chosen});
        ImportPanel::setNextSelection({0});
        window->pane()->exchangeCommands()->importFromVCard();
        QCOMPARE(FileDialog::lastOptions().directory, start);
        FileDialog::setNextFileNames({});
        window->pane()->exchangeCommands()->exportAsCSV();
        QCOMPARE(FileDialog::lastOptions().directory, QDir(dir().path()).filePath(QStringLiteral("contacts.csv")));
    }

    void alertsAreCentredOnTheirWindow()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        window->setGeometry(300, 200, 900, 600);
        QPoint alertCentre;
        QTimer::singleShot(0, window, [&alertCentre] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* alert = qobject_cast<QMessageBox*>(widget); alert && alert->isVisible()) {
                    alertCentre = alert->frameGeometry().center();
                    alert->reject();
                }
            }
        });
        // Asked by a widget deep inside the window.
        MessageBox::alert(window->tableView()->viewport(), QStringLiteral("Message"), QStringLiteral("Text"));
        QVERIFY((alertCentre - window->frameGeometry().center()).manhattanLength() < 60);
    }

    void emptyDocumentSaysWhatToDo()
    {
        const auto emptyState = [](DocumentWindow* window) {
            return window->findChild<QWidget*>(QStringLiteral("emptyState"));
        };
        DocumentWindow* empty = controller().newDocument();
        QVERIFY(emptyState(empty)->isVisible());
        QVERIFY(!emptyState(empty)->accessibleName().isEmpty());
        QVERIFY(!emptyState(open(QStringLiteral("ui/contacts.vcf")))->isVisible());
    }

    void cutTextsEndInAnEllipsis_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("widthInChars");
        QTest::addColumn<int>("markAt"); // a find mark one character long
        QTest::addColumn<bool>("elided");
        QTest::addColumn<int>("marksKept");
        QTest::newRow("fits") << "ann@example.org" << 40 << 3 << false << 1;
        QTest::newRow("too long") << "a-very-long-mailbox-name@example.org" << 10 << 0 << true << 1;
        QTest::newRow("mark past the cut") << "a-very-long-mailbox-name@example.org" << 10 << 24 << true << 0;
        QTest::newRow("each line on its own")
            << "short\nand a second line that is much too long" << 12 << 7 << true << 1;
    }

    void cutTextsEndInAnEllipsis()
    {
        QFETCH(QString, text);
        QFETCH(int, widthInChars);
        QFETCH(int, markAt);
        QFETCH(bool, elided);
        QFETCH(int, marksKept);
        const QFontMetrics metrics(QApplication::font());
        const int width = metrics.horizontalAdvance(QString(widthInChars, u'x'));
        const CellText::Fitted fitted = CellText::fit(text, metrics, width, {{markAt, 1, false}});
        QCOMPARE(fitted.elided, elided);
        QCOMPARE(fitted.text.contains(QChar(0x2026)), elided);
        for (const QString& line : fitted.text.split(QChar::LineSeparator))
            QVERIFY2(metrics.horizontalAdvance(line) <= width, qPrintable(line));
        QCOMPARE(fitted.highlights.size(), marksKept);
        // A mark stays on the character it marked.
        for (const TextHighlight& mark : fitted.highlights)
            QCOMPARE(fitted.text.at(mark.start), text.at(markAt));
        QCOMPARE(CellText::fits(text, metrics, width), !elided);
    }
};

QTEST_MAIN(TestWindowPolish)
#include "tst_windowpolish.moc"
