#pragma once

#include "EditLockControls.h"
#include "table/CellEditTypes.h"

#include <QDialog>

class QFormLayout;
class QFrame;
class QLabel;
class QLineEdit;
class QLayout;
class QPushButton;
class QToolButton;
class QVBoxLayout;

namespace Quillary::Ui {

/// Moves a window just below a rectangle of the screen (the cell or line it belongs to), keeping it
/// on that screen. An invalid rectangle leaves the window where it is.
void placeBelow(QWidget* window, const QRect& globalRect);

/// A field identifier or label-table word as the user reads it (they double as translation keys).
[[nodiscard]] QString fieldTitle(const QString& identifier);

/// What an opener tells a field editor besides its context.
struct EditorOptions
{
    /// The owner can be edited at all; without it (a read-only document) editors stay locked.
    bool canEdit = true;
    /// The owner's contacts, whose labels and services the menus offer.
    ContactTable contacts;
};

/// The frame every field editor shares: the contact's name, the Edit/Lock button with the red
/// separator of edit mode, and Cancel and Done. It opens beside what it edits without blocking
/// the application, closes with Escape (Cancel) or Return (Done), and reports its context with
/// "dirty" and "value" through `editorClosed`; the opener applies the value. Locked, it shows its
/// value only, and Done reports nothing changed.
class EditorDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EditorDialog)

public:
    EditorDialog(const EditorContext& context, const EditorOptions& options, const QString& objectName,
                 QWidget* parent);
    ~EditorDialog() override;

    [[nodiscard]] const EditorContext& context() const { return m_context; }
    [[nodiscard]] const EditorOptions& options() const { return m_options; }
    [[nodiscard]] bool editEnabled() const { return m_editEnabled; }
    void setEditEnabled(bool on);
    [[nodiscard]] QPushButton* doneButton() const { return m_done; }

    /// Shows the editor below a rectangle of the screen (the cell or line it edits), on screen.
    void openBeside(const QRect& globalRect);

    void done(int result) override;

Q_SIGNALS:
    /// The editor closed; with "dirty" set, "value" holds what it edited.
    void editorClosed(const Quillary::EditorContext& context);

protected:
    /// Puts the editor's own fields between the header and the buttons; call once.
    void setBody(QLayout* body);
    /// The value to hand back.
    [[nodiscard]] virtual EditorValue editedValue() const = 0;
    /// Lets the fields other than the text fields of `addTextField` be edited or not.
    virtual void editStateChanged(bool on);
    /// The title of the Done button: "Add" while editing a new value, else "Done".
    [[nodiscard]] virtual QString doneTitle(bool editEnabled) const;
    /// The editor edits a value the contact does not have yet.
    void setAddsValue(bool adds) { m_addsValue = adds; }
    /// A value that cannot be stored (an unreadable date) keeps Done off.
    void setValueValid(bool valid);
    /// Titles and enables the buttons after a change.
    void refreshButtons();
    /// A text field in a row of `form`, titled and named for assistive technology; it is read-only
    /// while the editor is locked.
    QLineEdit* addTextField(QFormLayout* form, const QString& objectName, const QString& title, const QString& text);

private:
    EditorContext m_context;
    EditorOptions m_options;
    bool m_editEnabled = false;
    bool m_valid = true;
    bool m_reported = false;
    bool m_addsValue = false;
    QVBoxLayout* m_layout;
    EditLockControls m_lock;
    QPushButton* m_cancel;
    QPushButton* m_done;
    QList<QLineEdit*> m_textFields;
};

} // namespace Quillary::Ui
