#include "FieldEditors.h"

#include "find/FindMenus.h"
#include "model/FieldIdentifiers.h"
#include "support/Localized.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace Quillary::Ui::FieldEditors {

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(Quillary::Ui)
};

template <typename T> std::optional<std::optional<T>>& answer()
{
    static std::optional<std::optional<T>> next;
    return next;
}

/// A window-modal dialog over `parent` with OK and Cancel below a form.
QDialogButtonBox* setUpDialog(QDialog& dialog, QFormLayout*& form, const QString& title)
{
    dialog.setWindowTitle(title);
    dialog.setWindowModality(Qt::WindowModal);
    form = new QFormLayout(&dialog);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

QLineEdit* addLine(QFormLayout* form, const QString& key, const QString& text)
{
    auto* line = new QLineEdit(text, form->parentWidget());
    line->setObjectName(key);
    line->setAccessibleName(localized(key));
    form->addRow(localized(key), line);
    return line;
}

std::optional<LabeledValue> editAddress(QWidget* parent, const LabeledValue& current)
{
    QDialog dialog(parent);
    QFormLayout* form = nullptr;
    QDialogButtonBox* buttons = setUpDialog(dialog, form, localized(Field::Address));
    QList<std::pair<QString, QLineEdit*>> lines;
    for (const QString& part : {Field::Street, Field::City, Field::State, Field::ZIP, Field::Country})
        lines.append({part, addLine(form, part, current.address.part(part))});
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    LabeledValue value = current;
    for (const auto& [part, line] : lines)
        value.address.setPart(part, line->text());
    return value;
}

std::optional<LabeledValue> editInstantMessage(QWidget* parent, const LabeledValue& current)
{
    QDialog dialog(parent);
    QFormLayout* form = nullptr;
    QDialogButtonBox* buttons = setUpDialog(dialog, form, localized(Field::InstantMessage));
    auto* service = new QComboBox(&dialog);
    service->setObjectName(QStringLiteral("service"));
    service->setAccessibleName(Tr::tr("Service"));
    service->setEditable(true);
    service->addItems(FindMenus::subItemEntries().mid(FindMenus::subItemEntries().indexOf(Field::CountryCode) + 1));
    service->setCurrentText(current.service);
    form->addRow(Tr::tr("Service"), service);
    QLineEdit* user = addLine(form, QStringLiteral("User name"), current.username);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    LabeledValue value = current;
    value.service = service->currentText();
    value.username = value.value = user->text();
    updateIMSValue(value);
    return value;
}

} // namespace

std::optional<DateComponents> editDate(QWidget* parent, const QString& type, const DateComponents& current)
{
    if (answer<DateComponents>())
        return *std::exchange(answer<DateComponents>(), std::nullopt);
    QDialog dialog(parent);
    QFormLayout* form = nullptr;
    QDialogButtonBox* buttons = setUpDialog(dialog, form, localized(type));
    auto* date = new QDateEdit(current.isValid() ? current.toDate() : QDate::currentDate(), &dialog);
    date->setObjectName(QStringLiteral("date"));
    date->setAccessibleName(localized(type));
    date->setCalendarPopup(true);
    date->setDisplayFormat(QStringLiteral("yyyy.MM.dd"));
    form->addRow(localized(type), date);
    auto* withoutYear = new QCheckBox(Tr::tr("Without year"), &dialog);
    withoutYear->setObjectName(QStringLiteral("withoutYear"));
    withoutYear->setChecked(current.isValid() && !current.hasYear());
    form->addRow(withoutYear);
    bool removed = false;
    if (type == Field::Birthday) {
        QPushButton* remove = buttons->addButton(Tr::tr("Remove"), QDialogButtonBox::DestructiveRole);
        QObject::connect(remove, &QPushButton::clicked, &dialog, [&] {
            removed = true;
            dialog.accept();
        });
    }
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    if (removed)
        return DateComponents();
    DateComponents result = DateComponents::fromDate(date->date());
    if (withoutYear->isChecked())
        result.year = 0;
    return result;
}

std::optional<LabeledValue> editLabeledValue(QWidget* parent, const QString& type, const LabeledValue& current)
{
    if (answer<LabeledValue>())
        return *std::exchange(answer<LabeledValue>(), std::nullopt);
    if (type == Field::Address)
        return editAddress(parent, current);
    if (type == Field::InstantMessage)
        return editInstantMessage(parent, current);
    return std::nullopt;
}

void setNextDate(std::optional<DateComponents> date)
{
    answer<DateComponents>() = date;
}

void setNextValue(std::optional<LabeledValue> value)
{
    answer<LabeledValue>() = value;
}

void clearAnswers()
{
    answer<DateComponents>().reset();
    answer<LabeledValue>().reset();
}

} // namespace Quillary::Ui::FieldEditors
