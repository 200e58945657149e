// Every field editor and the contact card driven from a document window as a user would: open
// from the table, edit, Done, check the contact, undo, check again, then save and read back.

#include "UiTestSupport.h"
#include "WindowTestCase.h"
#include "documents/ContactDocument.h"
#include "documents/DocumentMenus.h"
#include "documents/DocumentWindow.h"
#include "editors/AddressEditor.h"
#include "editors/ContactCard.h"
#include "editors/ContactInfoWindow.h"
#include "editors/MultiValueEditor.h"
#include "editors/TableEditors.h"
#include "editors/ZipChoiceDialog.h"
#include "formats/ZQVCard.h"
#include "support/AlertSound.h"
#include "support/FileDialog.h"
#include "table/ContactsTableEditing.h"
#include "table/ContactsTableView.h"
#include "table/ContactsViewController.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace Quillary;
using namespace Quillary::Ui;
using Command = DocumentMenus::Command;
using Test::doubleClickCell;
using Test::rowOf;

namespace {

/// The visible window or dialog of that name below `parent`, once it has opened.
template <typename T = QWidget> T* shown(const QObject* parent, const QString& name)
{
    for (T* widget : parent->findChildren<T*>(name)) {
        if (widget->isVisible())
            return widget;
    }
    return nullptr;
}

void choose(QComboBox* popup, const QString& text)
{
    const int index = popup->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    popup->setCurrentIndex(index);
    Q_EMIT popup->activated(index);
}

/// Replaces a field's text as typing does (any script, so not key by key).
void typeInto(QLineEdit* field, const QString& text)
{
    field->selectAll();
    field->insert(text);
}

void click(const QWidget* parent, const QString& button)
{
    auto* widget = parent->findChild<QAbstractButton*>(button);
    QVERIFY2(widget && widget->isEnabled(), qPrintable(button));
    widget->click();
}

/// Answers the custom label dialog that opens over `parent`.
void answerCustomLabel(const QObject* parent, const QString& text)
{
    QDialog* dialog = nullptr;
    QTRY_VERIFY((dialog = shown<QDialog>(parent, QStringLiteral("customLabelDialog"))));
    dialog->findChild<QLineEdit*>()->setText(text);
    click(dialog, QStringLiteral("okButton"));
}

ContactEntryPtr contactNamed(DocumentWindow* window, const QString& name)
{
    for (const ContactEntryPtr& contact : window->document()->collection().contactTable) {
        if (contact->person->compositeName() == name)
            return contact;
    }
    qWarning("no contact named %s", qPrintable(name));
    return ContactEntry::make(std::make_shared<PersonDsc>());
}

void undo(DocumentWindow* window)
{
    window->menus()->action(Command::Undo)->trigger();
}

void redo(DocumentWindow* window)
{
    window->menus()->action(Command::Redo)->trigger();
}

/// Saves the document and reads the contact of that name back from the file.
ContactEntryPtr saved(DocumentWindow* window, const QString& name)
{
    window->menus()->action(Command::Save)->trigger();
    QFile file(window->document()->filePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const ContactEntryPtr& contact : ZQVCard().contactsFromVCards(file.readAll())) {
        if (contact->person->compositeName() == name)
            return contact;
    }
    qWarning("%s was not saved", qPrintable(name));
    return ContactEntry::make(std::make_shared<PersonDsc>());
}

} // namespace

class TestFieldEditors : public Test::WindowTestCase
{
    Q_OBJECT

public Q_SLOTS:
    void urlOpened(const QUrl& url) { m_opened.append(url); }

private Q_SLOTS:
    void everyPanelItemOpensItsEditor_data();
    void everyPanelItemOpensItsEditor();
    void addressLookupOffersEveryRecordOfACode();
    void newAddressAndCodeWithoutRecord();
    void nameAndPhoneticName();
    void datesWithoutYearAndCustomLabels();
    void instantMessageAndValueList();
    void contactCardShowsActsAndFollows();
    void photoFromFileAndDrop();

private:
    QList<QUrl> m_opened;
};

