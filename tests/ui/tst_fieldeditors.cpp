// Every field editor and the contact card driven from a document window as a user would: open
// from the table, edit, Done, check the contact, undo, check again, then save and read back.

#include "TestSupport.h"
#include "UiTestSupport.h"
#include "WindowTestCase.h"
#include "documents/ContactDocument.h"
#include "documents/ContactFileReader.h"
#include "documents/ContactPane.h"
#include "documents/DocumentMenus.h"
#include "documents/DocumentWindow.h"
#include "editors/AddressEditor.h"
#include "editors/ContactCard.h"
#include "editors/ContactInfoWindow.h"
#include "editors/MultiValueEditor.h"
#include "editors/ZipChoiceDialog.h"
#include "support/AlertSound.h"
#include "support/FileDialog.h"
#include "table/ContactsTableEditing.h"
#include "table/ContactsTableView.h"
#include "table/ContactsViewController.h"
#include "table/TableEditors.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
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
using namespace Qt::StringLiterals;
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
    QTRY_VERIFY((dialog = shown<QDialog>(parent, u"customLabelDialog"_s)));
    dialog->findChild<QLineEdit*>()->setText(text);
    click(dialog, u"okButton"_s);
}

/// The contact of that name among `contacts` (an empty one, with a warning, when there is none).
ContactEntryPtr named(const ContactTable& contacts, const QString& name)
{
    for (const ContactEntryPtr& contact : contacts) {
        if (contact->person->compositeName() == name)
            return contact;
    }
    qWarning("no contact named %s", qPrintable(name));
    return ContactEntry::make(std::make_shared<PersonDsc>());
}

ContactEntryPtr contactNamed(DocumentWindow* window, const QString& name)
{
    return named(window->document()->collection().contactTable, name);
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
    return named(ContactFileReader::read(window->document()->filePath()).contacts, name);
}

} // namespace

