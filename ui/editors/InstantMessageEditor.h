#pragma once

#include "EditorDialog.h"

namespace Quillary::Ui {

class LabelPopup;

/// One instant-message account: its label, its service (a well-known one or one of the user's
/// own) and the user name.
class InstantMessageEditor final : public EditorDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InstantMessageEditor)

public:
    InstantMessageEditor(const EditorContext& context, const EditorOptions& options, QWidget* parent);
    ~InstantMessageEditor() override;

protected:
    [[nodiscard]] EditorValue editedValue() const override;
    void editStateChanged(bool on) override;

private:
    LabeledValue m_value;
    LabelPopup* m_label;
    LabelPopup* m_service;
    QLineEdit* m_username;
};

} // namespace Quillary::Ui
