// The commands of a document window from the keyboard and the menus: typing in cells with Return,
// Tab and Escape, the menus built from the document, the progress window, the recent files, and
// the close rules of vCard documents.

#include "TestSupport.h"
#include "UiTestSupport.h"
#include "WindowTestCase.h"
#include "app/ApplicationStartup.h"
#include "app/DocumentController.h"
#include "documents/ContactDocument.h"
#include "documents/ContactPane.h"
#include "documents/DocumentFileCommands.h"
#include "documents/DocumentMenus.h"
#include "documents/DocumentWindow.h"
#include "documents/ExchangeCommands.h"
#include "documents/GroupMenuModel.h"
#include "documents/Preferences.h"
#include "documents/ProgressAlert.h"
#include "formats/ImportPanel.h"
#include "groups/GroupMenuList.h"
#include "groups/GroupSideBar.h"
#include "model/FieldIdentifiers.h"
#include "support/FileDialog.h"
#include "support/MessageBox.h"
#include "table/ContactsTableModel.h"
#include "table/ContactsTableView.h"
#include "table/ContactsViewController.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Quillary;
using namespace Quillary::Ui;
using Command = DocumentMenus::Command;
using Test::cellEditor;
using Test::cellText;
using Test::namesInOrder;
using Test::rowOf;
using Test::selectRows;

