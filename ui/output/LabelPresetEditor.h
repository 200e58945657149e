#pragma once

#include "output/PrintOptions.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace Quillary::Ui {

/// The "Add/Delete..." editor of the mailing-label presets: adds the current label size under a
/// name, or deletes the chosen preset. The result is the new list and the preset chosen in it.
class LabelPresetEditor final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LabelPresetEditor)

public:
    /// `current` is the size in the fields, added by "Add".
    LabelPresetEditor(QList<LabelPreset> presets, const LabelPreset& current, QWidget* parent = nullptr);

    [[nodiscard]] const QList<LabelPreset>& presets() const { return m_presets; }
    /// The name of the preset chosen in the list; "" when none is.
    [[nodiscard]] QString chosenName() const;

    void addPreset(const QString& name);
    void deleteChosen();

private:
    void rebuild(const QString& chosen);

    QList<LabelPreset> m_presets;
    LabelPreset m_current;
    QListWidget* m_list;
    QLineEdit* m_name;
};

} // namespace Quillary::Ui
