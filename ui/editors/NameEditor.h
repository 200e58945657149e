#pragma once

#include "EditorDialog.h"

class QComboBox;

namespace Quillary::Ui {

/// The name of a contact: first, middle and last name, previous family name, title and suffix,
/// whether it is shown as a person or a company, and the order of its names.
class NameEditor final : public EditorDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NameEditor)

public:
    NameEditor(const EditorContext& context, const EditorOptions& options, QWidget* parent);
    ~NameEditor() override;

protected:
    [[nodiscard]] EditorValue editedValue() const override;
    void editStateChanged(bool on) override;

private:
    FullNameValue m_start;
    QList<QLineEdit*> m_fields; ///< first, middle, last, previous family name, title, suffix
    QComboBox* m_showAs;
    QComboBox* m_ordering;
};

} // namespace Quillary::Ui
