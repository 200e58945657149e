#pragma once

#include "EditorDialog.h"

class QPlainTextEdit;

namespace Quillary::Ui {

class LabelPopup;

/// One text value: a phone number, e-mail address, URL, related name or social profile with its
/// label, or the text of a field without labels (company, job title, note, ...).
class ValueEditor final : public EditorDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ValueEditor)

public:
    ValueEditor(const EditorContext& context, const EditorOptions& options, QWidget* parent);
    ~ValueEditor() override;

protected:
    [[nodiscard]] EditorValue editedValue() const override;
    void editStateChanged(bool on) override;

private:
    [[nodiscard]] QString text() const;

    bool m_labeled;
    LabeledValue m_value;
    LabelPopup* m_label = nullptr;
    QLineEdit* m_line = nullptr;
    QPlainTextEdit* m_note = nullptr;
};

} // namespace Quillary::Ui
