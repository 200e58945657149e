// Printing and QR codes from a document window: the print dialog and the preview with the print
// options, each style printed to PDF through Qt's own PDF printer, the QR code sheet read back with
// zbarimg, and the sender chosen with Use as My Card.

#include "UiTestSupport.h"
#include "WindowTestCase.h"
#include "documents/ContactDocument.h"
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
#include <QProcess>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace Quillary;
using namespace Quillary::Ui;

namespace {

QString runTool(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QCheckBox* switchTitled(QWidget* accessory, const QString& title)
{
    const QTabWidget* tabs = accessory->findChild<QTabWidget*>(QStringLiteral("styleTabs"));
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
    void dialogStoresOption_data();
    void dialogStoresOption();
    void printsEachStyleToPdf_data();
    void printsEachStyleToPdf();
    void accessoryControls();
    void qrCodeSheet();
    void useAsMyCardChoosesSender();
};

void TestOutputWindow::dialogStoresOption_data()
{
    QTest::addColumn<bool>("preview");
    QTest::addColumn<PrintStyle>("style");
    QTest::addColumn<QString>("title");
    QTest::newRow("print dialog, labels' frame") << false << PrintStyle::MailingLabels << "Print frame";
    QTest::newRow("preview, postcard's spouse") << true << PrintStyle::Hagaki << "Print spouse";
}

void TestOutputWindow::dialogStoresOption()
{
    QFETCH(bool, preview);
    QFETCH(PrintStyle, style);
    QFETCH(QString, title);
    DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
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

void TestOutputWindow::printsEachStyleToPdf_data()
{
    QTest::addColumn<PrintStyle>("style");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("paper");
    QTest::newRow("address list") << PrintStyle::AddressList << 1 << "595 x 842";
    QTest::newRow("labels") << PrintStyle::MailingLabels << 1 << "595 x 842";
    QTest::newRow("envelopes") << PrintStyle::Envelope << 3 << "624 x 312";
    QTest::newRow("postcards") << PrintStyle::Hagaki << 3 << "284 x 419";
}

void TestOutputWindow::printsEachStyleToPdf()
{
    QFETCH(PrintStyle, style);
    QFETCH(int, pages);
    QFETCH(QString, paper);
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        QSKIP("poppler-utils is not installed");
    DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
    Test::selectRows(window, {0, 1, 2});
    const std::unique_ptr<ContactPrinter> job = window->pane()->outputCommands()->makePrinter();
    job->accessory()->setPrintStyle(style);
    QPrinter& printer = job->printer();
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = dir().filePath(QStringLiteral("job.pdf"));
    printer.setOutputFileName(path);
    job->fitPaperToStyle();
    QVERIFY(job->render(printer));

    const QString info = runTool(QStringLiteral("pdfinfo"), {path});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))), qPrintable(info));
    QVERIFY2(info.contains(paper), qPrintable(info));
    if (style != PrintStyle::Hagaki) {
        const QString text = runTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
        for (const ContactEntryPtr& contact : window->tableController()->selectedContacts())
            QVERIFY2(text.contains(contact->compositeName), qPrintable(text));
    }
}

void TestOutputWindow::accessoryControls()
{
    DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
    Test::selectRows(window, {0});
    const std::unique_ptr<ContactPrinter> job = window->pane()->outputCommands()->makePrinter();
    PrintAccessory* accessory = job->accessory();
    accessory->setPrintStyle(PrintStyle::AddressList);
    auto* unit = accessory->findChild<QComboBox*>(QStringLiteral("unitPopup"));
    unit->setCurrentIndex(unit->findData(int(LengthUnit::Inches)));
    Q_EMIT unit->activated(unit->currentIndex());
    auto* left = accessory->tabs()->currentWidget()->findChild<QDoubleSpinBox*>(QStringLiteral("margin1"));
    QCOMPARE(left->singleStep(), 0.1);
    left->setValue(1);
    const auto stored = [window] { return PrintOptionsStore(&window->pane()->preferences()).load(); };
    QCOMPARE(stored().addressList.margins.left, 72.0);
    QCOMPARE(stored().unitType, QStringLiteral("inches"));

    // Rows are dragged by moving them in the list; nothing goes above "Name".
    auto* items = accessory->findChild<QListWidget*>(QStringLiteral("itemTable"));
    const int phone = items->row(items->findItems(QStringLiteral("Phone"), Qt::MatchExactly).first());
    QVERIFY(items->model()->moveRow({}, phone, {}, 1));
    QCOMPARE(stored().addressList.itemTable.at(1).title, QStringLiteral("Phone"));
    QVERIFY(items->model()->moveRow({}, 2, {}, 0));
    QTRY_COMPARE(items->item(0)->text(), QStringLiteral("Name"));
    QCOMPARE(stored().addressList.itemTable.first().title, QStringLiteral("Name"));
}

void TestOutputWindow::qrCodeSheet()
{
    DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
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

    const QString png = dir().filePath(QStringLiteral("qr.png"));
    FileDialog::setNextFileNames({png});
    QVERIFY(panel->savePng());
    QFile saved(png);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), panel->model().pngData());
    if (!QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty()) {
        const QString shownPath = dir().filePath(QStringLiteral("shown.png"));
        QVERIFY(shown.save(shownPath));
        const QString decoded =
            runTool(QStringLiteral("zbarimg"),
                    {QStringLiteral("--raw"), QStringLiteral("-q"), QStringLiteral("-Sbinary"), shownPath});
        QCOMPARE(decoded, payload);
    }

    panel->copy();
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    QVERIFY(clipboard && clipboard->hasImage());
    QCOMPARE(clipboard->data(QStringLiteral("image/png")), panel->model().pngData());
    panel->close();
    QVERIFY(commands->showQRCodeAction()->isEnabled());
}

void TestOutputWindow::useAsMyCardChoosesSender()
{
    DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
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

QTEST_MAIN(TestOutputWindow)
#include "tst_outputwindow.moc"
