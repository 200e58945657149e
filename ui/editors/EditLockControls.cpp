#include "EditLockControls.h"

#include "support/UiTr.h"

#include <QFrame>
#include <QToolButton>

namespace Quillary::Ui {

EditLockControls EditLockControls::create(QWidget* parent)
{
    EditLockControls controls{new QToolButton(parent), new QFrame(parent)};
    controls.button->setObjectName(QStringLiteral("editButton"));
    controls.button->setCheckable(true);
    controls.button->setAccessibleName(Tr::tr("Edit or lock"));
    controls.separator->setObjectName(QStringLiteral("redSeparator"));
    controls.separator->setFixedHeight(2);
    controls.separator->setAutoFillBackground(true);
    controls.show(false);
    return controls;
}

void EditLockControls::show(bool editing) const
{
    button->setChecked(editing);
    button->setText(editing ? Tr::tr("Lock") : Tr::tr("Edit"));
    QPalette palette = separator->palette();
    palette.setColor(QPalette::Window, editing ? QColor(Qt::red) : palette.color(QPalette::Mid));
    separator->setPalette(palette);
    separator->setProperty("editMode", editing);
}

} // namespace Quillary::Ui
