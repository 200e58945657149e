#include "MultiValueEditor.h"

#include "FieldEditors.h"
#include "LabelPopup.h"
#include "editors/ContactCardModel.h"
#include "editors/EditorValues.h"
#include "editors/LabelChoices.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace Quillary::Ui {

MultiValueEditor::MultiValueEditor(const EditorContext& context, const EditorOptions& options, QWidget* parent)
    : EditorDialog(context, options, QStringLiteral("multiValueEditor"), parent),
      m_model(context.type, context.contact->person->labeledValuesForIdentifier(context.type)),
      m_labels(LabelChoices::labels(context.type, options.contacts)), m_table(new QTableWidget(0, 2, this))
{
    m_table->setObjectName(QStringLiteral("valueList"));
    m_table->setAccessibleName(tr("Values of %1").arg(fieldTitle(context.type)));
    m_table->setHorizontalHeaderLabels({tr("Label"), fieldTitle(context.type)});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setMinimumSize(420, 200);
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!m_rebuilding && item->column() == 1)
            m_model.setText(item->row(), item->text());
    });
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this] {
        if (!m_model.isText() && editEnabled())
            editValue();
    });
    auto* buttons = new QHBoxLayout;
    connect(addButton(QStringLiteral("addValueButton"), QStringLiteral("+"), tr("Add")), &QToolButton::clicked, this,
            &MultiValueEditor::addValue);
    connect(addButton(QStringLiteral("removeValueButton"), QStringLiteral("−"), tr("Remove")), &QToolButton::clicked,
            this, &MultiValueEditor::removeValue);
    connect(addButton(QStringLiteral("moveUpButton"), QStringLiteral("▲"), tr("Move Up")), &QToolButton::clicked, this,
            [this] { moveValue(-1); });
    connect(addButton(QStringLiteral("moveDownButton"), QStringLiteral("▼"), tr("Move Down")), &QToolButton::clicked,
            this, [this] { moveValue(1); });
    if (!m_model.isText()) {
        connect(addButton(QStringLiteral("editValueButton"), tr("Edit…"), tr("Edit")), &QToolButton::clicked, this,
                &MultiValueEditor::editValue);
    }
    for (QToolButton* button : std::as_const(m_buttons))
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto* body = new QVBoxLayout;
    body->addWidget(m_table, 1);
    body->addLayout(buttons);
    rebuild(context.index);
    setBody(body);
}

MultiValueEditor::~MultiValueEditor() = default;

QToolButton* MultiValueEditor::addButton(const QString& objectName, const QString& text, const QString& accessibleName)
{
    auto* button = new QToolButton(this);
    button->setObjectName(objectName);
    button->setText(text);
    button->setAccessibleName(accessibleName);
    button->setToolTip(accessibleName);
    m_buttons.append(button);
    return button;
}

void MultiValueEditor::rebuild(int current)
{
    m_rebuilding = true;
    m_table->setRowCount(m_model.count());
    for (int row = 0; row < m_model.count(); ++row) {
        auto* label = LabelPopup::forField(m_model.identifier(), m_model.values().at(row).label, m_labels, m_table);
        label->setEnabled(editEnabled());
        connect(label, &LabelPopup::choiceChanged, this, [this, row](const QString& text) {
            m_model.setLabel(row, text);
            if (!m_labels.contains(text)) // a label of the user's own, for the other rows too
                m_labels.append(text);
        });
        m_table->setCellWidget(row, 0, label);
        auto* item = new QTableWidgetItem(m_model.text(row));
        if (!m_model.isText() || !editEnabled())
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        m_table->setItem(row, 1, item);
    }
    if (current >= 0 && current < m_model.count())
        m_table->selectRow(current);
    m_rebuilding = false;
}

int MultiValueEditor::currentRow() const
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    return rows.isEmpty() ? m_table->currentRow() : rows.first().row();
}

void MultiValueEditor::openValueEditor(const LabeledValue& value, std::function<void(const LabeledValue&)> edited)
{
    EditorContext nested;
    nested.contact = context().contact;
    nested.type = context().type;
    nested.labelIndex = value.labelIndex;
    nested.labeledValue = value;
    nested.editEnabled = true;
    const QRect cell = m_table->visualItemRect(m_table->item(qMax(0, currentRow()), 1));
    const QRect anchor(m_table->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    FieldEditors::open(ContactCardModel::editorFor(context().type), nested, options(), this, anchor,
                       [edited = std::move(edited)](const EditorContext& closed) {
                           if (const auto* result = std::get_if<LabeledValue>(&closed.value); closed.dirty && result)
                               edited(*result);
                       });
}

void MultiValueEditor::addValue()
{
    if (m_model.isText()) {
        const int row = m_model.add(EditorValues::newValue(m_model.identifier()));
        rebuild(row);
        m_table->editItem(m_table->item(row, 1));
        return;
    }
    openValueEditor(EditorValues::newValue(m_model.identifier()),
                    [this](const LabeledValue& value) { rebuild(m_model.add(value)); });
}

void MultiValueEditor::removeValue()
{
    const int row = currentRow();
    m_model.remove(row);
    rebuild(qMin(row, m_model.count() - 1));
}

void MultiValueEditor::moveValue(int offset)
{
    const int row = currentRow();
    if (m_model.move(row, offset))
        rebuild(row + offset);
}

void MultiValueEditor::editValue()
{
    const int row = currentRow();
    if (row < 0 || row >= m_model.count() || m_model.isText())
        return;
    openValueEditor(m_model.values().at(row), [this, row](const LabeledValue& value) {
        m_model.setValue(row, value);
        rebuild(row);
    });
}

void MultiValueEditor::done(int result)
{
    // A value still being typed in the list belongs to the list: its field gives it up first.
    m_table->setFocus();
    EditorDialog::done(result);
}

EditorValue MultiValueEditor::editedValue() const
{
    return m_model.result();
}

void MultiValueEditor::editStateChanged(bool on)
{
    for (QToolButton* button : std::as_const(m_buttons))
        button->setEnabled(on);
    rebuild(currentRow());
}

} // namespace Quillary::Ui
