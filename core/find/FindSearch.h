#pragma once

#include "FindTypes.h"

#include <QStringList>

namespace Quillary {

class TextMatcher;

/// What the find panel searches: field identifiers, sub-fields and labels. Sub-fields and labels
/// are a selection of entries or the single entry "All".
struct FindSelection
{
    QStringList items;
    QStringList subItems{QStringLiteral("All")};
    QStringList labels{QStringLiteral("All")};
};

namespace FindSearch {

/// The records of one contact: every searched field in which the matcher finds the text, in the
/// order of `selection.items`.
[[nodiscard]] FindRecords searchContact(const ContactEntryPtr& contact, const FindSelection& selection,
                                        TextMatcher& matcher);

/// The records of every contact that is not deleted, in table order. Stops when the matcher gives
/// up on its pattern (the records found until then are returned).
[[nodiscard]] FindRecords search(const ContactTable& contacts, const FindSelection& selection, TextMatcher& matcher);

} // namespace FindSearch

} // namespace Quillary
