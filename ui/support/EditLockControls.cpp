#include "EditLockControls.h"

#include <QCoreApplication>
#include <QFrame>
#include <QToolButton>

namespace Quillary::Ui::EditLockControls {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(Quillary::Ui)
};
} // namespace

QToolButton* makeButton(QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("editButton"));
    button->setCheckable(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setMinimumWidth(56);
    button->setAccessibleName(Tr::tr("Edit mode"));
    return button;
}

QFrame* makeSeparator(QWidget* parent)
{
    auto* separator = new QFrame(parent);
    separator->setObjectName(QStringLiteral("separator"));
    separator->setFrameShape(QFrame::NoFrame);
    separator->setAutoFillBackground(true);
    separator->setAccessibleName(Tr::tr("Edit mode indicator"));
    return separator;
}

void apply(QToolButton* button, QFrame* separator, bool on)
{
    button->setChecked(on);
    button->setText(on ? Tr::tr("Lock") : Tr::tr("Edit"));
    separator->setFixedHeight(on ? 2 : 1);
    QPalette palette = separator->palette();
    palette.setColor(QPalette::Window, on ? QColor(Qt::red) : QColor(Qt::lightGray));
    separator->setPalette(palette);
    separator->setProperty("editMode", on);
}

} // namespace Quillary::Ui::EditLockControls
