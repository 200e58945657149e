#include "AddressBookPanels.h"

#include "model/FieldIdentifiers.h"
#include "model/LabelTable.h"

#include "support/UiTr.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace Quillary::Ui::AddressBookPanels {

namespace {

std::optional<std::optional<QString>>& nextAccount()
{
    static std::optional<std::optional<QString>> answer;
    return answer;
}

std::optional<std::optional<SmartGroup>>& nextGroup()
{
    static std::optional<std::optional<SmartGroup>> answer;
    return answer;
}

template <typename T> std::optional<T> takeAnswer(std::optional<std::optional<T>>& waiting)
{
    std::optional<T> answer = *waiting;
    waiting.reset();
    return answer;
}

QString fieldTitle(const QString& identifier)
{
    return QCoreApplication::translate("Quillary::Core", identifier.toUtf8().constData());
}

QComboBox* comboBox(QWidget* parent, const QString& name, const QString& accessibleName)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(accessibleName);
    return box;
}

/// The labels a field offers: "All", then those of its label table.
void fillLabels(QComboBox* labels, const QString& field)
{
    labels->clear();
    labels->addItem(Tr::tr("All"), QStringLiteral("All"));
    for (const QString& label : LabelTable::labelsForIdentifier(field).value_or(QStringList()))
        labels->addItem(label, label);
}

QDialogButtonBox* buttons(QDialog* dialog)
{
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}

} // namespace

std::optional<QString> chooseDefaultAccount(QWidget* parent, const QStringList& accounts, const QString& current)
{
    if (nextAccount())
        return takeAnswer(nextAccount());
    QDialog dialog(parent);
    dialog.setWindowTitle(Tr::tr("Default Account"));
    dialog.setWindowModality(Qt::WindowModal);
    auto* form = new QFormLayout(&dialog);
    QComboBox* box = comboBox(&dialog, QStringLiteral("defaultAccountPopup"), Tr::tr("Default account"));
    box->addItems(accounts);
    box->setCurrentIndex(qMax(0, accounts.indexOf(current)));
    form->addRow(Tr::tr("New contacts and groups go to:"), box);
    form->addRow(buttons(&dialog));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return box->currentText();
}

std::optional<SmartGroup> newSmartGroup(QWidget* parent)
{
    if (nextGroup())
        return takeAnswer(nextGroup());
    QDialog dialog(parent);
    dialog.setWindowTitle(Tr::tr("New Smart Group"));
    dialog.setWindowModality(Qt::WindowModal);
    auto* form = new QFormLayout(&dialog);
    auto* name = new QLineEdit(&dialog);
    name->setAccessibleName(Tr::tr("Name"));
    QComboBox* field = comboBox(&dialog, QStringLiteral("smartGroupField"), Tr::tr("Item"));
    field->addItem(Tr::tr("All"), QStringLiteral("All"));
    for (const QString& identifier : FieldIdentifiers::allIdentifiers()) {
        if (identifier != Field::Photo)
            field->addItem(fieldTitle(identifier), identifier);
    }
    QComboBox* label = comboBox(&dialog, QStringLiteral("smartGroupLabel"), Tr::tr("Label"));
    fillLabels(label, QStringLiteral("All"));
    QObject::connect(field, &QComboBox::currentIndexChanged, label,
                     [field, label] { fillLabels(label, field->currentData().toString()); });
    auto* text = new QLineEdit(&dialog);
    text->setAccessibleName(Tr::tr("Text"));
    QComboBox* mode = comboBox(&dialog, QStringLiteral("smartGroupMode"), Tr::tr("Search mode"));
    for (const SmartGroup::Mode each :
         {SmartGroup::Mode::CaseInsensitive, SmartGroup::Mode::CaseSensitive, SmartGroup::Mode::Regex})
        mode->addItem(Tr::tr(qPrintable(SmartGroups::modeName(each))), int(each));
    form->addRow(Tr::tr("Name:"), name);
    form->addRow(Tr::tr("Item:"), field);
    form->addRow(Tr::tr("Label:"), label);
    form->addRow(Tr::tr("Contains:"), text);
    form->addRow(Tr::tr("Search mode:"), mode);
    QDialogButtonBox* box = buttons(&dialog);
    form->addRow(box);
    // A group needs a name and something to look for; a regular expression must be one.
    const auto check = [&] {
        const bool regex = SmartGroup::Mode(mode->currentData().toInt()) == SmartGroup::Mode::Regex;
        box->button(QDialogButtonBox::Ok)
            ->setEnabled(!name->text().trimmed().isEmpty() && !text->text().isEmpty()
                         && (!regex || QRegularExpression(text->text()).isValid()));
    };
    for (QLineEdit* edit : {name, text})
        QObject::connect(edit, &QLineEdit::textChanged, &dialog, check);
    QObject::connect(mode, &QComboBox::currentIndexChanged, &dialog, check);
    check();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return SmartGroup{{},
                      name->text().trimmed(),
                      field->currentData().toString(),
                      label->currentData().toString(),
                      text->text(),
                      SmartGroup::Mode(mode->currentData().toInt())};
}

void setNextDefaultAccount(const std::optional<QString>& account)
{
    nextAccount() = account;
}

void setNextSmartGroup(const std::optional<SmartGroup>& group)
{
    nextGroup() = group;
}

} // namespace Quillary::Ui::AddressBookPanels
