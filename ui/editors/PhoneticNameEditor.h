#pragma once

#include "EditorDialog.h"

namespace Quillary::Ui {

/// The reading of a contact's name: phonetic first, middle and last name.
class PhoneticNameEditor final : public EditorDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PhoneticNameEditor)

public:
    PhoneticNameEditor(const EditorContext& context, const EditorOptions& options, QWidget* parent);
    ~PhoneticNameEditor() override;

protected:
    [[nodiscard]] EditorValue editedValue() const override;

private:
    QList<QLineEdit*> m_fields; ///< first, middle, last
};

} // namespace Quillary::Ui