class TestFieldEditors : public Test::WindowTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void everyPanelItemOpensItsEditor_data()
    {
        Test::addColumns<QString, QString, QString>("column", "item", "editor");
        const auto row = [](const char* name, const QString& column, const char* item, const char* editor) {
            QTest::newRow(name) << column << QString::fromUtf8(item) << QString::fromUtf8(editor);
        };
        for (const QString& column :
             {Field::Phone, Field::Email, Field::URL, Field::Relationship, Field::SocialNetwork})
            row(qPrintable(column), column, "Open Edit Panel", "multiValueEditor");
        row("Address", Field::Address, "Open Address Panel", "addressEditor");
        row("Address list", Field::Address, "Add/Delete Address Item", "multiValueEditor");
        row("ZIP", Field::ZIP, "Open Address Panel", "addressEditor");
        row("Instant Message", Field::InstantMessage, "Open IMS Panel", "instantMessageEditor");
        row("Instant Message list", Field::InstantMessage, "Open Edit Panel", "multiValueEditor");
        row("Dates", Field::Dates, "Open Dates Panel", "dateEditor");
        row("Birthday", Field::Birthday, "Open Birthday Panel", "dateEditor");
        row("Phonetic Name", Field::PhoneticName, "Open Edit Panel", "phoneticNameEditor");
        row("Name", Field::Name, "Show Contact Info", "contactInfoWindow");
    }
    void everyPanelItemOpensItsEditor()
    {
        QFETCH(QString, column);
        QFETCH(QString, item);
        QFETCH(QString, editor);
        DocumentWindow* window = open(u"ui/editors.vcf"_s);
        window->tableController()->updateColumnsInTableView({column});
        ContactsTableView* view = window->tableView();
        const int columnIndex = int(window->tableController()->tableIdentfiers().indexOf(column));
        std::unique_ptr<QMenu> menu(view->editing()->contextMenu(rowOf(window, u"Hana Sato"_s), columnIndex, view));
        auto* action = menu->findChild<QAction*>(item);
        QVERIFY(action && action->isEnabled());
        action->trigger();
        QWidget* opened = nullptr;
        QTRY_VERIFY((opened = shown(window, editor)));
        opened->close();
    }

    void addressLookupOffersEveryRecordOfACode()
    {
        DocumentWindow* window = open(u"ui/editors.vcf"_s);
        window->pane()->viewTypePopupSelected(u"Address"_s);
        doubleClickCell(window, rowOf(window, u"Hana Sato"_s), Field::Address);
        AddressEditor* editor = nullptr;
        QTRY_VERIFY((editor = shown<AddressEditor>(window, u"addressEditor"_s)));
        QCOMPARE(editor->doneButton()->text(), u"Change"_s);
        QVERIFY(editor->findChild<QFrame*>(u"redSeparator"_s)->property("editMode").toBool());
        auto* zip = editor->findChild<QLineEdit*>(u"zipField"_s);
        auto* lookup = editor->findChild<QPushButton*>(u"lookupButton"_s);
        QVERIFY(lookup->isVisible());
        typeInto(zip, u"10"_s);
        QVERIFY(!lookup->isEnabled()); // two characters
        QTest::keyClicks(zip, u"0"_s);
        lookup->click();
        // "100" begins 466 codes: they are offered, the first chosen, instead of taking it silently.
        ZipChoiceDialog* choice = nullptr;
        QTRY_VERIFY((choice = shown<ZipChoiceDialog>(editor, u"zipChoiceDialog"_s)));
        QCOMPARE(choice->list()->count(), 466);
        QCOMPARE(choice->list()->currentRow(), 0);
        choice->list()->setCurrentRow(2);
        click(choice, u"okButton"_s);
        const ZipAddress third = ZipDatabase::zipdb().addressesFromZip(u"100"_s).at(2);
        QCOMPARE(editor->findChild<QLineEdit*>(u"cityField"_s)->text(), third.city);
        QCOMPARE(zip->text(), third.zip);
        auto* street = editor->findChild<QPlainTextEdit*>(u"streetField"_s);
        QCOMPARE(street->toPlainText(), third.street);
        QCOMPARE(editor->focusWidget(), street);
        QTest::keyClick(editor->findChild<QLineEdit*>(u"cityField"_s), Qt::Key_Return); // Done

        const ContactEntryPtr hana = contactNamed(window, u"Hana Sato"_s);
        QTRY_COMPARE(hana->person->addressValues().first().address.street(), third.street);
        QCOMPARE(hana->person->addressValues().first().address.state(), third.state);
        QCOMPARE(window->document()->undoStack()->count(), 1);
        undo(window);
        QCOMPARE(hana->person->addressValues().first().address.city(), u"Chiyoda-ku"_s);
        redo(window);
        QCOMPARE(saved(window, u"Hana Sato"_s)->person->addressValues().first().address.zip(), third.zip);

        // Locked, the editor only shows the address.
        window->pane()->setEditMode(false);
        doubleClickCell(window, rowOf(window, u"Hana Sato"_s), Field::Address);
        QTRY_VERIFY((editor = shown<AddressEditor>(window, u"addressEditor"_s)));
        QVERIFY(editor->findChild<QLineEdit*>(u"cityField"_s)->isReadOnly());
        QCOMPARE(editor->doneButton()->text(), u"Done"_s);
        editor->doneButton()->click();
        QCOMPARE(window->document()->undoStack()->index(), 1);
    }

    void newAddressAndCodeWithoutRecord()
    {
        DocumentWindow* window = open(u"ui/editors.vcf"_s);
        window->pane()->viewTypePopupSelected(u"Address"_s);
        ContactsTableView* view = window->tableView();
        const int ben = rowOf(window, u"Ben Baker"_s);
        std::unique_ptr<QMenu> menu(view->editing()->contextMenu(ben, 1, view));
        menu->findChild<QAction*>(u"Open Address Panel"_s)->trigger();
        AddressEditor* editor = nullptr;
        QTRY_VERIFY((editor = shown<AddressEditor>(window, u"addressEditor"_s)));
        QCOMPARE(editor->doneButton()->text(), u"Add"_s);
        auto* zip = editor->findChild<QLineEdit*>(u"zipField"_s);
        QVERIFY(zip->text().isEmpty()); // nothing that could be saved unasked
        QVERIFY(!editor->findChild<QPushButton*>(u"lookupButton"_s)->isVisibleTo(editor));
        editor->findChild<QMenu*>(u"countryMenu"_s)->findChild<QAction*>(u"JP"_s)->trigger();
        QCOMPARE(editor->findChild<QToolButton*>(u"countryPopup"_s)->text(), u"JP (Japan)"_s);
        const int beeps = AlertSound::playedCount();
        typeInto(zip, u"0009999"_s);
        click(editor, u"lookupButton"_s);
        QCOMPARE(AlertSound::playedCount(), beeps + 1);
        QCOMPARE(zip->text(), u"Do not find"_s);
        typeInto(editor->findChild<QLineEdit*>(u"cityField"_s), u"Sapporo"_s);
        editor->doneButton()->click();
        const ContactEntryPtr contact = contactNamed(window, u"Ben Baker"_s);
        QCOMPARE(contact->person->addressValues().size(), 1);
        const PostalAddress added = contact->person->addressValues().first().address;
        QCOMPARE(added.zip(), u"0009999"_s); // the message never became the code
        QCOMPARE(added.countryCode(), u"JP"_s);
        undo(window);
        QVERIFY(contact->person->addressValues().isEmpty());
    }

    void nameAndPhoneticName()
    {
        DocumentWindow* window = open(u"ui/editors.vcf"_s);
        Test::selectRows(window, {rowOf(window, u"Hana Sato"_s)});
        window->menus()->action(Command::ShowContactInfo)->trigger(); // Ctrl+I
        ContactInfoWindow* info = window->pane()->editors()->contactInfo();
        QTRY_VERIFY(info && info->isVisible());
        info->card()->editName();
        EditorDialog* editor = nullptr;
        QTRY_VERIFY((editor = shown<EditorDialog>(window, u"nameEditor"_s)));
        typeInto(editor->findChild<QLineEdit*>(u"previousFamilyNameField"_s), u"Mori"_s);
        typeInto(editor->findChild<QLineEdit*>(u"suffixField"_s), u"Jr."_s);
        choose(editor->findChild<QComboBox*>(u"nameOrderingPopup"_s), u"Last Name First"_s);
        editor->doneButton()->click();
        const ContactEntryPtr hana = contactNamed(window, u"Sato Hana"_s);
        QCOMPARE(hana->person->nameValue().previousFamilyName, u"Mori"_s);
        QCOMPARE(hana->person->stringValueForIdentifier(Field::Suffix), u"Jr."_s);
        QCOMPARE(info->card()->findChild<QLabel*>(u"cardName"_s)->text(), u"Sato Hana"_s);
        QCOMPARE(window->document()->undoStack()->count(), 1);
        undo(window);
        QCOMPARE(hana->person->compositeName(), u"Hana Sato"_s);
        QVERIFY(hana->person->stringValueForIdentifier(Field::Suffix).isEmpty());
        redo(window);
        // A file keeps the names, not the order the address book shows them in.
        QCOMPARE(saved(window, u"Hana Sato"_s)->person->nameValue().previousFamilyName, u"Mori"_s);

        window->pane()->toggleColumn(Field::PhoneticName);
        doubleClickCell(window, rowOf(window, u"Sato Hana"_s), Field::PhoneticName);
        QTRY_VERIFY((editor = shown<EditorDialog>(window, u"phoneticNameEditor"_s)));
        typeInto(editor->findChild<QLineEdit*>(u"phoneticMiddleNameField"_s), u"み"_s);
        QTest::keyClick(editor, Qt::Key_Escape); // Cancel
        QCOMPARE(window->document()->undoStack()->index(), 1);
        doubleClickCell(window, rowOf(window, u"Sato Hana"_s), Field::PhoneticName);
        QTRY_VERIFY((editor = shown<EditorDialog>(window, u"phoneticNameEditor"_s)));
        typeInto(editor->findChild<QLineEdit*>(u"phoneticFirstNameField"_s), u"ハナ"_s);
        editor->doneButton()->click();
        QCOMPARE(hana->person->phoneticNameValue().firstName, u"ハナ"_s);
        undo(window);
        QCOMPARE(hana->person->phoneticNameValue().firstName, u"はな"_s);
    }

    void datesWithoutYearAndCustomLabels()
    {
        DocumentWindow* window = open(u"ui/editors.vcf"_s);
        window->pane()->viewTypePopupSelected(u"Other"_s);
        window->pane()->toggleColumn(Field::Birthday);
        doubleClickCell(window, rowOf(window, u"Hana Sato"_s), Field::Birthday);
        EditorDialog* editor = nullptr;
        QTRY_VERIFY((editor = shown<EditorDialog>(window, u"dateEditor"_s)));
        auto* date = editor->findChild<QLineEdit*>(u"dateField"_s);
        QCOMPARE(date->text(), u"1990.04.01"_s);
        typeInto(date, u"April"_s);
        QVERIFY(!editor->doneButton()->isEnabled()); // unreadable
        typeInto(date, u"1990-04-02"_s);
        editor->findChild<QCheckBox*>(u"noYearCheck"_s)->click();
        QCOMPARE(date->text(), u"04.02"_s);
        editor->doneButton()->click();
        const ContactEntryPtr hana = contactNamed(window, u"Hana Sato"_s);
        QCOMPARE(hana->person->birthdayValue().value, (DateComponents{0, 4, 2}));
        undo(window);
        QCOMPARE(hana->person->birthdayValue().value, (DateComponents{1990, 4, 1}));
        redo(window);

        // A new date of Ben's with a label of the user's own.
        const int ben = rowOf(window, u"Ben Baker"_s);
        ContactsTableView* view = window->tableView();
        std::unique_ptr<QMenu> menu(view->editing()->contextMenu(
            ben, window->tableController()->tableIdentfiers().indexOf(Field::Dates), view));
        menu->findChild<QAction*>(u"Open Dates Panel"_s)->trigger();
        QTRY_VERIFY((editor = shown<EditorDialog>(window, u"dateEditor"_s)));
        QVERIFY(!editor->doneButton()->isEnabled()); // no date yet
        typeInto(editor->findChild<QLineEdit*>(u"dateField"_s), u"2020.03.15"_s);
        choose(editor->findChild<QComboBox*>(u"labelPopup"_s), u"Custom…"_s);
        answerCustomLabel(editor, u"Graduation"_s);
        QCOMPARE(editor->findChild<QComboBox*>(u"labelPopup"_s)->currentText(), u"Graduation"_s);
        QCOMPARE(editor->doneButton()->text(), u"Add"_s);
        editor->doneButton()->click();
        const ContactEntryPtr reread = saved(window, u"Ben Baker"_s);
        QCOMPARE(reread->person->datesValues().first().label, u"Graduation"_s);
        QCOMPARE(saved(window, u"Hana Sato"_s)->person->birthdayValue().value, (DateComponents{0, 4, 2}));
        QFile file(window->document()->filePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("X-ABLabel:Graduation"));

        // The table's label menu offers the document's labels and one of the user's own.
        window->pane()->viewTypePopupSelected(u"Phone"_s);
        const int hanaRow = rowOf(window, u"Hana Sato"_s);
        std::unique_ptr<QMenu> labels(view->editing()->labelMenu(hanaRow, 1, view));
        labels->findChild<QAction*>(u"customLabelAction"_s)->trigger();
        answerCustomLabel(window, u"Cottage"_s);
        QCOMPARE(hana->person->phoneValues().first().label, u"Cottage"_s);
    }

    void instantMessageAndValueList()
    {
        DocumentWindow* window = open(u"ui/editors.vcf"_s);
        window->pane()->viewTypePopupSelected(u"Instant Message"_s);
        doubleClickCell(window, rowOf(window, u"Hana Sato"_s), Field::InstantMessage);
        EditorDialog* editor = nullptr;
        QTRY_VERIFY((editor = shown<EditorDialog>(window, u"instantMessageEditor"_s)));
        QCOMPARE(editor->findChild<QComboBox*>(u"servicePopup"_s)->currentText(), u"Jabber"_s);
        choose(editor->findChild<QComboBox*>(u"servicePopup"_s), u"Custom…"_s);
        answerCustomLabel(editor, u"Matrix"_s);
        typeInto(editor->findChild<QLineEdit*>(u"usernameField"_s), u"@hana:example.jp"_s);
        editor->doneButton()->click();
        const ContactEntryPtr hana = contactNamed(window, u"Hana Sato"_s);
        QCOMPARE(hana->person->imsValues().first().stringValue(), u"Matrix:@hana:example.jp"_s);
        undo(window);
        QCOMPARE(hana->person->imsValues().first().service(), u"Jabber"_s);

        // Ctrl and a double click: the whole list of phones, changed in one step.
        window->pane()->viewTypePopupSelected(u"Phone"_s);
        const LabeledValueList before = hana->person->phoneValues().toList();
        doubleClickCell(window, rowOf(window, u"Hana Sato"_s), Field::Phone, Qt::ControlModifier);
        MultiValueEditor* list = nullptr;
        QTRY_VERIFY((list = shown<MultiValueEditor>(window, u"multiValueEditor"_s)));
        QCOMPARE(list->list()->rowCount(), 2);
        list->addValue();
        list->list()->item(2, 1)->setText(u"+81 80 0000 0000"_s);
        choose(qobject_cast<QComboBox*>(list->list()->cellWidget(2, 0)), u"work"_s);
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
        QCOMPARE(saved(window, u"Hana Sato"_s)->person->phoneValues().size(), 2);

        // Addresses in the list open the address editor, over the list; the list is still one step.
        window->pane()->viewTypePopupSelected(u"Address"_s);
        doubleClickCell(window, rowOf(window, u"Hana Sato"_s), Field::Address, Qt::ControlModifier);
        QTRY_VERIFY((list = shown<MultiValueEditor>(window, u"multiValueEditor"_s)));
        list->addValue();
        AddressEditor* address = nullptr;
        QTRY_VERIFY((address = shown<AddressEditor>(list, u"addressEditor"_s)));
        typeInto(address->findChild<QLineEdit*>(u"cityField"_s), u"Kyoto"_s);
        address->doneButton()->click();
        QCOMPARE(list->list()->rowCount(), 2);
        QCOMPARE(hana->person->addressValues().size(), 1); // nothing is stored before the list is done
        list->doneButton()->click();
        QCOMPARE(hana->person->addressValues().last().address.city(), u"Kyoto"_s);
        undo(window);
        QCOMPARE(hana->person->addressValues().size(), 1);
    }

    void contactCardShowsActsAndFollows()
    {
        const QList<QUrl>& opened = Test::catchOpenedUrls();
        DocumentWindow* window = open(u"ui/editors.vcf"_s);
        doubleClickCell(window, rowOf(window, u"Hana Sato"_s), Field::Name);
        ContactInfoWindow* info = window->pane()->editors()->contactInfo();
        QTRY_VERIFY(info && info->isVisible());
        ContactCard* card = info->card();
        QTreeWidget* list = card->fieldList();
        QCOMPARE(list->topLevelItemCount(), 7); // phonetic name, 2 phones, address, IM, birthday, date
        QCOMPARE(list->topLevelItem(1)->text(0), u"mobile"_s);
        QVERIFY(!list->topLevelItem(1)->icon(0).isNull());
        list->setCurrentItem(list->topLevelItem(1));
        card->copySelection();
        QCOMPARE(QApplication::clipboard()->text(), u"+81 90 1234 5678"_s);
        std::unique_ptr<QMimeData> drag(list->model()->mimeData({list->model()->index(2, 0)}));
        QCOMPARE(drag->text(), u"+81 3 1234 5678"_s);
        card->performAction(1);
        QCOMPARE(opened, QList<QUrl>{QUrl(u"tel:+819012345678"_s)});

        // In edit mode a line opens its editor, and "+" adds a value.
        card->editLine(1);
        EditorDialog* editor = nullptr;
        QTRY_VERIFY((editor = shown<EditorDialog>(window, u"valueEditor"_s)));
        typeInto(editor->findChild<QLineEdit*>(u"valueField"_s), u"+81 90 9999 9999"_s);
        editor->doneButton()->click();
        QCOMPARE(list->topLevelItem(1)->text(1), u"+81 90 9999 9999"_s);
        card->addValue(Field::Email);
        QTRY_VERIFY((editor = shown<EditorDialog>(window, u"valueEditor"_s)));
        typeInto(editor->findChild<QLineEdit*>(u"valueField"_s), u"hana@example.jp"_s);
        editor->doneButton()->click();
        const ContactEntryPtr hana = contactNamed(window, u"Hana Sato"_s);
        QCOMPARE(hana->person->emailValues().first().value, u"hana@example.jp"_s);
        undo(window);
        QVERIFY(hana->person->emailValues().isEmpty());
        QCOMPARE(list->topLevelItemCount(), 7);
        card->addValue(Field::Note); // a field without labels
        QTRY_VERIFY((editor = shown<EditorDialog>(window, u"valueEditor"_s)));
        editor->findChild<QPlainTextEdit*>(u"valueField"_s)->setPlainText(u"Tea\nno sugar"_s);
        editor->doneButton()->click();
        QCOMPARE(hana->person->stringValueForIdentifier(Field::Note), u"Tea\nno sugar"_s);
        QCOMPARE(list->topLevelItem(list->topLevelItemCount() - 1)->text(1), u"Tea\nno sugar"_s);

        // A popover belongs to its contact; detached, the panel follows the selection.
        info->setDetached(true);
        Test::selectRows(window, {rowOf(window, u"Ben Baker"_s)});
        QCOMPARE(card->contact()->person->compositeName(), u"Ben Baker"_s);
        info->setDetached(false);
        Test::selectRows(window, {rowOf(window, u"Hana Sato"_s)});
        QVERIFY(!info->isVisible());
    }

    void photoFromFileAndDrop()
    {
        DocumentWindow* window = open(u"ui/editors.vcf"_s);
        Test::selectRows(window, {rowOf(window, u"Ben Baker"_s)});
        QVERIFY(window->pane()->editors()->showContactInfo());
        ContactCard* card = window->pane()->editors()->contactInfo()->card();
        QImage image(1000, 800, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const QString path = dir().filePath(u"photo.png"_s);
        QVERIFY(image.save(path));
        FileDialog::setNextFileNames({path});
        card->choosePhoto();
        const ContactEntryPtr ben = contactNamed(window, u"Ben Baker"_s);
        QCOMPARE(ben->person->photo().size(), QSize(512, 409));
        undo(window);
        QVERIFY(ben->person->photoData().isEmpty());
        QMimeData dropped;
        dropped.setImageData(QImage(64, 64, QImage::Format_RGB32));
        QVERIFY(card->setPhotoFrom(&dropped));
        QCOMPARE(ben->person->photo().size(), QSize(64, 64));
        QVERIFY(saved(window, u"Ben Baker"_s)->person->photoData().size() > 0);
        card->removePhoto();
        QVERIFY(ben->person->photoData().isEmpty());
        window->pane()->setEditMode(false); // locked: nothing is dropped
        window->pane()->editors()->showContactInfo();
        QVERIFY(!card->setPhotoFrom(&dropped));
    }
};

QTEST_MAIN(TestFieldEditors)
#include "tst_fieldeditors.moc"
