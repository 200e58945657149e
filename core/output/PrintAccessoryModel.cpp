#include "PrintAccessoryModel.h"

#include "model/FieldIdentifiers.h"
#include "model/LabelTable.h"
#include "support/CoreTr.h"

namespace Quillary {

PrintAccessoryModel::PrintAccessoryModel(PrintOptionsStore store)
    : m_store(std::move(store)), m_options(m_store.load()),
      m_unit(LengthUnits::fromName(m_options.unitType).value_or(LengthUnit::Points)),
      m_labelMenu(m_options.addressList.selectedLabels)
{ }

void PrintAccessoryModel::commit()
{
    if (m_options.addressList.selectedLabels.isEmpty())
        m_options.addressList.selectedLabels = {LabelText::All};
    m_store.save(m_options);
}

PrintStyle PrintAccessoryModel::printStyle() const
{
    return m_options.style().value_or(PrintStyle::AddressList);
}

void PrintAccessoryModel::setPrintStyle(PrintStyle style)
{
    m_options.printStyle = PrintStyles::name(style);
    commit();
}

// Lengths ---------------------------------------------------------------------------------------

void PrintAccessoryModel::setUnit(LengthUnit unit)
{
    m_unit = unit;
    // Remembered, so that the next job shows its lengths in the same unit.
    m_options.unitType = LengthUnits::name(unit);
    commit();
}

double PrintAccessoryModel::shownLength(double points) const
{
    return LengthUnits::changeValue(float(points), LengthUnit::Points, m_unit);
}

double PrintAccessoryModel::storedLength(double shown) const
{
    return LengthUnits::changeValue(float(shown), m_unit, LengthUnit::Points);
}

PrintMargins PrintAccessoryModel::shownMargins(const PrintMargins& points) const
{
    return {shownLength(points.top), shownLength(points.left), shownLength(points.right), shownLength(points.bottom)};
}

PrintMargins PrintAccessoryModel::storedMargins(const PrintMargins& shown) const
{
    return {storedLength(shown.top), storedLength(shown.left), storedLength(shown.right), storedLength(shown.bottom)};
}

PrintTabFields PrintAccessoryModel::tabFields(PrintStyle style) const
{
    switch (style) {
    case PrintStyle::AddressList:
        return {m_options.addressList.fontName, m_options.addressList.fontSize,
                shownMargins(m_options.addressList.margins)};
    case PrintStyle::MailingLabels:
        return {m_options.mailingLabels.fontName, m_options.mailingLabels.fontSize,
                shownMargins(m_options.mailingLabels.margins)};
    case PrintStyle::Envelope:
        return {m_options.envelope.fontName, m_options.envelope.fontSize, shownMargins(m_options.envelope.margins)};
    case PrintStyle::Hagaki:
        return {m_options.hagaki.fontName, m_options.hagaki.fontSize,
                shownMargins({m_options.hagaki.topMargin, m_options.hagaki.leftMargin, 0, 0})};
    }
    return {};
}

void PrintAccessoryModel::setTabFields(PrintStyle style, const PrintTabFields& fields)
{
    const PrintMargins margins = storedMargins(fields.margins);
    switch (style) {
    case PrintStyle::AddressList:
        m_options.addressList.fontName = fields.fontName;
        m_options.addressList.fontSize = fields.fontSize;
        m_options.addressList.margins = margins;
        break;
    case PrintStyle::MailingLabels:
        m_options.mailingLabels.fontName = fields.fontName;
        m_options.mailingLabels.fontSize = fields.fontSize;
        m_options.mailingLabels.margins = margins;
        break;
    case PrintStyle::Envelope:
        m_options.envelope.fontName = fields.fontName;
        m_options.envelope.fontSize = fields.fontSize;
        m_options.envelope.margins = margins;
        break;
    case PrintStyle::Hagaki:
        m_options.hagaki.fontName = fields.fontName;
        m_options.hagaki.fontSize = fields.fontSize;
        m_options.hagaki.topMargin = margins.top;
        m_options.hagaki.leftMargin = margins.left;
        break;
    }
    commit();
}

// Address list ----------------------------------------------------------------------------------

void PrintAccessoryModel::setColumns(const QStringList& visibleColumns)
{
    m_columns = visibleColumns;
    for (PrintItem& item : m_options.addressList.itemTable) {
        if (item.title == Field::Name || visibleColumns.contains(item.title))
            item.state = true;
    }
    commit();
}

bool PrintAccessoryModel::setItemState(qsizetype row, bool printed)
{
    PrintItemList& items = m_options.addressList.itemTable;
    if (row < 0 || row >= items.size() || !items.at(row).enabled || items.at(row).state == printed)
        return false;
    items[row].state = printed;
    commit();
    return true;
}

bool PrintAccessoryModel::canMoveItem(const PrintItemList& items, qsizetype from, qsizetype dropRow)
{
    return from >= 1 && from < items.size() && dropRow >= 1 && dropRow <= items.size();
}

bool PrintAccessoryModel::moveItem(PrintItemList& items, qsizetype from, qsizetype dropRow)
{
    if (!canMoveItem(items, from, dropRow))
        return false;
    // The drop row counts the list before the dragged row is taken out of it.
    const qsizetype to = dropRow > from ? dropRow - 1 : dropRow;
    items.move(from, to);
    return true;
}

bool PrintAccessoryModel::moveItem(qsizetype from, qsizetype dropRow)
{
    if (!moveItem(m_options.addressList.itemTable, from, dropRow))
        return false;
    commit();
    return true;
}

bool PrintAccessoryModel::chooseLabel(const QString& title)
{
    if (!m_labelMenu.choose(title))
        return false;
    m_options.addressList.selectedLabels = m_labelMenu.selectedLabels();
    commit();
    return true;
}

// Mailing labels --------------------------------------------------------------------------------

QStringList PrintAccessoryModel::presetMenuTitles() const
{
    QStringList titles;
    for (const LabelPreset& preset : m_options.mailingLabels.presetArray)
        titles.append(preset.name);
    titles.append(Tr::tr("Add/Delete..."));
    return titles;
}

bool PrintAccessoryModel::isPresetEditorEntry(qsizetype index) const
{
    return index == m_options.mailingLabels.presetArray.size();
}

std::optional<LabelSizeFields> PrintAccessoryModel::choosePreset(qsizetype index)
{
    MailingLabelsOptions& labels = m_options.mailingLabels;
    if (index < 0 || index >= labels.presetArray.size())
        return std::nullopt;
    const LabelPreset& preset = labels.presetArray.at(index);
    labels.labelWidth = preset.labelWidth;
    labels.labelHeight = preset.labelHeight;
    labels.hGap = preset.hGap;
    labels.vGap = preset.vGap;
    commit();
    return labelSizeFields();
}

LabelSizeFields PrintAccessoryModel::labelSizeFields() const
{
    const MailingLabelsOptions& labels = m_options.mailingLabels;
    return {shownLength(labels.labelWidth), shownLength(labels.labelHeight), shownLength(labels.hGap),
            shownLength(labels.vGap)};
}

void PrintAccessoryModel::setLabelSizeFields(const LabelSizeFields& fields)
{
    MailingLabelsOptions& labels = m_options.mailingLabels;
    labels.labelWidth = storedLength(fields.labelWidth);
    labels.labelHeight = storedLength(fields.labelHeight);
    labels.hGap = storedLength(fields.hGap);
    labels.vGap = storedLength(fields.vGap);
    commit();
}

std::optional<qsizetype> PrintAccessoryModel::setPresets(const QList<LabelPreset>& presets, const QString& chosenName)
{
    m_options.mailingLabels.presetArray = presets;
    for (qsizetype index = 0; index < presets.size(); ++index) {
        if (presets.at(index).name == chosenName) {
            choosePreset(index);
            return index;
        }
    }
    commit();
    return std::nullopt;
}

} // namespace Quillary
