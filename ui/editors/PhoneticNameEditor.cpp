#include "PhoneticNameEditor.h"

#include <QFormLayout>
#include <QLineEdit>

namespace Quillary::Ui {

PhoneticNameEditor::PhoneticNameEditor(const EditorContext& context, const EditorOptions& options, QWidget* parent)
    : EditorDialog(context, options, QStringLiteral("phoneticNameEditor"), parent)
{
    const PhoneticNameValue phonetic = context.contact->person->phoneticNameValue();
    auto* form = new QFormLayout;
    m_fields = {
        addTextField(form, QStringLiteral("phoneticFirstNameField"), tr("Phonetic First Name"), phonetic.firstName),
        addTextField(form, QStringLiteral("phoneticMiddleNameField"), tr("Phonetic Middle Name"), phonetic.middleName),
        addTextField(form, QStringLiteral("phoneticLastNameField"), tr("Phonetic Last Name"), phonetic.lastName)};
    setBody(form);
}

PhoneticNameEditor::~PhoneticNameEditor() = default;

EditorValue PhoneticNameEditor::editedValue() const
{
    PhoneticNameValue value;
    value.firstName = m_fields.at(0)->text();
    value.middleName = m_fields.at(1)->text();
    value.lastName = m_fields.at(2)->text();
    return value;
}

} // namespace Quillary::Ui
