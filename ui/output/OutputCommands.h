#pragma once

#include "model/ContactEntry.h"

#include <QObject>
#include <QPointer>

class QAction;
class QWidget;

namespace Quillary {
class ContactOwner;
class ContactsViewController;
class Preferences;
} // namespace Quillary

namespace Quillary::Ui {

class ContactPrinter;
class QRCodePanel;

/// The print and QR code commands of a window of contacts: File > Print… and Print Preview…, Contact >
/// Show QRCode and Use as My Card, with their enabling rules. The sender of envelopes and postcards is
/// the contact chosen with Use as My Card, remembered by unique id.
class OutputCommands final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OutputCommands)

public:
    /// The commands of the window that shows `owner` through `table`; the panels and dialogs open
    /// over `window`, which owns the commands.
    OutputCommands(QWidget* window, ContactOwner* owner, ContactsViewController* table, Preferences& preferences);
    ~OutputCommands() override;

    [[nodiscard]] QAction* printAction() const { return m_print; }
    [[nodiscard]] QAction* printPreviewAction() const { return m_preview; }
    [[nodiscard]] QAction* showQRCodeAction() const { return m_showQRCode; }
    [[nodiscard]] QAction* useAsMyCardAction() const { return m_useAsMyCard; }

    /// Enables the commands by the window's selection.
    void validate();
    /// Whether neither the QR code sheet nor another panel is showing.
    [[nodiscard]] bool panelsFree() const;

    /// Shows the QR code sheet for the clicked row's contact (-1: the first selected row's).
    void showQRCode(int clickedRow = -1);
    [[nodiscard]] QRCodePanel* qrCodePanel() const;
    /// Prints the selected contacts through the print dialog, or shows their preview.
    void print();
    void printPreview();
    /// The job the print commands run, made afresh for each; tests reach its dialogs through it.
    [[nodiscard]] std::unique_ptr<ContactPrinter> makePrinter() const;

    /// Remembers the selected contact as the sender.
    void useAsMyCard();
    /// The remembered sender when these contacts hold it; null otherwise.
    [[nodiscard]] ContactEntryPtr sender() const;

private:
    QWidget* m_window;
    ContactOwner* m_owner;
    ContactsViewController* m_table;
    Preferences& m_preferences;
    QAction* m_print;
    QAction* m_preview;
    QAction* m_showQRCode;
    QAction* m_useAsMyCard;
    QPointer<QRCodePanel> m_qrCodePanel;
};

} // namespace Quillary::Ui
