#include "ValueEditor.h"

#include "LabelPopup.h"
#include "editors/EditorValues.h"
#include "table/CellValues.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace Quillary::Ui {

ValueEditor::ValueEditor(const EditorContext& context, const EditorOptions& options, QWidget* parent)
    : EditorDialog(context, options, QStringLiteral("valueEditor"), parent),
      m_labeled(FieldIdentifiers::labeledField(context.type).has_value())
{
    auto* form = new QFormLayout;
    const QString title = fieldTitle(context.type);
    if (m_labeled) {
        m_value = EditorValues::valueToEdit(context);
        m_label = LabelPopup::forField(context.type, m_value.label, options.contacts, this);
        form->addRow(tr("Label"), m_label);
        m_line = addTextField(form, QStringLiteral("valueField"), title, CellValues::textOf(m_value, context.type));
        // A value of a labelled field is its text: an empty one cannot be stored.
        connect(m_line, &QLineEdit::textChanged, this, [this](const QString& text) { setValueValid(!text.isEmpty()); });
        setValueValid(!m_line->text().isEmpty());
    } else if (context.type == Field::Note) {
        m_note = new QPlainTextEdit(context.contact->person->stringValueForIdentifier(context.type), this);
        m_note->setObjectName(QStringLiteral("valueField"));
        m_note->setAccessibleName(title);
        m_note->setTabChangesFocus(true);
        form->addRow(title, m_note);
    } else {
        m_line = addTextField(form, QStringLiteral("valueField"), title,
                              context.contact->person->stringValueForIdentifier(context.type));
    }
    setAddsValue(m_value.labelIndex < 0 && m_labeled);
    setBody(form);
}

ValueEditor::~ValueEditor() = default;

QString ValueEditor::text() const
{
    return m_note ? m_note->toPlainText() : m_line->text();
}

EditorValue ValueEditor::editedValue() const
{
    if (!m_labeled)
        return text();
    LabeledValue value = CellValues::withText(m_value, context().type, text(), QString());
    value.label = m_label->choice();
    return value;
}

void ValueEditor::editStateChanged(bool on)
{
    if (m_label)
        m_label->setEnabled(on);
    if (m_note)
        m_note->setReadOnly(!on);
}

} // namespace Quillary::Ui
