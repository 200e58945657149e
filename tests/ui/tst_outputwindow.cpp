// Printing and QR codes from a document window: the print dialog and the preview with the print
// options, each style printed to PDF through Qt's own PDF printer, the QR code sheet read back with
// zbarimg, and the sender chosen with Use as My Card.

#include "TestSupport.h"
#include "UiTestSupport.h"
#include "WindowTestCase.h"
#include "documents/ContactDocument.h"
#include "documents/ContactPane.h"
#include "documents/DocumentWindow.h"
#include "documents/Preferences.h"
#include "output/ContactPrinter.h"
#include "output/OutputCommands.h"
#include "output/PrintAccessory.h"
#include "output/QRCodeImage.h"
#include "output/QRCodePanel.h"
#include "output/QRCodePanelModel.h"
#include "support/FileDialog.h"
#include "table/ContactsViewController.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace Quillary;
using namespace Quillary::Ui;
using namespace Qt::StringLiterals;

namespace {

QCheckBox* switchTitled(QWidget* accessory, const QString& title)
{
    const QTabWidget* tabs = accessory->findChild<QTabWidget*>(u"styleTabs"_s);
    for (QCheckBox* box : tabs->currentWidget()->findChildren<QCheckBox*>()) {
        if (box->text() == title)
            return box;
    }
    return nullptr;
}

} // namespace

