#include "InstantMessageEditor.h"

#include "LabelPopup.h"
#include "editors/EditorValues.h"
#include "editors/LabelChoices.h"

#include <QFormLayout>
#include <QLineEdit>

namespace Quillary::Ui {

InstantMessageEditor::InstantMessageEditor(const EditorContext& context, const EditorOptions& options, QWidget* parent)
    : EditorDialog(context, options, QStringLiteral("instantMessageEditor"), parent),
      m_value(EditorValues::valueToEdit(context))
{
    auto* form = new QFormLayout;
    m_label = LabelPopup::forField(Field::InstantMessage, m_value.label, options.contacts, this);
    form->addRow(tr("Label"), m_label);
    // A service read as missing shows as "none"; the menu offers the services that exist.
    QString service = m_value.service() == QLatin1StringView("none") ? QString() : m_value.service();
    if (service.isEmpty())
        service = LabelChoices::instantMessageServices({}).first();
    m_service = LabelPopup::forServices(service, options.contacts, this);
    form->addRow(tr("Service"), m_service);
    m_username = addTextField(form, QStringLiteral("usernameField"), tr("User Name"), m_value.username());
    connect(m_username, &QLineEdit::textChanged, this, [this](const QString& text) { setValueValid(!text.isEmpty()); });
    setValueValid(!m_username->text().isEmpty());
    setAddsValue(m_value.labelIndex < 0);
    setBody(form);
}

InstantMessageEditor::~InstantMessageEditor() = default;

EditorValue InstantMessageEditor::editedValue() const
{
    LabeledValue value = m_value;
    value.label = m_label->choice();
    value.setService(m_service->choice());
    value.setUsername(m_username->text());
    value.value = value.username();
    updateIMSValue(value);
    return value;
}

void InstantMessageEditor::editStateChanged(bool on)
{
    m_label->setEnabled(on);
    m_service->setEnabled(on);
}

} // namespace Quillary::Ui