void TestFieldEditors::everyPanelItemOpensItsEditor_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("editor");
    const QString list = QStringLiteral("multiValueEditor");
    for (const QString& column : {Field::Phone, Field::Email, Field::URL, Field::Relationship, Field::SocialNetwork})
        QTest::addRow("%s", qPrintable(column)) << column << "Open Edit Panel" << list;
    QTest::newRow("Address") << Field::Address << "Open Address Panel"
                             << "addressEditor";
    QTest::newRow("Address list") << Field::Address << "Add/Delete Address Item" << list;
    QTest::newRow("ZIP") << Field::ZIP << "Open Address Panel"
                         << "addressEditor";
    QTest::newRow("Instant Message") << Field::InstantMessage << "Open IMS Panel"
                                     << "instantMessageEditor";
    QTest::newRow("Instant Message list") << Field::InstantMessage << "Open Edit Panel" << list;
    QTest::newRow("Dates") << Field::Dates << "Open Dates Panel"
                           << "dateEditor";
    QTest::newRow("Birthday") << Field::Birthday << "Open Birthday Panel"
                              << "dateEditor";
    QTest::newRow("Phonetic Name") << Field::PhoneticName << "Open Edit Panel"
                                   << "phoneticNameEditor";
    QTest::newRow("Name") << Field::Name << "Show Contact Info"
                          << "contactInfoWindow";
}

void TestFieldEditors::everyPanelItemOpensItsEditor()
{
    QFETCH(QString, column);
    QFETCH(QString, item);
    QFETCH(QString, editor);
    DocumentWindow* window = open(QStringLiteral("ui/editors.vcf"));
    QVERIFY(window);
    window->tableController()->updateColumnsInTableView({column});
    ContactsTableView* view = window->tableView();
    const int columnIndex = int(window->tableController()->tableIdentfiers().indexOf(column));
    std::unique_ptr<QMenu> menu(
        view->editing()->contextMenu(rowOf(window, QStringLiteral("Hana Sato")), columnIndex, view));
    auto* action = menu->findChild<QAction*>(item);
    QVERIFY(action && action->isEnabled());
    action->trigger();
    QWidget* opened = nullptr;
    QTRY_VERIFY((opened = shown(window, editor)));
    opened->close();
}

void TestFieldEditors::addressLookupOffersEveryRecordOfACode()
{
    DocumentWindow* window = open(QStringLiteral("ui/editors.vcf"));
    QVERIFY(window);
    window->pane()->viewTypePopupSelected(QStringLiteral("Address"));
    doubleClickCell(window, rowOf(window, QStringLiteral("Hana Sato")), Field::Address);
    AddressEditor* editor = nullptr;
    QTRY_VERIFY((editor = shown<AddressEditor>(window, QStringLiteral("addressEditor"))));
    QCOMPARE(editor->doneButton()->text(), QStringLiteral("Change"));
    QVERIFY(editor->findChild<QFrame*>(QStringLiteral("redSeparator"))->property("editMode").toBool());
    auto* zip = editor->findChild<QLineEdit*>(QStringLiteral("zipField"));
    auto* lookup = editor->findChild<QPushButton*>(QStringLiteral("lookupButton"));
    QVERIFY(lookup->isVisible());
    typeInto(zip, QStringLiteral("10"));
    QVERIFY(!lookup->isEnabled()); // two characters
    QTest::keyClicks(zip, QStringLiteral("0"));
    lookup->click();
    // "100" begins 466 codes: they are offered, the first chosen, instead of taking it silently.
    ZipChoiceDialog* choice = nullptr;
    QTRY_VERIFY((choice = shown<ZipChoiceDialog>(editor, QStringLiteral("zipChoiceDialog"))));
    QCOMPARE(choice->list()->count(), 466);
    QCOMPARE(choice->list()->currentRow(), 0);
    choice->list()->setCurrentRow(2);
    click(choice, QStringLiteral("okButton"));
    const ZipAddress third = ZipDatabase::zipdb().addressesFromZip(QStringLiteral("100")).at(2);
    QCOMPARE(editor->findChild<QLineEdit*>(QStringLiteral("cityField"))->text(), third.city);
    QCOMPARE(zip->text(), third.zip);
    auto* street = editor->findChild<QPlainTextEdit*>(QStringLiteral("streetField"));
    QCOMPARE(street->toPlainText(), third.street);
    QCOMPARE(editor->focusWidget(), street);
    QTest::keyClick(editor->findChild<QLineEdit*>(QStringLiteral("cityField")), Qt::Key_Return); // Done

    const ContactEntryPtr hana = contactNamed(window, QStringLiteral("Hana Sato"));
    QTRY_COMPARE(hana->person->addressValues().first().address.street(), third.street);
    QCOMPARE(hana->person->addressValues().first().address.state(), third.state);
    QCOMPARE(window->document()->undoStack()->count(), 1);
    undo(window);
    QCOMPARE(hana->person->addressValues().first().address.city(), QStringLiteral("Chiyoda-ku"));
    redo(window);
    QCOMPARE(saved(window, QStringLiteral("Hana Sato"))->person->addressValues().first().address.zip(), third.zip);

    // Locked, the editor only shows the address.
    window->pane()->setEditMode(false);
    doubleClickCell(window, rowOf(window, QStringLiteral("Hana Sato")), Field::Address);
    QTRY_VERIFY((editor = shown<AddressEditor>(window, QStringLiteral("addressEditor"))));
    QVERIFY(editor->findChild<QLineEdit*>(QStringLiteral("cityField"))->isReadOnly());
    QCOMPARE(editor->doneButton()->text(), QStringLiteral("Done"));
    editor->doneButton()->click();
    QCOMPARE(window->document()->undoStack()->index(), 1);
}

