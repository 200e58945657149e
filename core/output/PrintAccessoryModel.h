#pragma once

#include "LengthUnit.h"
#include "PrintLabelMenu.h"
#include "PrintOptions.h"
#include "PrintOptionsStore.h"

#include <QStringList>

namespace Quillary {

/// The controls every style's tab shares: the font and the four margins, in the unit shown.
struct PrintTabFields
{
    QString fontName;
    int fontSize = 0;
    PrintMargins margins;

    friend bool operator==(const PrintTabFields&, const PrintTabFields&) = default;
};

/// A mailing label's size and gaps, in the unit shown.
struct LabelSizeFields
{
    double labelWidth = 0;
    double labelHeight = 0;
    double hGap = 0;
    double vGap = 0;

    friend bool operator==(const LabelSizeFields&, const LabelSizeFields&) = default;
};

/// What the print panel's accessory shows and edits, without its widgets: the print options loaded
/// from the user defaults, the lengths in the chosen unit, the address list's item table and label
/// menu, the mailing-label presets and the summary lines. Every change is written back to the user
/// defaults at once, so the next print job starts where this one left off.
class PrintAccessoryModel
{
public:
    /// Loads the stored options (or the defaults); nothing is written until the first change.
    explicit PrintAccessoryModel(PrintOptionsStore store = PrintOptionsStore());

    /// The options the print view is given.
    [[nodiscard]] const PrintOptions& printOptions() const { return m_options; }
    /// Direct access for the switches of the tabs; call `commit` after changing.
    [[nodiscard]] PrintOptions& options() { return m_options; }
    /// Stores the options.
    void commit();

    [[nodiscard]] PrintStyle printStyle() const;
    void setPrintStyle(PrintStyle style);

    // Lengths -----------------------------------------------------------------------------------
    [[nodiscard]] LengthUnit unit() const { return m_unit; }
    /// Shows lengths in another unit from now on (the fields are re-read through `tabFields`).
    void setUnit(LengthUnit unit);
    [[nodiscard]] double stepSize() const { return LengthUnits::stepSize(m_unit); }
    /// A stored length as the fields show it, and back.
    [[nodiscard]] double shownLength(double points) const;
    [[nodiscard]] double storedLength(double shown) const;

    /// Font and margins of a style's tab, margins in the unit shown.
    [[nodiscard]] PrintTabFields tabFields(PrintStyle style) const;
    /// Takes a tab's font and margins into the options.
    void setTabFields(PrintStyle style, const PrintTabFields& fields);

    // Address list ------------------------------------------------------------------------------
    /// Marks the items of the table's visible columns as printed ("Name" always is) and stores the list.
    void setColumns(const QStringList& visibleColumns);
    [[nodiscard]] const QStringList& columns() const { return m_columns; }
    [[nodiscard]] const PrintItemList& itemTable() const { return m_options.addressList.itemTable; }
    /// Switches an item that the user may switch; false otherwise.
    bool setItemState(qsizetype row, bool printed);
    /// Whether a row dragged from `from` may be dropped above row `dropRow` (`dropRow` may be the row
    /// count: below the last row). The first row ("Name") neither moves nor lets anything above it.
    [[nodiscard]] static bool canMoveItem(const PrintItemList& items, qsizetype from, qsizetype dropRow);
    /// Moves a row to the place above `dropRow`; false when `canMoveItem` says no.
    bool moveItem(qsizetype from, qsizetype dropRow);
    /// The same on a plain list.
    static bool moveItem(PrintItemList& items, qsizetype from, qsizetype dropRow);

    [[nodiscard]] const PrintLabelMenu& labelMenu() const { return m_labelMenu; }
    /// Chooses an entry of the label menu and stores the resulting selection.
    bool chooseLabel(const QString& title);

    // Mailing labels ----------------------------------------------------------------------------
    /// The preset menu: the presets' names, then "Add/Delete...".
    [[nodiscard]] QStringList presetMenuTitles() const;
    /// Whether a menu position is the last entry, which opens the preset editor.
    [[nodiscard]] bool isPresetEditorEntry(qsizetype index) const;
    /// Applies a preset's size to the options and answers it in the unit shown; none for a
    /// position without a preset.
    std::optional<LabelSizeFields> choosePreset(qsizetype index);
    /// The label size fields, in the unit shown.
    [[nodiscard]] LabelSizeFields labelSizeFields() const;
    void setLabelSizeFields(const LabelSizeFields& fields);
    /// Takes the preset editor's new list and applies the chosen preset; answers its position.
    std::optional<qsizetype> setPresets(const QList<LabelPreset>& presets, const QString& chosenName);

private:
    [[nodiscard]] PrintMargins shownMargins(const PrintMargins& points) const;
    [[nodiscard]] PrintMargins storedMargins(const PrintMargins& shown) const;

    PrintOptionsStore m_store;
    PrintOptions m_options;
    LengthUnit m_unit = LengthUnit::Points;
    QStringList m_columns;
    PrintLabelMenu m_labelMenu;
};

} // namespace Quillary
