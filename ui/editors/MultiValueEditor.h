#pragma once

#include "EditorDialog.h"
#include "editors/MultiValueListModel.h"

class QTableWidget;
class QToolButton;

namespace Quillary::Ui {

/// All values of one labelled field of one contact: values are added, removed, moved up and down,
/// relabelled and retyped here (addresses, instant messages and dates in their own editors), and
/// the whole list goes back at once, so that every change of one visit is one undo step.
class MultiValueEditor final : public EditorDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MultiValueEditor)

public:
    MultiValueEditor(const EditorContext& context, const EditorOptions& options, QWidget* parent);
    ~MultiValueEditor() override;

    [[nodiscard]] QTableWidget* list() const { return m_table; }
    /// Adds a value: a row to type in, or the value's own editor for a new value.
    void addValue();
    void removeValue();
    void moveValue(int offset);
    /// Opens the editor of the current value (addresses, instant messages, dates).
    void editValue();

    void done(int result) override;

protected:
    [[nodiscard]] EditorValue editedValue() const override;
    void editStateChanged(bool on) override;

private:
    void rebuild(int currentRow);
    [[nodiscard]] int currentRow() const;
    void openValueEditor(const LabeledValue& value, std::function<void(const LabeledValue&)> edited);
    QToolButton* addButton(const QString& objectName, const QString& text, const QString& accessibleName);

    MultiValueListModel m_model;
    QStringList m_labels; ///< worked out once: a reload of the list must not walk every contact again
    QTableWidget* m_table;
    QList<QToolButton*> m_buttons;
    bool m_rebuilding = false;
};

} // namespace Quillary::Ui
