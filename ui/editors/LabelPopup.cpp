#include "LabelPopup.h"

#include "CustomLabelDialog.h"
#include "editors/LabelChoices.h"

#include <QCoreApplication>

namespace Quillary::Ui {

LabelPopup::LabelPopup(const QStringList& choices, const QString& current, const QString& customTitle,
                       std::function<QString(const QString&)> accept, QWidget* parent)
    : QComboBox(parent), m_customTitle(customTitle), m_accept(std::move(accept))
{
    addItems(choices);
    insertSeparator(count());
    addItem(QCoreApplication::translate("Quillary::Core", LabelChoices::CustomItem));
    setChoice(current);
    connect(this, &QComboBox::activated, this, &LabelPopup::activatedAt);
}

LabelPopup::~LabelPopup() = default;

LabelPopup* LabelPopup::forField(const QString& identifier, const QString& current, const ContactTable& contacts,
                                 QWidget* parent)
{
    return forField(identifier, current, LabelChoices::labels(identifier, contacts), parent);
}

LabelPopup* LabelPopup::forField(const QString& identifier, const QString& current, const QStringList& labels,
                                 QWidget* parent)
{
    auto* popup = new LabelPopup(
        labels, current, tr("Custom Label"),
        [identifier](const QString& typed) {
            return LabelChoices::addCustomLabel(identifier, typed).value_or(QString());
        },
        parent);
    popup->setObjectName(QStringLiteral("labelPopup"));
    popup->setAccessibleName(tr("Label"));
    return popup;
}

LabelPopup* LabelPopup::forServices(const QString& current, const ContactTable& contacts, QWidget* parent)
{
    auto* popup = new LabelPopup(
        LabelChoices::instantMessageServices(contacts), current, tr("Custom Service"),
        [](const QString& typed) { return typed.simplified(); }, parent);
    popup->setObjectName(QStringLiteral("servicePopup"));
    popup->setAccessibleName(tr("Service"));
    return popup;
}

void LabelPopup::setChoice(const QString& text)
{
    int index = findText(text, Qt::MatchExactly);
    if (index < 0 || index >= customIndex() - 1) {
        // A label of the value that no menu offers yet: it is one of the choices all the same.
        index = customIndex() - 1;
        insertItem(index, text);
    }
    m_choice = text;
    setCurrentIndex(index);
}

void LabelPopup::activatedAt(int index)
{
    if (index != customIndex()) {
        m_choice = itemText(index);
        Q_EMIT choiceChanged(m_choice);
        return;
    }
    setChoice(m_choice); // until the user has typed one
    CustomLabelDialog::ask(window(), m_customTitle, [this](const QString& typed) {
        const QString accepted = m_accept(typed);
        if (accepted.isEmpty())
            return;
        setChoice(accepted);
        Q_EMIT choiceChanged(m_choice);
    });
}

} // namespace Quillary::Ui