void TestFieldEditors::newAddressAndCodeWithoutRecord()
{
    DocumentWindow* window = open(QStringLiteral("ui/editors.vcf"));
    QVERIFY(window);
    window->pane()->viewTypePopupSelected(QStringLiteral("Address"));
    ContactsTableView* view = window->tableView();
    const int ben = rowOf(window, QStringLiteral("Ben Baker"));
    std::unique_ptr<QMenu> menu(view->editing()->contextMenu(ben, 1, view));
    menu->findChild<QAction*>(QStringLiteral("Open Address Panel"))->trigger();
    AddressEditor* editor = nullptr;
    QTRY_VERIFY((editor = shown<AddressEditor>(window, QStringLiteral("addressEditor"))));
    QCOMPARE(editor->doneButton()->text(), QStringLiteral("Add"));
    auto* zip = editor->findChild<QLineEdit*>(QStringLiteral("zipField"));
    QVERIFY(zip->text().isEmpty()); // nothing that could be saved unasked
    QVERIFY(!editor->findChild<QPushButton*>(QStringLiteral("lookupButton"))->isVisibleTo(editor));
    editor->findChild<QMenu*>(QStringLiteral("countryMenu"))->findChild<QAction*>(QStringLiteral("JP"))->trigger();
    QCOMPARE(editor->findChild<QToolButton*>(QStringLiteral("countryPopup"))->text(), QStringLiteral("JP (Japan)"));
    const int beeps = AlertSound::playedCount();
    typeInto(zip, QStringLiteral("0009999"));
    click(editor, QStringLiteral("lookupButton"));
    QCOMPARE(AlertSound::playedCount(), beeps + 1);
    QCOMPARE(zip->text(), QStringLiteral("Do not find"));
    typeInto(editor->findChild<QLineEdit*>(QStringLiteral("cityField")), QStringLiteral("Sapporo"));
    editor->doneButton()->click();
    const ContactEntryPtr contact = contactNamed(window, QStringLiteral("Ben Baker"));
    QCOMPARE(contact->person->addressValues().size(), 1);
    const PostalAddress added = contact->person->addressValues().first().address;
    QCOMPARE(added.zip(), QStringLiteral("0009999")); // the message never became the code
    QCOMPARE(added.countryCode(), QStringLiteral("JP"));
    undo(window);
    QVERIFY(contact->person->addressValues().isEmpty());
}

