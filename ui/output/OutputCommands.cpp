#include "OutputCommands.h"

#include "ContactPrinter.h"
#include "QRCodePanel.h"
#include "documents/ContactOwner.h"
#include "documents/Preferences.h"
#include "output/OutputCommandRules.h"
#include "table/ContactsViewController.h"

#include <QAction>

namespace Quillary::Ui {

OutputCommands::OutputCommands(QWidget* window, ContactOwner* owner, ContactsViewController* table,
                               Preferences& preferences)
    : QObject(window), m_window(window), m_owner(owner), m_table(table), m_preferences(preferences),
      m_print(new QAction(tr("Print…"), window)), m_preview(new QAction(tr("Print Preview…"), window)),
      m_showQRCode(new QAction(tr("Show QRCode"), window)), m_useAsMyCard(new QAction(tr("Use as My Card"), window))
{
    m_print->setObjectName(QStringLiteral("printAction"));
    m_print->setShortcut(QKeySequence::Print);
    m_preview->setObjectName(QStringLiteral("printPreviewAction"));
    m_showQRCode->setObjectName(QStringLiteral("showQRCodeAction"));
    m_useAsMyCard->setObjectName(QStringLiteral("useAsMyCardAction"));
    m_useAsMyCard->setCheckable(true);
    connect(m_print, &QAction::triggered, this, &OutputCommands::print);
    connect(m_preview, &QAction::triggered, this, &OutputCommands::printPreview);
    connect(m_showQRCode, &QAction::triggered, this, [this] { showQRCode(); });
    connect(m_useAsMyCard, &QAction::triggered, this, &OutputCommands::useAsMyCard);
}

OutputCommands::~OutputCommands() = default;

QRCodePanel* OutputCommands::qrCodePanel() const
{
    return m_qrCodePanel;
}

bool OutputCommands::panelsFree() const
{
    return !(m_qrCodePanel && m_qrCodePanel->isVisible());
}

void OutputCommands::validate()
{
    OutputCommandRules::State state;
    state.selectedRows = int(m_table->selectedIndexes().size());
    state.panelsFree = panelsFree();
    m_print->setEnabled(OutputCommandRules::canPrint(state));
    m_preview->setEnabled(OutputCommandRules::canPrint(state));
    m_showQRCode->setEnabled(OutputCommandRules::canShowQRCode(state));
    m_useAsMyCard->setEnabled(state.selectedRows > 0);
    const ContactTable selected = m_table->selectedContacts();
    m_useAsMyCard->setChecked(!selected.isEmpty() && selected.first()->uniqueId == m_preferences.myCardUniqueId());
}

void OutputCommands::showQRCode(int clickedRow)
{
    const QList<int>& selected = m_table->selectedIndexes();
    const int row = clickedRow >= 0 ? clickedRow : (selected.isEmpty() ? -1 : selected.first());
    const ContactTable contacts = row >= 0 ? m_table->contactsForIndexes({row}) : ContactTable();
    if (contacts.isEmpty() || !panelsFree())
        return;
    if (!m_qrCodePanel) {
        m_qrCodePanel = new QRCodePanel(m_window);
        connect(m_qrCodePanel, &QDialog::finished, this, &OutputCommands::validate);
    }
    m_qrCodePanel->setContact(contacts.first());
    m_qrCodePanel->open();
    validate();
}

std::unique_ptr<ContactPrinter> OutputCommands::makePrinter() const
{
    auto printer =
        std::make_unique<ContactPrinter>(m_table->selectedContacts(), sender(), PrintOptionsStore(&m_preferences));
    printer->setColumns(m_table->viewTypeDict().columns(m_table->selectedViewType()));
    return printer;
}

void OutputCommands::print()
{
    if (!m_print->isEnabled())
        return;
    makePrinter()->print(m_window);
}

void OutputCommands::printPreview()
{
    if (!m_preview->isEnabled())
        return;
    makePrinter()->preview(m_window);
}

void OutputCommands::useAsMyCard()
{
    const ContactTable selected = m_table->selectedContacts();
    if (selected.isEmpty())
        return;
    m_preferences.setMyCardUniqueId(selected.first()->uniqueId);
    validate();
}

ContactEntryPtr OutputCommands::sender() const
{
    const QString uniqueId = m_preferences.myCardUniqueId();
    if (uniqueId.isEmpty())
        return {};
    for (const ContactEntryPtr& entry : m_owner->collection().contactTable) {
        if (entry->uniqueId == uniqueId && !entry->deleted)
            return entry;
    }
    return {};
}

} // namespace Quillary::Ui
