#include "ContactPrinter.h"

#include "PrintAccessory.h"
#include "output/PrintPaper.h"
#include "output/PrintView.h"

#include <QBoxLayout>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace Quillary::Ui {

ContactPrinter::ContactPrinter(ContactTable contacts, ContactEntryPtr sender, PrintOptionsStore store, QObject* parent)
    : QObject(parent), m_contacts(std::move(contacts)), m_sender(std::move(sender)),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)), m_accessory(new PrintAccessory(std::move(store)))
{
    // The styles keep their own margins; the job adds none.
    m_printer->setFullPage(true);
    m_printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    m_printer->setDocName(tr("Contacts"));
    fitPaperToStyle();
    connect(m_accessory, &PrintAccessory::optionsChanged, this, &ContactPrinter::fitPaperToStyle);
}

ContactPrinter::~ContactPrinter()
{
    // The dialogs that showed the accessory are gone; one that was never shown is still ours.
    if (m_accessory && !m_accessory->parent())
        delete m_accessory;
}

PrintAccessory* ContactPrinter::accessory() const
{
    return m_accessory;
}

void ContactPrinter::setColumns(const QStringList& columns)
{
    m_accessory->setColumns(columns);
}

void ContactPrinter::fitPaperToStyle()
{
    const QPageLayout layout = PrintPaper::layoutForStyle(m_accessory->printStyle(), m_printer->pageLayout());
    if (!layout.isEquivalentTo(m_printer->pageLayout()))
        m_printer->setPageLayout(layout);
}

bool ContactPrinter::render(QPrinter& printer) const
{
    PrintView view(m_contacts, PaperInfo::fromPageLayout(printer.pageLayout()), m_accessory->printOptions());
    view.setSender(m_sender);
    // Paper goes through the PDF engine (also for CUPS printers); the preview records pictures.
    const QPaintEngine* engine = printer.paintEngine();
    view.setShowsBackground(engine && engine->type() != QPaintEngine::Pdf);
    return view.render(printer);
}

bool ContactPrinter::print(QWidget* window)
{
    QPrintDialog dialog(m_printer.get(), window);
    dialog.setObjectName(QStringLiteral("printDialog"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setOptionTabs({m_accessory});
    const bool accepted = dialog.exec() == QDialog::Accepted;
    // The dialog owns its tabs: take the accessory back before it goes.
    m_accessory->setParent(nullptr);
    if (!accepted)
        return false;
    fitPaperToStyle();
    return render(*m_printer);
}

void ContactPrinter::preview(QWidget* window)
{
    QPrintPreviewDialog dialog(m_printer.get(), window);
    dialog.setObjectName(QStringLiteral("printPreviewDialog"));
    dialog.setWindowModality(Qt::WindowModal);
    auto* previewWidget = dialog.findChild<QPrintPreviewWidget*>();
    if (auto* layout = qobject_cast<QBoxLayout*>(dialog.layout()); layout && previewWidget) {
        // The options stand beside the pages, and every change redraws them.
        layout->removeWidget(previewWidget);
        auto* row = new QHBoxLayout;
        row->addWidget(previewWidget, 1);
        row->addWidget(m_accessory);
        layout->addLayout(row, 1);
        connect(m_accessory, &PrintAccessory::optionsChanged, previewWidget, &QPrintPreviewWidget::updatePreview);
    }
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) { render(*printer); });
    dialog.exec();
    m_accessory->setParent(nullptr);
}

} // namespace Quillary::Ui