class TestWindowCommands : public Test::WindowTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void startupOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("files");
        QTest::addColumn<QString>("screenshot");
        QTest::addColumn<bool>("quitWhenShown");
        QTest::addColumn<QString>("viewType");

        QTest::newRow("nothing") << QStringList{QStringLiteral("quillary")} << 0 << QString() << false << QString();
        QTest::newRow("files") << QStringList{QStringLiteral("quillary"), QStringLiteral("a.vcf"),
                                              QStringLiteral("/b.csv")}
                               << 2 << QString() << false << QString();
        QTest::newRow("picture") << QStringList{QStringLiteral("quillary"), QStringLiteral("--screenshot=/tmp/w.png"),
                                                QStringLiteral("--view-type=Labeled Values"), QStringLiteral("a.vcf")}
                                 << 1 << QStringLiteral("/tmp/w.png") << false << QStringLiteral("Labeled Values");
        QTest::newRow("measure") << QStringList{QStringLiteral("quillary"), QStringLiteral("--quit-when-shown"),
                                                QStringLiteral("--unknown"), QStringLiteral("a.vcf")}
                                 << 1 << QString() << true << QString();
    }

    void startupOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, files);
        QFETCH(QString, screenshot);
        QFETCH(bool, quitWhenShown);
        QFETCH(QString, viewType);
        const ApplicationStartup::Options options = ApplicationStartup::parse(arguments);
        QCOMPARE(options.files.size(), files);
        for (const QString& file : options.files)
            QVERIFY(QFileInfo(file).isAbsolute());
        QCOMPARE(options.screenshotPath, screenshot);
        QCOMPARE(options.quitWhenShown, quitWhenShown);
        QCOMPARE(options.viewType, viewType);
    }

    void typingWithTheKeyboard()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
        ContactsTableView* view = window->tableView();
        view->setFocus();
        const int ben = rowOf(window, QStringLiteral("Ben Baker"));
        view->setCurrentIndex(view->model()->index(ben, 1));

        // Return on a cell starts typing in it.
        QTest::keyClick(view, Qt::Key_Return);
        QLineEdit* editor = cellEditor(window);
        QVERIFY(editor);
        QCOMPARE(editor->text(), QStringLiteral("+1 212 555 0199"));
        // Escape leaves the value as it was.
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(!cellEditor(window));
        QCOMPARE(cellText(window, rowOf(window, QStringLiteral("Ben Baker")), Field::Phone),
                 QStringLiteral("+1 212 555 0199"));
        QVERIFY(!window->isWindowModified());

        // Tab past the last column goes on in the next row; Shift-Tab back before the first goes up.
        view->setCurrentIndex(view->model()->index(ben, 1));
        QTest::keyClick(view, Qt::Key_F2);
        QVERIFY(cellEditor(window));
        cellEditor(window)->setText(QStringLiteral("+1 212 555 0100"));
        QTest::keyClick(cellEditor(window), Qt::Key_Tab);
        QTRY_COMPARE(cellText(window, rowOf(window, QStringLiteral("Ben Baker")), Field::Phone),
                     QStringLiteral("+1 212 555 0100"));
        QTRY_VERIFY(cellEditor(window));
        QCOMPARE(view->currentIndex().row(), rowOf(window, QStringLiteral("Ben Baker")) + 1);
        QTest::keyClick(cellEditor(window), Qt::Key_Backtab);
        QTRY_COMPARE(view->currentIndex().row(), rowOf(window, QStringLiteral("Ben Baker")));
        QTRY_VERIFY(cellEditor(window));
        QTest::keyClick(cellEditor(window), Qt::Key_Escape);
        QTRY_VERIFY(!cellEditor(window));
        QCOMPARE(window->document()->undoStack()->count(), 1);

        // Locking the window drops a half-typed text.
        view->setCurrentIndex(view->model()->index(rowOf(window, QStringLiteral("Ben Baker")), 1));
        QTest::keyClick(view, Qt::Key_Return);
        QVERIFY(cellEditor(window));
        cellEditor(window)->setText(QStringLiteral("not kept"));
        window->pane()->setEditMode(false);
        QTRY_VERIFY(!cellEditor(window));
        QCOMPARE(cellText(window, rowOf(window, QStringLiteral("Ben Baker")), Field::Phone),
                 QStringLiteral("+1 212 555 0100"));
        QTest::keyClick(view, Qt::Key_Return); // nothing to type into outside edit mode
        QVERIFY(!cellEditor(window));
    }

    void menusFollowTheDocument()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        auto* columns = window->findChild<QMenu*>(QStringLiteral("columnsMenu"));
        QVERIFY(columns);
        Q_EMIT columns->aboutToShow();
        QVERIFY(actionTitled(columns, QStringLiteral("Email"))->isChecked());
        QVERIFY(!actionTitled(columns, QStringLiteral("Phone"))->isChecked());
        actionTitled(columns, QStringLiteral("Phone"))->trigger();
        QCOMPARE(window->tableController()->tableIdentfiers(), (QStringList{Field::Name, Field::Phone, Field::Email}));
        Q_EMIT columns->aboutToShow();
        QVERIFY(actionTitled(columns, QStringLiteral("Phone"))->isChecked());

        auto* viewTypes = window->findChild<QMenu*>(QStringLiteral("viewTypeMenu"));
        Q_EMIT viewTypes->aboutToShow();
        QVERIFY(actionTitled(viewTypes, QStringLiteral("Email"))->isChecked());
        actionTitled(viewTypes, QStringLiteral("Address Detail"))->trigger();
        QCOMPARE(window->tableController()->tableIdentfiers().mid(1),
                 (QStringList{Field::ZIP, Field::State, Field::City, Field::Street, Field::Country}));
        QCOMPARE(Preferences::instance().value(Preferences::Key::SelectedViewType).toString(),
                 QStringLiteral("Address Detail"));

        auto* labels = window->findChild<QMenu*>(QStringLiteral("selectLabelMenu"));
        window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
        Q_EMIT labels->aboutToShow();
        QVERIFY(actionTitled(labels, QStringLiteral("All"))->isChecked());
        actionTitled(labels, QStringLiteral("work"))->trigger();
        Q_EMIT labels->aboutToShow();
        QVERIFY(!actionTitled(labels, QStringLiteral("All"))->isChecked());
        QVERIFY(actionTitled(labels, QStringLiteral("work"))->isChecked());

        auto* groups = window->findChild<QMenu*>(QStringLiteral("selectGroupMenu"));
        Q_EMIT groups->aboutToShow();
        QCOMPARE(groups->actions().first()->text(), QStringLiteral("Show Groups"));
        QVERIFY(actionTitled(groups, QStringLiteral("All Contacts"))->isChecked());
        actionTitled(groups, QStringLiteral("Work"))->trigger();
        QCOMPARE(window->document()->collection().selectedGroupDict->groupName, QStringLiteral("Work"));
        QVERIFY(!actionTitled(groups, QStringLiteral("Add Group"))->isEnabled()); // the side bar is hidden

        auto* sortOptions = window->findChild<QMenu*>(QStringLiteral("sortOptionsMenu"));
        Q_EMIT sortOptions->aboutToShow();
        QMenu* email = actionTitled(sortOptions, QStringLiteral("Email"))->menu();
        QVERIFY(actionTitled(email, QStringLiteral("Email"))->isChecked());
        actionTitled(email, QStringLiteral("Email domain"))->trigger();
        Q_EMIT sortOptions->aboutToShow();
        email = actionTitled(sortOptions, QStringLiteral("Email"))->menu();
        QVERIFY(actionTitled(email, QStringLiteral("Email domain"))->isChecked());

        // A CSV document has one group: nothing to choose between.
        DocumentWindow* csv = open(QStringLiteral("ui/contacts.csv"));
        QVERIFY(csv);
        auto* csvGroups = csv->findChild<QMenu*>(QStringLiteral("selectGroupMenu"));
        Q_EMIT csvGroups->aboutToShow();
        QVERIFY(!actionTitled(csvGroups, QStringLiteral("All Contacts"))->isEnabled());
        csv->tableView()->selectAll();
        csv->menus()->validate();
        QVERIFY(!csv->menus()->action(Command::ExportAsCsv)->isEnabled());
        QVERIFY(csv->menus()->action(Command::ExportAsVCard)->isEnabled());
    }

    void groupMenuOfManyGroups()
    {
        // A category per contact: an item each would take minutes to build and could not be used.
        QFile file(dir().filePath(QStringLiteral("groups.vcf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        constexpr int Count = 100000;
        for (int i = 0; i < Count; ++i)
            file.write("BEGIN:VCARD\r\nN:P;" + QByteArray::number(i) + "\r\nCATEGORIES:G" + QByteArray::number(i)
                       + "\r\nEND:VCARD\r\n");
        file.close();
        DocumentWindow* window = controller().openDocument(file.fileName());
        QVERIFY(window);
        // Down from the filter moves into the list, from the selected group when the filter shows it.
        const QList<std::pair<const char*, QString>> menus{{"selectGroupMenu", QStringLiteral("G99990")},
                                                           {"groupPopupMenu", QStringLiteral("G99991")}};
        for (const auto& [name, chosen] : menus) {
            auto* menu = window->findChild<QMenu*>(QString::fromLatin1(name));
            Q_EMIT menu->aboutToShow();
            QVERIFY(menu->actions().size() < 10);
            auto* list = menu->findChild<GroupMenuList*>();
            QVERIFY(list);
            QCOMPARE(list->model()->rowCount(), Count + 1);
            QCOMPARE(list->model()->groupAt(list->listView()->currentIndex().row()),
                     window->document()->collection().selectedGroupDict);
            QTest::keyClicks(list->filterField(), QStringLiteral("g9999"));
            QCOMPARE(list->model()->rowCount(), 11); // G9999 and G99990 to G99999
            QTest::keyClick(list->filterField(), Qt::Key_Down);
            QTest::keyClick(list->listView(), Qt::Key_Return);
            QCOMPARE(window->document()->collection().selectedGroupDict->groupName, chosen);
        }
        QCOMPARE(window->tableController()->subContactTable().size(), 1);
        // The side bar, built when it opens, lists them all.
        window->pane()->showGroupView();
        QCOMPARE(window->pane()->sideBar()->topLevelItem(0)->childCount(), Count + 1);
        QVERIFY(window->pane()->sideBar()->itemForGroup(window->document()->collection().groupTable.last()));
    }

    void progressWindowOverALargeRead()
    {
        QFile file(dir().filePath(QStringLiteral("large.vcf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < 20000; ++i) {
            file.write("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Person;" + QByteArray::number(i)
                       + ";;;\r\nTEL;TYPE=CELL:+1 555 " + QByteArray::number(100000 + i)
                       + "\r\nNOTE:a note long enough to make the file large\r\nEND:VCARD\r\n");
        }
        file.close();
        QVERIFY(ContactDocument::wantsBackgroundRead(file.fileName()));

        // The window is there while the file is read; Cancel leaves no document.
        QString message;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal->objectName() != QStringLiteral("progressAlert"))
                return;
            poll.stop();
            message = modal->findChild<QLabel*>(QStringLiteral("alertMessage"))->text();
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("cancelButton")), Qt::LeftButton);
        });
        poll.start(1);
        DocumentWindow* window = controller().openDocument(file.fileName());
        poll.stop();
        if (message.isEmpty())
            QSKIP("the file was read before the progress window could be answered");
        QCOMPARE(message, QStringLiteral("Reading: large.vcf"));
        QVERIFY(!window);
        QVERIFY(controller().windows().isEmpty());
        QVERIFY(MessageBox::shown().isEmpty()); // a cancelled read says nothing
    }

    void filesGivenAtLaunchAreReadAhead_data()
    {
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<bool>("startedEarly");
        QTest::newRow("detected, as read ahead") << QByteArray("auto") << false;
        QTest::newRow("in an encoding of its own: read again") << QByteArray("UTF-8") << false;
        QTest::newRow("started before the controller, taken over") << QByteArray("auto") << true;
    }

    void filesGivenAtLaunchAreReadAhead()
    {
        QFETCH(QByteArray, encoding);
        QFETCH(bool, startedEarly);
        QFile file(dir().filePath(QStringLiteral("ahead.vcf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < 3000; ++i)
            file.write("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ahead;" + QByteArray::number(i)
                       + ";;;\r\nNOTE:a note long enough to make the file large\r\nEND:VCARD\r\n");
        file.close();
        QVERIFY(ContactDocument::wantsBackgroundRead(file.fileName()));
        ReadAheads early;
        if (startedEarly)
            early.start(file.fileName());
        controller().readAhead(file.fileName(), &early);
        QVERIFY(!early.take(file.fileName())); // the controller has it
        DocumentWindow* window = controller().openDocument(file.fileName(), encoding);
        QVERIFY(window);
        QCOMPARE(window->document()->collection().contactTable.size(), 3000);
        QCOMPARE(window->document()->encoding(), QByteArray("UTF-8"));
        // Read once: opening it again shows the same window.
        QCOMPARE(controller().openDocument(file.fileName()), window);
        // A file read ahead and never opened goes with its controller, its reading stopped.
        auto other = std::make_unique<DocumentController>(Preferences::instance());
        other->readAhead(file.fileName());
        other.reset();
        // As does one started early that no window asked for.
        early.start(file.fileName());
    }

    void progressWindowOnlyForLongWork_data()
    {
        Test::addColumns<int, int, bool>("elapsed", "percent", "shown");
        QTest::newRow("before the delay") << 100 << 10 << false;
        QTest::newRow("nothing done yet") << 250 << 0 << true;
        QTest::newRow("half done at the delay") << 250 << 50 << false;
        // The work would end within the window's minimum time: the window would only hold it up.
        QTest::newRow("a third done at the delay") << 250 << 33 << false;
        QTest::newRow("a fifth done at the delay") << 250 << 20 << true;
        QTest::newRow("nearly done later") << 900 << 90 << false;
        QTest::newRow("half done after four delays") << 1000 << 50 << true;
        QTest::newRow("eight delays gone") << 2000 << 99 << true;
    }

    void progressWindowOnlyForLongWork()
    {
        QFETCH(int, elapsed);
        QFETCH(int, percent);
        QFETCH(bool, shown);
        ProgressAlert::setTimings(250, 1000);
        const bool decided = ProgressAlert::shouldShow(elapsed, percent);
        ProgressAlert::setTimings(0, 0);
        QCOMPARE(decided, shown);
    }

    void recentFiles()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        auto* recent = window->findChild<QMenu*>(QStringLiteral("recentMenu"));
        Q_EMIT recent->aboutToShow();
        QVERIFY(actionTitled(recent, QStringLiteral("contacts.vcf")));
        QVERIFY(actionTitled(recent, QStringLiteral("Clear Menu"))->isEnabled());
        const QString path = window->document()->filePath();
        delete window;
        QMenu menu;
        controller().fillRecentMenu(&menu, nullptr);
        actionTitled(&menu, QStringLiteral("contacts.vcf"))->trigger();
        QCOMPARE(controller().windows().size(), 1);
        QCOMPARE(controller().windows().first()->document()->filePath(), path);
        controller().fillRecentMenu(&menu, nullptr);
        actionTitled(&menu, QStringLiteral("Clear Menu"))->trigger();
        QVERIFY(Preferences::instance().recentDocuments().isEmpty());
    }

    void vCardDocumentWritesItsChangesOnClose()
    {
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QVERIFY(window);
        const QString path = window->document()->filePath();
        FileDialog::setNextFileNames({Test::dataPath(QStringLiteral("ui/import.vcf"))});
        ImportPanel::setNextSelection({0});
        window->pane()->exchangeCommands()->importFromVCard();
        QVERIFY(window->isWindowModified());
        QVERIFY(window->close()); // no question
        QVERIFY(MessageBox::shown().isEmpty());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("Gabriela Gomez"));
    }

    void newDocumentAsksBeforeClosing()
    {
        DocumentWindow* window = controller().newDocument();
        QCOMPARE(window->windowTitle(), QStringLiteral("Untitled[*] — Quillary"));
        QVERIFY(window->close()); // nothing in it: nothing to ask
        QTRY_VERIFY(controller().windows().isEmpty());

        window = controller().newDocument();
        window->document()->setAutosaveDelay(0);
        FileDialog::setNextFileNames({Test::dataPath(QStringLiteral("ui/import.vcf"))});
        ImportPanel::setNextSelection({0, 1});
        window->pane()->exchangeCommands()->importFromVCard();
        QCOMPARE(window->document()->collection().contactTable.size(), 2);
        MessageBox::setNextAnswer(1); // Cancel
        QVERIFY(!window->close());
        QCOMPARE(MessageBox::shown().last().buttons,
                 (QStringList{QStringLiteral("Save…"), QStringLiteral("Cancel"), QStringLiteral("Don't Save")}));
        // Save… asks where; the document then has that file.
        const QString path = dir().filePath(QStringLiteral("new.vcf"));
        MessageBox::setNextAnswer(0);
        FileDialog::setNextFileNames({path});
        QVERIFY(window->close());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count("BEGIN:VCARD"), 2);
        QVERIFY(Preferences::instance().recentDocuments().contains(path));
    }

private:
    [[nodiscard]] static QAction* actionTitled(QMenu* menu, const QString& title);
};

QAction* TestWindowCommands::actionTitled(QMenu* menu, const QString& title)
{
    for (QAction* action : menu->actions()) {
        if (action->text() == title)
            return action;
    }
    return nullptr;
}

QTEST_MAIN(TestWindowCommands)
#include "tst_windowcommands.moc"