void TestFieldEditors::nameAndPhoneticName()
{
    DocumentWindow* window = open(QStringLiteral("ui/editors.vcf"));
    QVERIFY(window);
    Test::selectRows(window, {rowOf(window, QStringLiteral("Hana Sato"))});
    window->menus()->action(Command::ShowContactInfo)->trigger(); // Ctrl+I
    ContactInfoWindow* info = window->pane()->editors()->contactInfo();
    QTRY_VERIFY(info && info->isVisible());
    info->card()->editName();
    EditorDialog* editor = nullptr;
    QTRY_VERIFY((editor = shown<EditorDialog>(window, QStringLiteral("nameEditor"))));
    typeInto(editor->findChild<QLineEdit*>(QStringLiteral("previousFamilyNameField")), QStringLiteral("Mori"));
    typeInto(editor->findChild<QLineEdit*>(QStringLiteral("suffixField")), QStringLiteral("Jr."));
    choose(editor->findChild<QComboBox*>(QStringLiteral("nameOrderingPopup")), QStringLiteral("Last Name First"));
    editor->doneButton()->click();
    const ContactEntryPtr hana = contactNamed(window, QStringLiteral("Sato Hana"));
    QCOMPARE(hana->person->nameValue().previousFamilyName, QStringLiteral("Mori"));
    QCOMPARE(hana->person->stringValueForIdentifier(Field::Suffix), QStringLiteral("Jr."));
    QCOMPARE(info->card()->findChild<QLabel*>(QStringLiteral("cardName"))->text(), QStringLiteral("Sato Hana"));
    QCOMPARE(window->document()->undoStack()->count(), 1);
    undo(window);
    QCOMPARE(hana->person->compositeName(), QStringLiteral("Hana Sato"));
    QVERIFY(hana->person->stringValueForIdentifier(Field::Suffix).isEmpty());
    redo(window);
    // A file keeps the names, not the order the address book shows them in.
    QCOMPARE(saved(window, QStringLiteral("Hana Sato"))->person->nameValue().previousFamilyName,
             QStringLiteral("Mori"));

    window->pane()->toggleColumn(Field::PhoneticName);
    doubleClickCell(window, rowOf(window, QStringLiteral("Sato Hana")), Field::PhoneticName);
    QTRY_VERIFY((editor = shown<EditorDialog>(window, QStringLiteral("phoneticNameEditor"))));
    typeInto(editor->findChild<QLineEdit*>(QStringLiteral("phoneticMiddleNameField")), QStringLiteral("み"));
    QTest::keyClick(editor, Qt::Key_Escape); // Cancel
    QCOMPARE(window->document()->undoStack()->index(), 1);
    doubleClickCell(window, rowOf(window, QStringLiteral("Sato Hana")), Field::PhoneticName);
    QTRY_VERIFY((editor = shown<EditorDialog>(window, QStringLiteral("phoneticNameEditor"))));
    typeInto(editor->findChild<QLineEdit*>(QStringLiteral("phoneticFirstNameField")), QStringLiteral("ハナ"));
    editor->doneButton()->click();
    QCOMPARE(hana->person->phoneticNameValue().firstName, QStringLiteral("ハナ"));
    undo(window);
    QCOMPARE(hana->person->phoneticNameValue().firstName, QStringLiteral("はな"));
}

