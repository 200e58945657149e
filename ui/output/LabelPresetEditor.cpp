#include "LabelPresetEditor.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace Quillary::Ui {

LabelPresetEditor::LabelPresetEditor(QList<LabelPreset> presets, const LabelPreset& current, QWidget* parent)
    : QDialog(parent), m_presets(std::move(presets)), m_current(current), m_list(new QListWidget(this)),
      m_name(new QLineEdit(this))
{
    setObjectName(QStringLiteral("labelPresetEditor"));
    setWindowTitle(tr("Label Presets"));
    setWindowModality(Qt::WindowModal);
    m_list->setObjectName(QStringLiteral("presetList"));
    m_list->setAccessibleName(tr("Presets"));
    m_name->setObjectName(QStringLiteral("presetName"));
    m_name->setAccessibleName(tr("Name of the new preset"));
    m_name->setPlaceholderText(tr("Name of the current size"));
    auto* add = new QPushButton(tr("Add"), this);
    auto* remove = new QPushButton(tr("Delete"), this);
    add->setAccessibleName(tr("Add the current size as a preset"));
    remove->setAccessibleName(tr("Delete the chosen preset"));
    connect(add, &QPushButton::clicked, this, [this] { addPreset(m_name->text()); });
    connect(remove, &QPushButton::clicked, this, &LabelPresetEditor::deleteChosen);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(m_name, 1);
    row->addWidget(add);
    row->addWidget(remove);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(row);
    layout->addWidget(buttons);
    rebuild({});
}

QString LabelPresetEditor::chosenName() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->text() : QString();
}

void LabelPresetEditor::addPreset(const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return;
    LabelPreset preset = m_current;
    preset.name = trimmed;
    // A name already in the list takes the new size.
    const auto it = std::find_if(m_presets.begin(), m_presets.end(),
                                 [&](const LabelPreset& known) { return known.name == trimmed; });
    if (it != m_presets.end())
        *it = preset;
    else
        m_presets.append(preset);
    m_name->clear();
    rebuild(trimmed);
}

void LabelPresetEditor::deleteChosen()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_presets.size())
        return;
    m_presets.removeAt(row);
    rebuild(m_presets.value(std::min<qsizetype>(row, m_presets.size() - 1)).name);
}

void LabelPresetEditor::rebuild(const QString& chosen)
{
    m_list->clear();
    for (const LabelPreset& preset : std::as_const(m_presets)) {
        m_list->addItem(preset.name);
        if (preset.name == chosen)
            m_list->setCurrentRow(m_list->count() - 1);
    }
}

} // namespace Quillary::Ui
