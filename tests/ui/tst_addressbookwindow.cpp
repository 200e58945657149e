// The address-book window on a store in a temporary folder: launch, saving what was added, undo to
// the saved state, deletion into the trash, changes made by other programs, unreadable cards, a store
// held by another process, smart groups, and closing.

#include "StoreFixture.h"
#include "UiTestSupport.h"
#include "WindowTestCase.h"
#include "addressbook/AddressBookPanels.h"
#include "addressbook/AddressBookWindow.h"
#include "app/DocumentController.h"
#include "documents/AddressBookOwner.h"
#include "documents/ContactActions.h"
#include "documents/DocumentMenus.h"
#include "documents/DocumentWindow.h"
#include "documents/Preferences.h"
#include "groups/GroupSideBar.h"
#include "model/UserAddressFormats.h"
#include "support/MessageBox.h"
#include "table/ContactsViewController.h"

#include <QAction>
#include <QDir>
#include <QTest>
#include <QToolButton>

using namespace Quillary;
using Quillary::Test::StoreFixture;
using Quillary::Ui::AddressBookWindow;
using Quillary::Ui::MessageBox;
using Command = Quillary::Ui::DocumentMenus::Command;

class TestAddressBookWindow : public Quillary::Test::WindowTestCase
{
    Q_OBJECT

    std::unique_ptr<AddressBookWindow> open(const QString& root)
    {
        auto owner = std::make_unique<AddressBookOwner>(Preferences::instance());
        owner->open(root);
        auto window = std::make_unique<AddressBookWindow>(std::move(owner), Preferences::instance(), &controller());
        window->show();
        return window;
    }

    /// The messages of the alerts shown so far.
    static QStringList alerts()
    {
        QStringList messages;
        for (const MessageBox::Record& record : MessageBox::shown())
            messages.append(record.message);
        return messages;
    }

    void selectGroup(AddressBookWindow* window, const QString& groupId)
    {
        for (const GroupEntryPtr& group : window->owner()->collection().groupTable) {
            if (group->groupId == groupId)
                window->pane()->groupPopupSelected(group);
        }
    }

private Q_SLOTS:
    void launchAlerts_data()
    {
        QTest::addColumn<QString>("store");
        QTest::addColumn<QString>("alert");
        QTest::newRow("empty store") << "empty" << QString();
        QTest::newRow("unreadable card") << "malformed"
                                         << "Some cards of AddressBook could not be read.";
        QTest::newRow("held by another process") << "held"
                                                 << "AddressBook is in use by another Quillary.";
        QTest::newRow("folder that is a file") << "file"
                                               << "Quillary can't use the folder of its address book.";
        QTest::newRow("bad address formats") << "formats"
                                             << "Cannot read AddressFormat.json.";
    }
    void launchAlerts()
    {
        QFETCH(QString, store);
        QFETCH(QString, alert);
        StoreFixture fixture;
        QString root = fixture.root();
        std::unique_ptr<VdirStore> holder;
        if (store == u"malformed") {
            fixture.write(QStringLiteral("local/bad.vcf"), "BEGIN:VCARD\nEND:VCARD\n");
        } else if (store == u"held") {
            holder = std::make_unique<VdirStore>(root);
            QVERIFY(holder->open());
        } else if (store == u"file") {
            root = fixture.path(QStringLiteral("local/not-a-folder"));
            fixture.write(QStringLiteral("local/not-a-folder"), "x");
        } else if (store == u"formats") {
            QDir().mkpath(QFileInfo(UserAddressFormats::path()).path());
            QFile file(UserAddressFormats::path());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("{\"AddressFormat\": []}");
        }
        const QByteArray before = fixture.read(QStringLiteral("local/bad.vcf"));
        MessageBox::setNextAnswer(0);
        auto window = open(root);
        window->showLaunchAlerts();
        QTest::qWait(150); // the address formats are read after the window is up
        QFile::remove(UserAddressFormats::path());
        QCOMPARE(alerts(), alert.isEmpty() ? QStringList() : QStringList{alert});
        // Held by another process, or without a folder: only looked at.
        const bool readOnly = store == u"held" || store == u"file";
        QCOMPARE(window->pane()->editButton()->isEnabled(), !readOnly);
        QCOMPARE(window->windowTitle().contains(QStringLiteral("read-only")), readOnly);
        QCOMPARE(window->tableController()->subContactTable().size(), 0);
        window.reset();
        QCOMPARE(fixture.read(QStringLiteral("local/bad.vcf")), before);
    }

