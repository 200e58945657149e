#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace Quillary {

/// What a context-menu item of the contacts table does when chosen.
enum class MenuAction {
    None,
    // Contact commands and display settings, carried out by the window.
    ShowContactInfo,
    DeleteContact,
    DuplicateContact,
    ExportContactAsVCard,
    ShowQRCode,
    ToggleShowCompany,
    ToggleShowNameInAllRows,
    // Opening the world outside: phone, mail, browser, maps, calendar.
    CallPhone,
    SendEmail,
    OpenURL,
    OpenMap,
    OpenGoogleMap,
    OpenCalendar,
    // The field's editor (`CellEditing::showPopoverWrapper`).
    ShowPopover,
    // Bulk edits of the selected cells (`CellEditing::performMenuItem`).
    ReplaceItem,
    DeleteItem,
    InsertItem,
    PrependItem,
    AppendItem,
};

/// One entry of the table's context menu, decided without a menu: a separator, or a titled item
/// with its action, whether it is active and whether it is checked.
struct MenuItem
{
    QString key; ///< the untranslated title, which also tells commands of one action apart
    QString title; ///< the title shown
    MenuAction action = MenuAction::None;
    bool separator = false;
    bool enabled = true;
    bool checked = false;

    [[nodiscard]] bool isSeparator() const { return separator; }
    friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

/// The untranslated titles of the context-menu items.
namespace MenuTitle {
inline constexpr const char* ShowContactInfo = QT_TRANSLATE_NOOP("Quillary::Core", "Show Contact Info");
inline constexpr const char* DeleteContact = QT_TRANSLATE_NOOP("Quillary::Core", "Delete Contact");
inline constexpr const char* DuplicateContact = QT_TRANSLATE_NOOP("Quillary::Core", "Duplicate Contact");
inline constexpr const char* ExportContactAsVCard = QT_TRANSLATE_NOOP("Quillary::Core", "Export Contact as vCard");
inline constexpr const char* ShowQRCode = QT_TRANSLATE_NOOP("Quillary::Core", "Show QRCode");
inline constexpr const char* ShowCompanyInNameCell = QT_TRANSLATE_NOOP("Quillary::Core", "Show Company in Name Cell");
inline constexpr const char* ShowNameInAllRows = QT_TRANSLATE_NOOP("Quillary::Core", "Show Name in all rows");
inline constexpr const char* CallPhone = QT_TRANSLATE_NOOP("Quillary::Core", "Call Phone");
inline constexpr const char* SendEmail = QT_TRANSLATE_NOOP("Quillary::Core", "Send Email");
inline constexpr const char* OpenURL = QT_TRANSLATE_NOOP("Quillary::Core", "Open URL");
inline constexpr const char* OpenMap = QT_TRANSLATE_NOOP("Quillary::Core", "Open Map");
inline constexpr const char* OpenGoogleMap = QT_TRANSLATE_NOOP("Quillary::Core", "Open Google Map");
inline constexpr const char* OpenCalendar = QT_TRANSLATE_NOOP("Quillary::Core", "Open Calendar");
inline constexpr const char* OpenEditPanel = QT_TRANSLATE_NOOP("Quillary::Core", "Open Edit Panel");
inline constexpr const char* OpenAddressPanel = QT_TRANSLATE_NOOP("Quillary::Core", "Open Address Panel");
inline constexpr const char* OpenIMSPanel = QT_TRANSLATE_NOOP("Quillary::Core", "Open IMS Panel");
inline constexpr const char* OpenDatesPanel = QT_TRANSLATE_NOOP("Quillary::Core", "Open Dates Panel");
inline constexpr const char* OpenBirthdayPanel = QT_TRANSLATE_NOOP("Quillary::Core", "Open Birthday Panel");
inline constexpr const char* AddDeleteAddressItem = QT_TRANSLATE_NOOP("Quillary::Core", "Add/Delete Address Item");
inline constexpr const char* ReplaceLabelAndText = QT_TRANSLATE_NOOP("Quillary::Core", "Replace Label and Text");
inline constexpr const char* ReplaceText = QT_TRANSLATE_NOOP("Quillary::Core", "Replace Text");
inline constexpr const char* DeleteItem = QT_TRANSLATE_NOOP("Quillary::Core", "Delete Item");
inline constexpr const char* ClearText = QT_TRANSLATE_NOOP("Quillary::Core", "Clear Text");
inline constexpr const char* AddItem = QT_TRANSLATE_NOOP("Quillary::Core", "Add Item");
inline constexpr const char* PrependText = QT_TRANSLATE_NOOP("Quillary::Core", "Prepend Text");
inline constexpr const char* AppendText = QT_TRANSLATE_NOOP("Quillary::Core", "Append Text");
} // namespace MenuTitle

/// The context menu of a table cell: which items a column offers, with and without a value in the
/// clicked cell, and which of them edit mode turns on.
namespace ContextMenuModel {

struct CellState
{
    QString identifier; ///< the column
    bool hasValue = false;
    bool editState = false;
    bool showCompanyInNameCell = false;
    bool showNameInAllRows = false;
};

[[nodiscard]] QList<MenuItem> menuForCell(const CellState& cell);

/// The titles of the items, "-" for a separator (for tests and logs).
[[nodiscard]] QStringList keys(const QList<MenuItem>& items);

} // namespace ContextMenuModel

} // namespace Quillary
