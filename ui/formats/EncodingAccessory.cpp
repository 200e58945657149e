#include "EncodingAccessory.h"

#include "EncodingListPanel.h"
#include "formats/EncodingAccessoryModel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace Quillary::Ui {

EncodingAccessory::EncodingAccessory(EncodingAccessoryModel* model, QWidget* parent)
    : QWidget(parent), m_model(model), m_encodingTypePopup(new QComboBox(this))
{
    setObjectName(QStringLiteral("encodingAccessory"));
    m_encodingTypePopup->setObjectName(QStringLiteral("encodingTypePopup"));
    auto* label = new QLabel(tr("Encoding:"), this);
    label->setBuddy(m_encodingTypePopup);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 4);
    layout->addStretch();
    layout->addWidget(label);
    layout->addWidget(m_encodingTypePopup);
    layout->addStretch();

    m_model->setEncodingOnly();
    rebuildItems();
    connect(m_model, &EncodingAccessoryModel::itemsChanged, this, &EncodingAccessory::rebuildItems);
    connect(m_model, &EncodingAccessoryModel::currentIndexChanged, this, &EncodingAccessory::showCurrentIndex);
    connect(m_encodingTypePopup, &QComboBox::activated, this, &EncodingAccessory::itemChosen);
}

EncodingAccessory::~EncodingAccessory() = default;

void EncodingAccessory::rebuildItems()
{
    m_rebuilding = true;
    m_encodingTypePopup->clear();
    for (const EncodingMenuItem& item : m_model->items()) {
        if (item.kind == EncodingMenuItem::Kind::Separator)
            m_encodingTypePopup->insertSeparator(m_encodingTypePopup->count());
        else
            m_encodingTypePopup->addItem(item.title, item.encoding);
    }
    m_rebuilding = false;
    showCurrentIndex();
}

void EncodingAccessory::showCurrentIndex()
{
    if (!m_rebuilding)
        m_encodingTypePopup->setCurrentIndex(m_model->currentIndex());
}

void EncodingAccessory::itemChosen(int index)
{
    const QList<EncodingMenuItem>& items = m_model->items();
    if (m_model->selectItem(index))
        return;
    // The separator and "Customize Encoding List…" are not choices: the pop-up keeps its choice.
    showCurrentIndex();
    if (index >= 0 && index < items.size() && items.at(index).kind == EncodingMenuItem::Kind::Customize)
        openEncodingListPanel();
}

void EncodingAccessory::openEncodingListPanel()
{
    if (!m_panel)
        m_panel = new EncodingListPanel(m_model, this);
    m_panel->show();
    m_panel->raise();
    m_panel->activateWindow();
}

} // namespace Quillary::Ui
