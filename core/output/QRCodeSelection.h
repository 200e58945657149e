#pragma once

#include "QRCodeFormat.h"
#include "model/FieldIdentifiers.h"
#include "model/LabeledLists.h"

#include <QList>
#include <QString>

namespace Quillary {

class PersonDsc;

/// One row of the QR code panel's selection table: a phone number, e-mail address, postal address
/// or URL of the contact, or one of its organisation fields, and whether it goes into the payload.
struct QRCodeRow
{
    FieldId type = FieldId::Phone; ///< Phone, Email, Address, URL, Company, Department or JobTitle
    QString label; ///< shown form; empty for the organisation rows
    QString value; ///< the text; for addresses the formatted address
    PostalAddress address; ///< Address rows: the parts of the address
    bool selected = false;

    /// "label: value" for labelled rows, the value alone for organisation rows, "" without a value.
    [[nodiscard]] QString displayText() const;
    /// Whether the row's check box can be changed while the panel shows that format.
    [[nodiscard]] bool isEnabled(QRCodeFormat format) const;
    [[nodiscard]] bool isOrganisation() const;

    friend bool operator==(const QRCodeRow&, const QRCodeRow&) = default;
};

/// The rows of one contact that the QR code panel lets the user tick: every phone number, e-mail
/// address, postal address and URL in the contact's order, then company, department and job title.
/// The first phone, e-mail and address start ticked.
class QRCodeSelection
{
public:
    QRCodeSelection() = default;
    explicit QRCodeSelection(const PersonDsc& person);

    [[nodiscard]] const QList<QRCodeRow>& rows() const { return m_rows; }
    [[nodiscard]] qsizetype size() const { return m_rows.size(); }
    [[nodiscard]] const QRCodeRow& at(qsizetype row) const { return m_rows.at(row); }

    /// Ticks or unticks a row; false when the row does not exist or already had that state.
    bool setSelected(qsizetype row, bool selected);

    /// The value of the last ticked row of a type, "" when none is ticked.
    [[nodiscard]] QString chosenValue(FieldId type) const;
    /// Whether any row of a type is ticked.
    [[nodiscard]] bool isSelected(FieldId type) const;
    /// The ticked rows of a type, in table order.
    [[nodiscard]] QList<QRCodeRow> selectedRows(FieldId type) const;
    /// The positions in the table of the rows of a type that hold a value, in table order.
    [[nodiscard]] QList<qsizetype> rowsOf(FieldId type) const;

    friend bool operator==(const QRCodeSelection&, const QRCodeSelection&) = default;

private:
    void appendLabeled(FieldId type, LabeledValueSpan values, bool selectFirst);

    QList<QRCodeRow> m_rows;
};

} // namespace Quillary
