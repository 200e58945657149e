#pragma once

#include "Constants.h"
#include "DateComponents.h"
#include "PostalAddress.h"

#include <QList>
#include <QString>

#include <variant>

namespace Quillary::AddressBook {

/// The value of one entry of a multi-valued property: text (phones, e-mails, URLs, related names),
/// an address, a service account (instant messages, social profiles) or a date.
using MultiValueItem = std::variant<QString, PostalAddress, ServiceValue, DateComponents>;

/// An ordered list of labelled values. Each value added gets an identifier that stays with it while
/// the list is edited, so a caller can find "its" value again after others were inserted or removed.
class MultiValue
{
public:
    struct Entry
    {
        int identifier = 0;
        QString label; ///< stored form, "" when the value has no label
        MultiValueItem value;
        friend bool operator==(const Entry& a, const Entry& b) { return a.label == b.label && a.value == b.value; }
    };

    /// Appends a value and returns its identifier.
    int addValue(MultiValueItem value, const QString& label);
    [[nodiscard]] int indexForIdentifier(int identifier) const; ///< position from 0, or -1
    [[nodiscard]] qsizetype count() const { return m_entries.size(); }
    [[nodiscard]] bool isEmpty() const { return m_entries.isEmpty(); }
    [[nodiscard]] const QString& labelAtIndex(qsizetype index) const { return m_entries.at(index).label; }
    [[nodiscard]] const MultiValueItem& valueAtIndex(qsizetype index) const { return m_entries.at(index).value; }
    [[nodiscard]] const QList<Entry>& entries() const { return m_entries; }
    void reserve(qsizetype size) { m_entries.reserve(size); }

    friend bool operator==(const MultiValue& a, const MultiValue& b) { return a.m_entries == b.m_entries; }

private:
    QList<Entry> m_entries;
    int m_nextIdentifier = 0;
};

/// Takes the multi-values of a card in the card's order as they are read, in place of the person
/// record: a reader that makes contacts of its own kind need not build the record's lists first.
class MultiValueSink
{
public:
    virtual ~MultiValueSink() = default;
    virtual void add(MultiProperty property, MultiValueItem value, const QString& label) = 0;
};

} // namespace Quillary::AddressBook