    void accountsGroupsAndSmartGroups()
    {
        StoreFixture fixture;
        fixture.writeTwoAccounts();
        auto window = open(fixture.root());
        QCOMPARE(Test::namesInOrder(window.get()), (QStringList{"Ann Lee", "Bob Stone"}));
        selectGroup(window.get(), QStringLiteral("Friends (On My Computer)"));
        QCOMPARE(Test::namesInOrder(window.get()), QStringList{"Ann Lee"});
        selectGroup(window.get(), QStringLiteral("All Contacts (Work)"));
        QCOMPARE(Test::namesInOrder(window.get()), QStringList{"Carol King"});
        // A smart group finds across the accounts, and is selected once made.
        Ui::AddressBookPanels::setNextSmartGroup(SmartGroup{{},
                                                            QStringLiteral("Callers"),
                                                            Field::Phone,
                                                            QStringLiteral("All"),
                                                            QStringLiteral("555-01"),
                                                            SmartGroup::Mode::CaseInsensitive});
        window->findChild<QAction*>(QStringLiteral("newSmartGroupAction"))->trigger();
        QCOMPARE(window->owner()->collection().selectedGroupDict->groupId, QStringLiteral("Callers (Smart Group)"));
        QCOMPARE(Test::namesInOrder(window.get()), (QStringList{"Ann Lee", "Carol King"}));
        // New contacts go to the default account chosen.
        Ui::AddressBookPanels::setNextDefaultAccount(QStringLiteral("Work"));
        window->findChild<QAction*>(QStringLiteral("defaultAccountAction"))->trigger();
        QCOMPARE(window->owner()->collection().defaultAccount, QStringLiteral("Work"));
        QCOMPARE(window->owner()->collection().selectedGroupDict->groupId, QStringLiteral("All Contacts (Work)"));
    }

    void addSaveUndoAndDelete()
    {
        StoreFixture fixture;
        fixture.writeTwoAccounts();
        auto window = open(fixture.root());
        window->pane()->setEditMode(true);
        window->pane()->showGroupView();
        MessageBox::setNextAnswer(0);
        window->menus()->action(Command::AddGroup)->trigger();
        window->pane()->contactActions()->action(Ui::ContactActions::Id::AddContact)->trigger();
        QVERIFY(window->isWindowModified());
        window->menus()->action(Command::Save)->trigger();
        QVERIFY(!window->isWindowModified());
        QCOMPARE(fixture.files(QStringLiteral("local")).size(), 6); // a new card and a new group card

        // Edited and undone: the window is unedited again and nothing is written.
        const ContactEntryPtr bob = window->owner()->collection().contact(QStringLiteral("bob"));
        window->owner()->undoRegistry().undoReplaceStringValue(QStringLiteral("Acme"), Field::Company, bob);
        QVERIFY(window->isWindowModified());
        window->menus()->action(Command::Undo)->trigger();
        QVERIFY(!window->isWindowModified());
        QVERIFY(!window->menus()->action(Command::Revert)->isEnabled());

        // A deleted contact's card waits in the trash.
        selectGroup(window.get(), QStringLiteral("All Contacts (On My Computer)"));
        Test::selectRows(window.get(), {Test::rowOf(window.get(), QStringLiteral("Bob Stone"))});
        MessageBox::setNextAnswer(0);
        window->pane()->contactActions()->action(Ui::ContactActions::Id::DeleteContact)->trigger();
        QVERIFY(window->saveAddressBook());
        QCOMPARE(fixture.files(QStringLiteral("local/.trash")), QStringList{"bob.vcf"});
    }

    void changesByOthersAskToReload()
    {
        StoreFixture fixture;
        fixture.writeTwoAccounts();
        auto window = open(fixture.root());
        // The window's own save is not a change by another program.
        window->owner()->setAddressBookDirty(true);
        QVERIFY(window->saveAddressBook());
        fixture.write(QStringLiteral("local/bob.vcf"),
                      StoreFixture::card(QStringLiteral("bob"), QStringLiteral("Robert"), QStringLiteral("Stone")));
        MessageBox::setNextAnswer(0);
        window->owner()->checkForExternalChanges();
        QTRY_COMPARE(alerts(), QStringList{"AddressBook is Changed. Do you want to reload AddressBook?"});
        QCOMPARE(Test::namesInOrder(window.get()), (QStringList{"Ann Lee", "Robert Stone"}));
    }

    void closing()
    {
        StoreFixture fixture;
        fixture.writeTwoAccounts();
        auto window = open(fixture.root());
        Ui::DocumentWindow* document = WindowTestCase::open(QStringLiteral("vcard/icloud-30.vcf"));
        QVERIFY(document);
        // The main window stays while a document is open.
        QVERIFY(!window->close());
        QVERIFY(document->close());
        QTest::qWait(0);
        // Changes are never dropped without asking; cancelling keeps the window.
        window->owner()->setAddressBookDirty(true);
        MessageBox::setNextAnswer(1);
        QVERIFY(!window->close());
        MessageBox::setNextAnswer(2);
        window->tableController()->viewTypePopupSelected(QStringLiteral("Phone"));
        QVERIFY(window->close());
        QCOMPARE(Preferences::instance().value(Preferences::Key::LastViewType).toString(), QStringLiteral("Phone"));
        // The store is free for the next process.
        VdirStore next(fixture.root());
        QVERIFY(next.open());
        QVERIFY(!next.isReadOnly());
    }
};

QTEST_MAIN(TestAddressBookWindow)
#include "tst_addressbookwindow.moc"