void TestFieldEditors::datesWithoutYearAndCustomLabels()
{
    DocumentWindow* window = open(QStringLiteral("ui/editors.vcf"));
    QVERIFY(window);
    window->pane()->viewTypePopupSelected(QStringLiteral("Other"));
    window->pane()->toggleColumn(Field::Birthday);
    doubleClickCell(window, rowOf(window, QStringLiteral("Hana Sato")), Field::Birthday);
    EditorDialog* editor = nullptr;
    QTRY_VERIFY((editor = shown<EditorDialog>(window, QStringLiteral("dateEditor"))));
    auto* date = editor->findChild<QLineEdit*>(QStringLiteral("dateField"));
    QCOMPARE(date->text(), QStringLiteral("1990.04.01"));
    typeInto(date, QStringLiteral("April"));
    QVERIFY(!editor->doneButton()->isEnabled()); // unreadable
    typeInto(date, QStringLiteral("1990-04-02"));
    editor->findChild<QCheckBox*>(QStringLiteral("noYearCheck"))->click();
    QCOMPARE(date->text(), QStringLiteral("04.02"));
    editor->doneButton()->click();
    const ContactEntryPtr hana = contactNamed(window, QStringLiteral("Hana Sato"));
    QCOMPARE(hana->person->birthdayValue().value, (DateComponents{0, 4, 2}));
    undo(window);
    QCOMPARE(hana->person->birthdayValue().value, (DateComponents{1990, 4, 1}));
    redo(window);

    // A new date of Ben's with a label of the user's own.
    const int ben = rowOf(window, QStringLiteral("Ben Baker"));
    ContactsTableView* view = window->tableView();
    std::unique_ptr<QMenu> menu(
        view->editing()->contextMenu(ben, window->tableController()->tableIdentfiers().indexOf(Field::Dates), view));
    menu->findChild<QAction*>(QStringLiteral("Open Dates Panel"))->trigger();
    QTRY_VERIFY((editor = shown<EditorDialog>(window, QStringLiteral("dateEditor"))));
    QVERIFY(!editor->doneButton()->isEnabled()); // no date yet
    typeInto(editor->findChild<QLineEdit*>(QStringLiteral("dateField")), QStringLiteral("2020.03.15"));
    choose(editor->findChild<QComboBox*>(QStringLiteral("labelPopup")), QStringLiteral("Custom…"));
    answerCustomLabel(editor, QStringLiteral("Graduation"));
    QCOMPARE(editor->findChild<QComboBox*>(QStringLiteral("labelPopup"))->currentText(), QStringLiteral("Graduation"));
    QCOMPARE(editor->doneButton()->text(), QStringLiteral("Add"));
    editor->doneButton()->click();
    const ContactEntryPtr reread = saved(window, QStringLiteral("Ben Baker"));
    QCOMPARE(reread->person->datesValues().first().label, QStringLiteral("Graduation"));
    QCOMPARE(saved(window, QStringLiteral("Hana Sato"))->person->birthdayValue().value, (DateComponents{0, 4, 2}));
    QFile file(window->document()->filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("X-ABLabel:Graduation"));

    // The table's label menu offers the document's labels and one of the user's own.
    window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
    const int hanaRow = rowOf(window, QStringLiteral("Hana Sato"));
    std::unique_ptr<QMenu> labels(view->editing()->labelMenu(hanaRow, 1, view));
    labels->findChild<QAction*>(QStringLiteral("customLabelAction"))->trigger();
    answerCustomLabel(window, QStringLiteral("Cottage"));
    QCOMPARE(hana->person->phoneValues().first().label, QStringLiteral("Cottage"));
}

