// Keys that the code holds in their stored English form (field identifiers, address parts, view
// types, sort keys) and that are translated only where they are shown, through the "Quillary::Core"
// context. Listing them here lets lupdate find them; nothing calls this table.

#include <QtGlobal>

namespace Quillary {

namespace {

[[maybe_unused]] constexpr const char* DisplayKeys[] = {
    // field identifiers
    QT_TRANSLATE_NOOP("Quillary::Core", "Name"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Company"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Department"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Job Title"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Nickname"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Title"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Suffix"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Note"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Phone"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Email"),
    QT_TRANSLATE_NOOP("Quillary::Core", "URL"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Address"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Relationship"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Social Network"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Instant Message"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Dates"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Birthday"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Phonetic Name"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Photo"),
    // address parts
    QT_TRANSLATE_NOOP("Quillary::Core", "ZIP"),
    QT_TRANSLATE_NOOP("Quillary::Core", "State"),
    QT_TRANSLATE_NOOP("Quillary::Core", "City"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Street"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Country"),
    // view types
    QT_TRANSLATE_NOOP("Quillary::Core", "Default"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Address Detail"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Personal Information"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Business Information"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Other"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Labeled Values"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Non-labeled Values"),
    // sort keys
    QT_TRANSLATE_NOOP("Quillary::Core", "compositeName"),
    QT_TRANSLATE_NOOP("Quillary::Core", "FirstName"),
    QT_TRANSLATE_NOOP("Quillary::Core", "LastName"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Phone label"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Email label"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Email domain"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Email username"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Address label"),
    QT_TRANSLATE_NOOP("Quillary::Core", "URL label"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Instant Message label"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Instant Message service name"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Instant Message username"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Social Network label"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Social Network service name"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Social Network username"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Relationship label"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Dates label"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Phonetic FirstName"),
    QT_TRANSLATE_NOOP("Quillary::Core", "Phonetic LastName"),
};

} // namespace

} // namespace Quillary
