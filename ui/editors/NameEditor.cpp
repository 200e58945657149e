#include "NameEditor.h"

#include "editors/EditorValues.h"
#include "model/LabelTable.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

namespace Quillary::Ui {

NameEditor::NameEditor(const EditorContext& context, const EditorOptions& options, QWidget* parent)
    : EditorDialog(context, options, QStringLiteral("nameEditor"), parent),
      m_start(EditorValues::fullNameOf(*context.contact->person)), m_showAs(new QComboBox(this)),
      m_ordering(new QComboBox(this))
{
    auto* form = new QFormLayout;
    const NameValue& name = m_start.name;
    m_fields = {addTextField(form, QStringLiteral("firstNameField"), tr("First Name"), name.firstName),
                addTextField(form, QStringLiteral("middleNameField"), tr("Middle Name"), name.middleName),
                addTextField(form, QStringLiteral("lastNameField"), tr("Last Name"), name.lastName),
                addTextField(form, QStringLiteral("previousFamilyNameField"), tr("Previous Family Name"),
                             name.previousFamilyName),
                addTextField(form, QStringLiteral("titleField"), tr("Title"), m_start.title),
                addTextField(form, QStringLiteral("suffixField"), tr("Suffix"), m_start.suffix)};
    m_showAs->setObjectName(QStringLiteral("showAsPopup"));
    m_showAs->setAccessibleName(tr("Show as"));
    for (const QString& choice :
         LabelTable::labelsForIdentifier(QStringLiteral("Show as Person")).value_or(QStringList()))
        m_showAs->addItem(fieldTitle(choice));
    m_showAs->setCurrentIndex(name.showAsPerson ? 0 : 1);
    form->addRow(tr("Show as"), m_showAs);
    m_ordering->setObjectName(QStringLiteral("nameOrderingPopup"));
    m_ordering->setAccessibleName(tr("Name Ordering"));
    for (const QString& choice :
         LabelTable::labelsForIdentifier(QStringLiteral("Name Ordering")).value_or(QStringList()))
        m_ordering->addItem(choice);
    m_ordering->setCurrentIndex(qBound(0, name.nameOrdering, m_ordering->count() - 1));
    form->addRow(tr("Name Ordering"), m_ordering);
    setBody(form);
}

NameEditor::~NameEditor() = default;

EditorValue NameEditor::editedValue() const
{
    FullNameValue value = m_start;
    value.name.firstName = m_fields.at(0)->text();
    value.name.middleName = m_fields.at(1)->text();
    value.name.lastName = m_fields.at(2)->text();
    value.name.previousFamilyName = m_fields.at(3)->text();
    value.title = m_fields.at(4)->text();
    value.suffix = m_fields.at(5)->text();
    value.name.showAsPerson = m_showAs->currentIndex() == 0;
    value.name.nameOrdering = m_ordering->currentIndex();
    return value;
}

void NameEditor::editStateChanged(bool on)
{
    m_showAs->setEnabled(on);
    m_ordering->setEnabled(on);
}

} // namespace Quillary::Ui