void TestFieldEditors::instantMessageAndValueList()
{
    DocumentWindow* window = open(QStringLiteral("ui/editors.vcf"));
    QVERIFY(window);
    window->pane()->viewTypePopupSelected(QStringLiteral("Instant Message"));
    doubleClickCell(window, rowOf(window, QStringLiteral("Hana Sato")), Field::InstantMessage);
    EditorDialog* editor = nullptr;
    QTRY_VERIFY((editor = shown<EditorDialog>(window, QStringLiteral("instantMessageEditor"))));
    QCOMPARE(editor->findChild<QComboBox*>(QStringLiteral("servicePopup"))->currentText(), QStringLiteral("Jabber"));
    choose(editor->findChild<QComboBox*>(QStringLiteral("servicePopup")), QStringLiteral("Custom…"));
    answerCustomLabel(editor, QStringLiteral("Matrix"));
    typeInto(editor->findChild<QLineEdit*>(QStringLiteral("usernameField")), QStringLiteral("@hana:example.jp"));
    editor->doneButton()->click();
    const ContactEntryPtr hana = contactNamed(window, QStringLiteral("Hana Sato"));
    QCOMPARE(hana->person->imsValues().first().stringValue, QStringLiteral("Matrix:@hana:example.jp"));
    undo(window);
    QCOMPARE(hana->person->imsValues().first().service, QStringLiteral("Jabber"));

    // Ctrl and a double click: the whole list of phones, changed in one step.
    window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
    const LabeledValueList before = hana->person->phoneValues();
    doubleClickCell(window, rowOf(window, QStringLiteral("Hana Sato")), Field::Phone, Qt::ControlModifier);
    MultiValueEditor* list = nullptr;
    QTRY_VERIFY((list = shown<MultiValueEditor>(window, QStringLiteral("multiValueEditor"))));
    QCOMPARE(list->list()->rowCount(), 2);
    list->addValue();
    list->list()->item(2, 1)->setText(QStringLiteral("+81 80 0000 0000"));
    choose(qobject_cast<QComboBox*>(list->list()->cellWidget(2, 0)), QStringLiteral("work"));
    list->moveValue(-1); // the new one is selected: it goes up
    list->list()->selectRow(0);
    list->removeValue();
    list->doneButton()->click();
    QStringList phones;
    for (const LabeledValue& phone : hana->person->phoneValues())
        phones.append(phone.label + u' ' + phone.value);
    QCOMPARE(phones, (QStringList{"work +81 80 0000 0000", "home +81 3 1234 5678"}));
    QCOMPARE(window->document()->undoStack()->count(), 1);
    undo(window);
    QCOMPARE(hana->person->phoneValues(), before);
    redo(window);
    QCOMPARE(saved(window, QStringLiteral("Hana Sato"))->person->phoneValues().size(), 2);

    // Addresses in the list open the address editor, over the list; the list is still one step.
    window->pane()->viewTypePopupSelected(QStringLiteral("Address"));
    doubleClickCell(window, rowOf(window, QStringLiteral("Hana Sato")), Field::Address, Qt::ControlModifier);
    QTRY_VERIFY((list = shown<MultiValueEditor>(window, QStringLiteral("multiValueEditor"))));
    list->addValue();
    AddressEditor* address = nullptr;
    QTRY_VERIFY((address = shown<AddressEditor>(list, QStringLiteral("addressEditor"))));
    typeInto(address->findChild<QLineEdit*>(QStringLiteral("cityField")), QStringLiteral("Kyoto"));
    address->doneButton()->click();
    QCOMPARE(list->list()->rowCount(), 2);
    QCOMPARE(hana->person->addressValues().size(), 1); // nothing is stored before the list is done
    list->doneButton()->click();
    QCOMPARE(hana->person->addressValues().last().address.city(), QStringLiteral("Kyoto"));
    undo(window);
    QCOMPARE(hana->person->addressValues().size(), 1);
}

