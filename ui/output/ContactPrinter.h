#pragma once

#include "model/ContactEntry.h"
#include "output/PrintOptionsStore.h"

#include <QObject>
#include <QPointer>

class QPrinter;
class QPrintPreviewWidget;
class QWidget;

namespace Quillary::Ui {

class PrintAccessory;

/// One print job of contacts: the print dialog with the print options as an extra tab, or the
/// preview with the options beside it. The job prints without margins of its own (the styles keep
/// theirs), on the paper its style needs, with the given sender.
class ContactPrinter final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContactPrinter)

public:
    ContactPrinter(ContactTable contacts, ContactEntryPtr sender, PrintOptionsStore store, QObject* parent = nullptr);
    ~ContactPrinter() override;

    /// Marks the table's visible columns as printed items of the address list.
    void setColumns(const QStringList& columns);
    [[nodiscard]] PrintAccessory* accessory() const;
    [[nodiscard]] QPrinter& printer() const { return *m_printer; }

    /// Runs the print dialog over `window`; prints when it is accepted. Answers whether it printed.
    bool print(QWidget* window);
    /// Runs the preview over `window`, from which the job can be printed too.
    void preview(QWidget* window);

    /// Renders every page on the printer; for a screen (the preview) the stationery is drawn too.
    bool render(QPrinter& printer) const;

    /// Turns the job's paper into the one the chosen style needs (an envelope, a postcard).
    void fitPaperToStyle();

private:
    ContactTable m_contacts;
    ContactEntryPtr m_sender;
    std::unique_ptr<QPrinter> m_printer;
    QPointer<PrintAccessory> m_accessory;
};

} // namespace Quillary::Ui
