#include "ContactInfoWindow.h"

#include "ContactCard.h"
#include "EditorDialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Quillary::Ui {

ContactInfoWindow::ContactInfoWindow(UndoRegistry& registry, std::function<bool()> canEdit, QWidget* parent)
    : QDialog(parent, Qt::Tool), m_card(new ContactCard(registry, canEdit, this)),
      m_lock(EditLockControls::create(this)), m_detachButton(new QToolButton(this)), m_canEdit(std::move(canEdit))
{
    setObjectName(QStringLiteral("contactInfoWindow"));
    setWindowTitle(tr("Contact Info"));
    connect(m_lock.button, &QToolButton::clicked, this, &ContactInfoWindow::setEditEnabled);
    m_detachButton->setObjectName(QStringLiteral("detachButton"));
    m_detachButton->setText(tr("&Detach"));
    m_detachButton->setAccessibleName(tr("Detach into a panel that follows the selection"));
    m_detachButton->setToolTip(m_detachButton->accessibleName());
    m_detachButton->setCheckable(true);
    connect(m_detachButton, &QToolButton::toggled, this, &ContactInfoWindow::setDetached);
    auto* header = new QHBoxLayout;
    header->addStretch(1);
    header->addWidget(m_detachButton);
    header->addWidget(m_lock.button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(m_lock.separator);
    layout->addWidget(m_card, 1);
}

ContactInfoWindow::~ContactInfoWindow() = default;

void ContactInfoWindow::showContact(const ContactEntryPtr& contact, bool editEnabled, const QRect& anchor)
{
    m_card->setContact(contact);
    setEditEnabled(editEnabled);
    if (!isDetached())
        placeBelow(this, anchor);
    show();
    raise();
    activateWindow();
    m_card->fieldList()->setFocus();
}

bool ContactInfoWindow::isDetached() const
{
    return m_detachButton->isChecked();
}

void ContactInfoWindow::setDetached(bool detached)
{
    m_detachButton->setChecked(detached);
    setWindowTitle(detached                ? tr("Contact Info")
                       : m_card->contact() ? m_card->contact()->person->compositeName()
                                           : tr("Contact Info"));
}

void ContactInfoWindow::selectedContactChanged(const ContactEntryPtr& contact)
{
    if (!isVisible() || !contact || contact == m_card->contact())
        return;
    if (isDetached())
        m_card->setContact(contact);
    else
        close();
}

void ContactInfoWindow::setEditEnabled(bool on)
{
    const bool editing = on && m_canEdit();
    m_lock.button->setEnabled(m_canEdit());
    m_lock.show(editing);
    m_card->setEditEnabled(editing);
}

} // namespace Quillary::Ui