class TestOutputWindow : public Test::WindowTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void dialogStoresOption_data()
    {
        Test::addColumns<bool, PrintStyle, QString>("preview", "style", "title");
        QTest::newRow("print dialog, labels' frame") << false << PrintStyle::MailingLabels << "Print frame";
        QTest::newRow("preview, postcard's spouse") << true << PrintStyle::Hagaki << "Print spouse";
    }
    void dialogStoresOption()
    {
        QFETCH(bool, preview);
        QFETCH(PrintStyle, style);
        QFETCH(QString, title);
        DocumentWindow* window = open(u"ui/contacts.vcf"_s);
        OutputCommands* commands = window->pane()->outputCommands();
        QTRY_VERIFY(commands->printAction()->isEnabled()); // a row is selected from the start
        Test::selectRows(window, {0, 1});
        QVERIFY(commands->printAction()->isEnabled());

        bool before = false;
        int redraws = -1;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            auto* accessory = dialog->findChild<PrintAccessory*>();
            QVERIFY(accessory);
            accessory->setPrintStyle(style);
            QCheckBox* box = switchTitled(accessory, title);
            QVERIFY(box);
            before = box->isChecked();
            int painted = 0;
            if (auto* previewDialog = qobject_cast<QPrintPreviewDialog*>(dialog))
                connect(previewDialog, &QPrintPreviewDialog::paintRequested, this, [&painted] { ++painted; });
            box->click();
            redraws = painted;
            dialog->close();
        });
        (preview ? commands->printPreviewAction() : commands->printAction())->trigger();

        const PrintOptions stored = PrintOptionsStore(&window->pane()->preferences()).load();
        QCOMPARE(stored.style(), style);
        const bool after = style == PrintStyle::Hagaki ? stored.hagaki.printSpouse : stored.mailingLabels.printFrame;
        QCOMPARE(after, !before);
        if (preview)
            QVERIFY2(redraws > 0, "the preview redraws on a change");
    }

    void printsEachStyleToPdf_data()
    {
        Test::addColumns<PrintStyle, int, QString>("style", "pages", "paper");
        QTest::newRow("address list") << PrintStyle::AddressList << 1 << "595 x 842";
        QTest::newRow("labels") << PrintStyle::MailingLabels << 1 << "595 x 842";
        QTest::newRow("envelopes") << PrintStyle::Envelope << 3 << "624 x 312";
        QTest::newRow("postcards") << PrintStyle::Hagaki << 3 << "284 x 419";
    }
    void printsEachStyleToPdf()
    {
        QFETCH(PrintStyle, style);
        QFETCH(int, pages);
        QFETCH(QString, paper);
        if (QStandardPaths::findExecutable(u"pdfinfo"_s).isEmpty())
            QSKIP("poppler-utils is not installed");
        DocumentWindow* window = open(u"ui/contacts.vcf"_s);
        Test::selectRows(window, {0, 1, 2});
        const std::unique_ptr<ContactPrinter> job = window->pane()->outputCommands()->makePrinter();
        job->accessory()->setPrintStyle(style);
        QPrinter& printer = job->printer();
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString path = dir().filePath(u"job.pdf"_s);
        printer.setOutputFileName(path);
        job->fitPaperToStyle();
        QVERIFY(job->render(printer));

        const QString info = Test::runTool(u"pdfinfo"_s, {path});
        QVERIFY2(info.contains(QRegularExpression(u"Pages:\\s+%1\\n"_s.arg(pages))), qPrintable(info));
        QVERIFY2(info.contains(paper), qPrintable(info));
        if (style != PrintStyle::Hagaki) {
            const QString text = Test::runTool(u"pdftotext"_s, {path, u"-"_s});
            for (const ContactEntryPtr& contact : window->tableController()->selectedContacts())
                QVERIFY2(text.contains(contact->compositeName), qPrintable(text));
        }
    }

    void accessoryControls()
    {
        DocumentWindow* window = open(u"ui/contacts.vcf"_s);
        Test::selectRows(window, {0});
        const std::unique_ptr<ContactPrinter> job = window->pane()->outputCommands()->makePrinter();
        PrintAccessory* accessory = job->accessory();
        accessory->setPrintStyle(PrintStyle::AddressList);
        auto* unit = accessory->findChild<QComboBox*>(u"unitPopup"_s);
        unit->setCurrentIndex(unit->findData(int(LengthUnit::Inches)));
        Q_EMIT unit->activated(unit->currentIndex());
        auto* left = accessory->tabs()->currentWidget()->findChild<QDoubleSpinBox*>(u"margin1"_s);
        QCOMPARE(left->singleStep(), 0.1);
        left->setValue(1);
        const auto stored = [window] { return PrintOptionsStore(&window->pane()->preferences()).load(); };
        QCOMPARE(stored().addressList.margins.left, 72.0);
        QCOMPARE(stored().unitType, u"inches"_s);

        // Rows are dragged by moving them in the list; nothing goes above "Name".
        auto* items = accessory->findChild<QListWidget*>(u"itemTable"_s);
        const int phone = items->row(items->findItems(u"Phone"_s, Qt::MatchExactly).first());
        QVERIFY(items->model()->moveRow({}, phone, {}, 1));
        QCOMPARE(stored().addressList.itemTable.at(1).title, u"Phone"_s);
        QVERIFY(items->model()->moveRow({}, 2, {}, 0));
        QTRY_COMPARE(items->item(0)->text(), u"Name"_s);
        QCOMPARE(stored().addressList.itemTable.first().title, u"Name"_s);
    }

    void qrCodeSheet()
    {
        DocumentWindow* window = open(u"ui/contacts.vcf"_s);
        OutputCommands* commands = window->pane()->outputCommands();
        QTRY_VERIFY(commands->showQRCodeAction()->isEnabled()); // a row is selected from the start
        Test::selectRows(window, {2});
        QVERIFY(commands->showQRCodeAction()->isEnabled());
        commands->showQRCodeAction()->trigger();
        QRCodePanel* panel = commands->qrCodePanel();
        QVERIFY(panel && panel->isVisible());
        QCOMPARE(panel->windowModality(), Qt::WindowModal);
        // While the sheet shows, neither it nor printing can be asked for again.
        QVERIFY(!commands->showQRCodeAction()->isEnabled());
        QVERIFY(!commands->printAction()->isEnabled());
        const QString payload = panel->model().payload();
        QVERIFY(payload.contains(window->tableController()->selectedContacts().first()->compositeName));

        // A phone camera needs 4 screen pixels per module at the least.
        const QImage shown = panel->shownImage();
        const int modules = QRCodeImage::modules(payload).width();
        QVERIFY(shown.width() / (modules + 2) >= QRCodePanel::MinimumPixelsPerModule);

        const QString png = dir().filePath(u"qr.png"_s);
        FileDialog::setNextFileNames({png});
        QVERIFY(panel->savePng());
        QFile saved(png);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), panel->model().pngData());
        if (!QStandardPaths::findExecutable(u"zbarimg"_s).isEmpty()) {
            const QString shownPath = dir().filePath(u"shown.png"_s);
            QVERIFY(shown.save(shownPath));
            const QString decoded = Test::runTool(u"zbarimg"_s, {u"--raw"_s, u"-q"_s, u"-Sbinary"_s, shownPath});
            QCOMPARE(decoded, payload);
        }

        panel->copy();
        const QMimeData* clipboard = QApplication::clipboard()->mimeData();
        QVERIFY(clipboard && clipboard->hasImage());
        QCOMPARE(clipboard->data(u"image/png"_s), panel->model().pngData());
        panel->close();
        QVERIFY(commands->showQRCodeAction()->isEnabled());
    }

    void useAsMyCardChoosesSender()
    {
        DocumentWindow* window = open(u"ui/contacts.vcf"_s);
        OutputCommands* commands = window->pane()->outputCommands();
        window->pane()->preferences().setMyCardUniqueId({});
        QVERIFY(!commands->sender());
        Test::selectRows(window, {3});
        const ContactEntryPtr chosen = window->tableController()->selectedContacts().first();
        commands->useAsMyCardAction()->trigger();
        QCOMPARE(window->pane()->preferences().myCardUniqueId(), chosen->uniqueId);
        QCOMPARE(commands->sender(), chosen);
        QVERIFY(commands->useAsMyCardAction()->isChecked());
    }
};

QTEST_MAIN(TestOutputWindow)
#include "tst_outputwindow.moc"
