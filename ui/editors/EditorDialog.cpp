#include "EditorDialog.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace Quillary::Ui {

EditorDialog::EditorDialog(const EditorContext& context, const EditorOptions& options, const QString& objectName,
                           QWidget* parent)
    : QDialog(parent), m_context(context), m_options(options), m_layout(new QVBoxLayout(this)),
      m_lock(EditLockControls::create(this)), m_cancel(new QPushButton(tr("Cancel"), this)),
      m_done(new QPushButton(tr("Done"), this))
{
    setObjectName(objectName);
    setAttribute(Qt::WA_DeleteOnClose);
    m_context.dirty = false;

    const QString name =
        context.contact && context.contact->person ? context.contact->person->compositeName() : QString();
    auto* nameLabel = new QLabel(name.isEmpty() ? tr("No name") : name, this);
    nameLabel->setObjectName(QStringLiteral("contactName"));
    nameLabel->setAccessibleName(tr("Contact"));
    QFont bold = nameLabel->font();
    bold.setBold(true);
    nameLabel->setFont(bold);
    setWindowTitle(nameLabel->text());
    m_lock.button->setEnabled(options.canEdit);
    connect(m_lock.button, &QToolButton::clicked, this, &EditorDialog::setEditEnabled);
    auto* header = new QHBoxLayout;
    header->addWidget(nameLabel, 1);
    header->addWidget(m_lock.button);

    m_cancel->setObjectName(QStringLiteral("cancelButton"));
    m_cancel->setAccessibleName(tr("Cancel"));
    m_cancel->setAutoDefault(false);
    m_done->setObjectName(QStringLiteral("doneButton"));
    m_done->setDefault(true);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_done, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_done);

    m_layout->addLayout(header);
    m_layout->addWidget(m_lock.separator);
    m_layout->addLayout(buttons);
    m_editEnabled = context.editEnabled && options.canEdit;
}

EditorDialog::~EditorDialog() = default;

void EditorDialog::setBody(QLayout* body)
{
    m_layout->insertLayout(2, body, 1);
    // The subclass has built its fields: show them in the state the editor opened in.
    setEditEnabled(m_editEnabled);
}

void EditorDialog::setEditEnabled(bool on)
{
    m_editEnabled = on && m_options.canEdit;
    m_lock.show(m_editEnabled);
    for (QLineEdit* field : std::as_const(m_textFields))
        field->setReadOnly(!m_editEnabled);
    editStateChanged(m_editEnabled);
    refreshButtons();
}

void EditorDialog::editStateChanged(bool on)
{
    Q_UNUSED(on)
}

QString EditorDialog::doneTitle(bool editEnabled) const
{
    return editEnabled && m_addsValue ? tr("Add") : tr("Done");
}

void EditorDialog::setValueValid(bool valid)
{
    m_valid = valid;
    refreshButtons();
}

void EditorDialog::refreshButtons()
{
    m_done->setText(doneTitle(m_editEnabled));
    m_done->setAccessibleName(m_done->text());
    m_done->setEnabled(m_valid || !m_editEnabled);
}

QLineEdit* EditorDialog::addTextField(QFormLayout* form, const QString& objectName, const QString& title,
                                      const QString& text)
{
    auto* field = new QLineEdit(text, this);
    field->setObjectName(objectName);
    field->setAccessibleName(title);
    field->setMinimumWidth(240);
    form->addRow(title, field);
    m_textFields.append(field);
    return field;
}

QString fieldTitle(const QString& identifier)
{
    return QCoreApplication::translate("Quillary::Core", identifier.toUtf8().constData());
}

void placeBelow(QWidget* window, const QRect& globalRect)
{
    if (!globalRect.isValid())
        return;
    window->adjustSize();
    QPoint at = globalRect.bottomLeft() + QPoint(0, 2);
    if (const QScreen* screen = QGuiApplication::screenAt(globalRect.center())) {
        const QRect area = screen->availableGeometry();
        at.setX(qBound(area.left(), at.x(), qMax(area.left(), area.right() - window->width())));
        at.setY(qBound(area.top(), at.y(), qMax(area.top(), area.bottom() - window->height())));
    }
    window->move(at);
}

void EditorDialog::openBeside(const QRect& globalRect)
{
    placeBelow(this, globalRect);
    open();
}

void EditorDialog::done(int result)
{
    if (!m_reported) {
        m_reported = true;
        m_context.dirty = result == QDialog::Accepted && m_editEnabled && m_valid;
        m_context.value = m_context.dirty ? editedValue() : EditorValue();
        Q_EMIT editorClosed(m_context);
    }
    QDialog::done(result);
}

} // namespace Quillary::Ui