void TestFieldEditors::contactCardShowsActsAndFollows()
{
    QDesktopServices::setUrlHandler(QStringLiteral("tel"), this, "urlOpened");
    DocumentWindow* window = open(QStringLiteral("ui/editors.vcf"));
    QVERIFY(window);
    doubleClickCell(window, rowOf(window, QStringLiteral("Hana Sato")), Field::Name);
    ContactInfoWindow* info = window->pane()->editors()->contactInfo();
    QTRY_VERIFY(info && info->isVisible());
    ContactCard* card = info->card();
    QTreeWidget* list = card->fieldList();
    QCOMPARE(list->topLevelItemCount(), 7); // phonetic name, 2 phones, address, IM, birthday, date
    QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("mobile"));
    QVERIFY(!list->topLevelItem(1)->icon(0).isNull());
    list->setCurrentItem(list->topLevelItem(1));
    card->copySelection();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("+81 90 1234 5678"));
    std::unique_ptr<QMimeData> drag(list->model()->mimeData({list->model()->index(2, 0)}));
    QCOMPARE(drag->text(), QStringLiteral("+81 3 1234 5678"));
    card->performAction(1);
    QCOMPARE(m_opened, QList<QUrl>{QUrl(QStringLiteral("tel:+819012345678"))});
    QDesktopServices::unsetUrlHandler(QStringLiteral("tel"));

    // In edit mode a line opens its editor, and "+" adds a value.
    card->editLine(1);
    EditorDialog* editor = nullptr;
    QTRY_VERIFY((editor = shown<EditorDialog>(window, QStringLiteral("valueEditor"))));
    typeInto(editor->findChild<QLineEdit*>(QStringLiteral("valueField")), QStringLiteral("+81 90 9999 9999"));
    editor->doneButton()->click();
    QCOMPARE(list->topLevelItem(1)->text(1), QStringLiteral("+81 90 9999 9999"));
    card->addValue(Field::Email);
    QTRY_VERIFY((editor = shown<EditorDialog>(window, QStringLiteral("valueEditor"))));
    typeInto(editor->findChild<QLineEdit*>(QStringLiteral("valueField")), QStringLiteral("hana@example.jp"));
    editor->doneButton()->click();
    const ContactEntryPtr hana = contactNamed(window, QStringLiteral("Hana Sato"));
    QCOMPARE(hana->person->emailValues().first().value, QStringLiteral("hana@example.jp"));
    undo(window);
    QVERIFY(hana->person->emailValues().isEmpty());
    QCOMPARE(list->topLevelItemCount(), 7);
    card->addValue(Field::Note); // a field without labels
    QTRY_VERIFY((editor = shown<EditorDialog>(window, QStringLiteral("valueEditor"))));
    editor->findChild<QPlainTextEdit*>(QStringLiteral("valueField"))->setPlainText(QStringLiteral("Tea\nno sugar"));
    editor->doneButton()->click();
    QCOMPARE(hana->person->stringValueForIdentifier(Field::Note), QStringLiteral("Tea\nno sugar"));
    QCOMPARE(list->topLevelItem(list->topLevelItemCount() - 1)->text(1), QStringLiteral("Tea\nno sugar"));

    // A popover belongs to its contact; detached, the panel follows the selection.
    info->setDetached(true);
    Test::selectRows(window, {rowOf(window, QStringLiteral("Ben Baker"))});
    QCOMPARE(card->contact()->person->compositeName(), QStringLiteral("Ben Baker"));
    info->setDetached(false);
    Test::selectRows(window, {rowOf(window, QStringLiteral("Hana Sato"))});
    QVERIFY(!info->isVisible());
}

void TestFieldEditors::photoFromFileAndDrop()
{
    DocumentWindow* window = open(QStringLiteral("ui/editors.vcf"));
    QVERIFY(window);
    Test::selectRows(window, {rowOf(window, QStringLiteral("Ben Baker"))});
    QVERIFY(window->pane()->editors()->showContactInfo());
    ContactCard* card = window->pane()->editors()->contactInfo()->card();
    QImage image(1000, 800, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    const QString path = dir().filePath(QStringLiteral("photo.png"));
    QVERIFY(image.save(path));
    FileDialog::setNextFileNames({path});
    card->choosePhoto();
    const ContactEntryPtr ben = contactNamed(window, QStringLiteral("Ben Baker"));
    QCOMPARE(ben->person->photo().size(), QSize(512, 409));
    undo(window);
    QVERIFY(ben->person->photoData().isEmpty());
    QMimeData dropped;
    dropped.setImageData(QImage(64, 64, QImage::Format_RGB32));
    QVERIFY(card->setPhotoFrom(&dropped));
    QCOMPARE(ben->person->photo().size(), QSize(64, 64));
    QVERIFY(saved(window, QStringLiteral("Ben Baker"))->person->photoData().size() > 0);
    card->removePhoto();
    QVERIFY(ben->person->photoData().isEmpty());
    window->pane()->setEditMode(false); // locked: nothing is dropped
    window->pane()->editors()->showContactInfo();
    QVERIFY(!card->setPhotoFrom(&dropped));
}

QTEST_MAIN(TestFieldEditors)
#include "tst_fieldeditors.moc"
