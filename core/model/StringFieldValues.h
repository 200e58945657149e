#pragma once

#include "FieldIdentifiers.h"

#include <QSharedData>
#include <QString>

#include <array>

namespace Quillary {

/// The texts of a contact's string fields. Company, job title and note are common and held inline;
/// the department, nickname, title and suffix that few contacts have are held apart, and only by the
/// contacts that have one of them, so that every other contact is smaller by four strings.
class StringFieldValues
{
public:
    [[nodiscard]] const QString& operator[](StringField field) const;
    /// Sets one text; a contact without rare texts stays without them when the text is empty.
    void set(StringField field, const QString& text);
    void clear() { *this = StringFieldValues(); }
    /// Whether every text is empty.
    [[nodiscard]] bool isEmpty() const;

    friend bool operator==(const StringFieldValues& a, const StringFieldValues& b);

private:
    static constexpr int CommonCount = 3;
    static constexpr int RareCount = StringFieldCount - CommonCount;
    struct Rare : QSharedData
    {
        std::array<QString, RareCount> texts;
    };
    std::array<QString, CommonCount> m_common;
    QSharedDataPointer<Rare> m_rare;
};

} // namespace Quillary
