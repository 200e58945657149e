// The widgets of a document window on their own: the contacts table's row heights, columns and
// highlighting, the encoding pop-up with its customize panel, and the import panel.

#include "TestSupport.h"
#include "UiTestSupport.h"
#include "documents/ContactDocument.h"
#include "documents/ContactPane.h"
#include "documents/DocumentWindow.h"
#include "documents/Preferences.h"
#include "formats/EncodingAccessory.h"
#include "formats/EncodingAccessoryModel.h"
#include "formats/EncodingListPanel.h"
#include "formats/ImportPanel.h"
#include "formats/ImportPanelModel.h"
#include "formats/ZQVCard.h"
#include "model/FieldIdentifiers.h"
#include "support/FileDialog.h"
#include "table/ContactCellDelegate.h"
#include "table/ContactsTableView.h"
#include "table/ContactsViewController.h"
#include "table/ReplaceAlertPanel.h"
#include "table/ReplaceAlertPanelModel.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Quillary;
using namespace Quillary::Ui;

class TestTableWidgets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Test::isolateUserSettings(); }

    void init()
    {
        Test::resetUiSeams();
        Preferences::instance().restoreDefaults();
    }

    void rowHeightsFollowTheLines()
    {
        auto w = windowOf(QStringLiteral("ui/contacts.vcf"));
        w->pane()->viewTypePopupSelected(QStringLiteral("Other")); // Dates and Note
        ContactsTableView* view = w->tableView();
        ContactsViewController* table = w->tableController();
        const int line = view->lineHeight();
        QVERIFY(line >= 20);
        const auto check = [&] {
            view->measureVisibleRows();
            for (int row = 0; row < view->model()->rowCount(); ++row)
                QCOMPARE(view->rowHeight(row), view->heightForRow(row));
        };
        check();
        int ben = -1;
        for (int row = 0; row < table->subContactTable().size(); ++row) {
            if (table->subContactTable().at(row).person().compositeName() == QStringLiteral("Ben Baker"))
                ben = row;
        }
        QCOMPARE(view->rowHeight(ben), 3 * line); // a note of three lines
        // Sorted by the note, Ben comes first; the row that was his is one line high again.
        table->sortDescriptorsDidChange({Field::Note, true});
        QCOMPARE(table->subContactTable().first().person().compositeName(), QStringLiteral("Ben Baker"));
        check();
        QCOMPARE(view->rowHeight(0), 3 * line);
        QCOMPARE(view->rowHeight(ben), line);
        // With the company in the name cell every row takes two tighter lines.
        table->toggleShowCompany();
        check();
        QCOMPARE(view->rowHeight(1), 2 * (line - 4));
        table->toggleShowCompany();
        check();
    }

    void onlyRowsInViewAreMeasured()
    {
        QByteArray cards;
        for (int i = 0; i < 2000; ++i)
            cards += "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Person;" + QByteArray::number(i)
                + ";;;\r\nNOTE:first line\\nsecond line\r\nEND:VCARD\r\n";
        auto document = std::make_unique<ContactDocument>();
        document->collection().contactTable = ZQVCard().contactsFromVCards(cards);
        document->collection().topGroup()->contactTable = document->collection().contactTable;
        QCOMPARE(document->collection().contactTable.size(), 2000);
        auto w = window(std::move(document));
        w->pane()->viewTypePopupSelected(QStringLiteral("Other"));
        ContactsTableView* view = w->tableView();
        view->measureVisibleRows();
        const int line = view->lineHeight();
        QCOMPARE(view->rowHeight(0), 2 * line);
        QCOMPARE(view->rowHeight(1000), line); // not measured yet
        QCOMPARE(view->rowHeight(1999), 2 * line); // the last rows decide the scroll range
        view->scrollTo(view->model()->index(1000, 0), QAbstractItemView::PositionAtTop);
        view->measureVisibleRows();
        QCOMPARE(view->rowHeight(1000), 2 * line);
        // At the bottom the last row and the summary row are in full view.
        QCoreApplication::processEvents();
        view->scrollToBottom();
        view->measureVisibleRows();
        QCoreApplication::processEvents();
        QVERIFY(view->viewport()->rect().contains(view->visualRect(view->model()->index(2000, 0))));
        QVERIFY(view->viewport()->rect().contains(view->visualRect(view->model()->index(1999, 1))));
    }

    void columnsMoveButNeverBeforeName()
    {
        auto w = windowOf(QStringLiteral("ui/contacts.vcf"));
        w->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
        w->pane()->toggleColumn(Field::Email); // goes right of "Name"
        ContactsViewController* table = w->tableController();
        QCOMPARE(table->tableIdentfiers(), (QStringList{Field::Name, Field::Email, Field::Phone}));
        QHeaderView* header = w->tableView()->horizontalHeader();

        header->moveSection(1, 0);
        QCoreApplication::processEvents();
        QCOMPARE(table->tableIdentfiers(), (QStringList{Field::Name, Field::Email, Field::Phone}));
        QCOMPARE(header->visualIndex(0), 0);

        header->moveSection(2, 1);
        QTRY_COMPARE(table->tableIdentfiers(), (QStringList{Field::Name, Field::Phone, Field::Email}));
        for (int column = 0; column < header->count(); ++column)
            QCOMPARE(header->visualIndex(column), column);
        QCOMPARE(table->viewTypeDict().columns(QStringLiteral("Phone")),
                 (QStringList{Field::Name, Field::Phone, Field::Email}));
        QCOMPARE(w->tableView()->model()->headerData(1, Qt::Horizontal).toString(), Field::Phone);
    }

    void columnWidthsPersist()
    {
        {
            auto w = windowOf(QStringLiteral("ui/contacts.vcf"));
            w->pane()->viewTypePopupSelected(QStringLiteral("Labeled Values"));
            QHeaderView* header = w->tableView()->horizontalHeader();
            const int phone = int(w->tableController()->tableIdentfiers().indexOf(Field::Phone));
            QVERIFY(phone > 0 && phone < header->count() - 1);
            // No stored width: the phone numbers fit whole, label included.
            const CellContent cell = w->tableController()->cell(0, phone);
            QVERIFY(header->sectionSize(phone) >= w->tableView()->cellDelegate()->contentWidth(cell));
            QVERIFY(header->sectionSize(phone) <= 360);
            // The last column reaches the window's edge.
            QVERIFY(header->length() >= header->viewport()->width());
            header->resizeSection(phone, 211);
            header->resizeSection(0, 20); // narrower than any column may be
            QCOMPARE(Preferences::instance().columnWidthDictionary()->value(Field::Phone), 211.0);
        }
        auto w = windowOf(QStringLiteral("ui/contacts.vcf"));
        QHeaderView* header = w->tableView()->horizontalHeader();
        QCOMPARE(header->sectionSize(int(w->tableController()->tableIdentfiers().indexOf(Field::Phone))), 211);
        QCOMPARE(header->sectionSize(0), 80);
    }

    void summaryRowSpansAndIsNotSelectable()
    {
        auto w = windowOf(QStringLiteral("ui/contacts.vcf"));
        ContactsTableView* view = w->tableView();
        const int summary = view->model()->rowCount() - 1;
        QCOMPARE(view->columnSpan(summary, 0), view->model()->columnCount());
        view->selectAll();
        QVERIFY(!view->selectionModel()->isRowSelected(summary, {}));
        QCOMPARE(w->tableController()->selectedIndexes().size(), summary);
    }

    void searchTextIsHighlighted()
    {
        auto w = windowOf(QStringLiteral("ui/contacts.vcf"));
        ContactsTableView* view = w->tableView();
        view->clearSelection();
        const auto orangePixels = [view] {
            const QImage image = view->viewport()->grab().toImage();
            int count = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x)
                    count += image.pixelColor(x, y) == QColor(255, 165, 0);
            }
            return count;
        };
        QCOMPARE(orangePixels(), 0);
        w->tableController()->setSearchString(QStringLiteral("Baker"));
        QVERIFY(orangePixels() > 0);
        w->tableController()->setSearchString(QString());
        QCOMPARE(orangePixels(), 0);
    }

    void encodingPopupAndCustomizePanel()
    {
        EncodingAccessoryModel model({}, {QStringLiteral("en")});
        QSignalSpy saved(&model, &EncodingAccessoryModel::encodingsSaved);
        EncodingAccessory accessory(&model);
        QComboBox* popup = accessory.popup();
        QCOMPARE(popup->count(), model.items().size());
        QCOMPARE(popup->itemText(0), QStringLiteral("Automatic"));
        QCOMPARE(popup->currentIndex(), 0);
        QCOMPARE(model.encodingType(), 0u);

        // Choosing an encoding is the model's choice too.
        popup->setCurrentIndex(1);
        Q_EMIT popup->activated(1);
        QCOMPARE(model.currentIndex(), 1);
        QVERIFY(model.encodingType() != 0u);

        // "Customize Encoding List…" opens the panel and is not a choice.
        const int customize = popup->count() - 1;
        QCOMPARE(popup->itemText(customize), QStringLiteral("Customize Encoding List…"));
        popup->setCurrentIndex(customize);
        Q_EMIT popup->activated(customize);
        QCOMPARE(popup->currentIndex(), 1);
        EncodingListPanel* panel = accessory.encodingListPanel();
        QVERIFY(panel);
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->tableView()->model()->rowCount(), model.currentEncodings().size());

        QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("clearAllButton")), Qt::LeftButton);
        QCOMPARE(popup->count(), 3); // Automatic, the separator and the customize item
        QCOMPARE(model.encodingType(), 0u);
        QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("revertButton")), Qt::LeftButton);
        QVERIFY(popup->count() > 3);
        panel->close();
        QCOMPARE(saved.size(), 1); // closing the panel hands the list over to be stored
        QVERIFY(!saved.at(0).at(0).toStringList().isEmpty());
    }

    void openPanelShowsTheAccessory()
    {
        EncodingAccessoryModel model({}, {QStringLiteral("en")});
        EncodingAccessory accessory(&model);
        FileDialog::Options options;
        options.title = QStringLiteral("Import from vCard");
        options.acceptLabel = QStringLiteral("Import");
        options.accessory = &accessory;
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog) {
                seen = dialog->isAncestorOf(&accessory) && accessory.isVisible()
                    && dialog->testOption(QFileDialog::DontUseNativeDialog);
                dialog->reject();
            }
        });
        QVERIFY(FileDialog::getOpenFileNames(nullptr, options).isEmpty());
        QVERIFY(seen);
        QVERIFY(!accessory.parent()); // handed back to its owner
    }

    void importPanelOffersAndReturnsSelection()
    {
        const ContactTable contacts = ZQVCard().contactsFromVCards(Test::readData(QStringLiteral("ui/import.vcf")));
        QCOMPARE(contacts.size(), 2);
        ImportPanelModel model;
        model.setFilename(QStringLiteral("import.vcf"));
        model.setNameTable(contacts);
        ImportPanel panel(&model, nullptr);
        panel.show();
        QCOMPARE(panel.nameList()->model()->rowCount(), 2);
        // Everything is offered chosen; the details are those of the first contact.
        QCOMPARE(model.selectedIndexes(), (QList<int>{0, 1}));
        QVERIFY(panel.detailTable()->model()->rowCount() > 0);
        panel.nameList()->selectionModel()->select(model.index(1), QItemSelectionModel::ClearAndSelect);
        QCOMPARE(model.selectedIndexes(), QList<int>{1});
        panel.nameList()->clearSelection();
        QVERIFY(!panel.findChild<QPushButton*>(QStringLiteral("selectButton"))->isEnabled());
    }

    void replacePanelShowsAndFillsItsModel()
    {
        const QStringList labels{QStringLiteral("home"), QStringLiteral("work"), QStringLiteral("mobile")};
        {
            ReplaceAlertPanelModel model(ReplaceAlertPanelModel::Type::ReplaceLabelAndText, Field::Phone, labels,
                                         QStringLiteral("work"), QStringLiteral("+1 555 0100"));
            ReplaceAlertPanel panel(model, nullptr);
            QCOMPARE(panel.findChild<QLabel*>(QStringLiteral("replaceAlertMessage"))->text(),
                     QStringLiteral("In order to replace the label and text of Phone"));
            QCOMPARE(panel.findChild<QPushButton*>(QStringLiteral("okButton"))->text(), QStringLiteral("Replace"));
            auto* labelPopup = panel.findChild<QComboBox*>(QStringLiteral("labelPopup"));
            QVERIFY(labelPopup->isEnabled());
            QCOMPARE(labelPopup->currentText(), QStringLiteral("work"));
            auto* field = panel.findChild<QLineEdit*>(QStringLiteral("replaceTextField"));
            QCOMPARE(field->text(), QStringLiteral("+1 555 0100"));
            field->setText(QStringLiteral("+1 555 0199"));
            labelPopup->setCurrentIndex(2);
            panel.accept();
            QCOMPARE(model.returnCode(), 1);
            QCOMPARE(model.replaceString(), QStringLiteral("+1 555 0199"));
            QCOMPARE(model.label(), QStringLiteral("mobile"));
        }
        ReplaceAlertPanelModel append(ReplaceAlertPanelModel::Type::AppendText, Field::Phone, labels,
                                      QStringLiteral("work"), QStringLiteral("+1 555 0100"));
        ReplaceAlertPanel panel(append, nullptr);
        QCOMPARE(panel.findChild<QPushButton*>(QStringLiteral("okButton"))->text(), QStringLiteral("Append"));
        QVERIFY(!panel.findChild<QComboBox*>(QStringLiteral("labelPopup"))->isEnabled());
        QVERIFY(panel.findChild<QLineEdit*>(QStringLiteral("replaceTextField"))->text().isEmpty());
        panel.reject();
        QCOMPARE(append.returnCode(), 0);
    }

private:
    std::unique_ptr<DocumentWindow> window(std::unique_ptr<ContactDocument> document);
    std::unique_ptr<DocumentWindow> windowOf(const QString& relative);
};

std::unique_ptr<DocumentWindow> TestTableWidgets::window(std::unique_ptr<ContactDocument> document)
{
    document->setAutosaveDelay(0);
    auto result = std::make_unique<DocumentWindow>(std::move(document), Preferences::instance(), nullptr);
    result->setAttribute(Qt::WA_DeleteOnClose, false);
    result->resize(800, 400);
    result->show();
    if (!QTest::qWaitForWindowExposed(result.get()))
        qWarning("window not exposed");
    return result;
}

std::unique_ptr<DocumentWindow> TestTableWidgets::windowOf(const QString& relative)
{
    auto document = std::make_unique<ContactDocument>();
    const DocumentError error = document->read(Test::dataPath(relative));
    if (error.isError())
        qFatal("cannot read %s", qPrintable(relative));
    return window(std::move(document));
}

QTEST_MAIN(TestTableWidgets)
#include "tst_tablewidgets.moc"
