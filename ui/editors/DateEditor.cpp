#include "DateEditor.h"

#include "LabelPopup.h"
#include "editors/DateText.h"
#include "editors/EditorValues.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QWidgetAction>

namespace Quillary::Ui {

DateEditor::DateEditor(const EditorContext& context, const EditorOptions& options, QWidget* parent)
    : EditorDialog(context, options, QStringLiteral("dateEditor"), parent), m_calendar(new QCalendarWidget(this)),
      m_noYear(new QCheckBox(tr("Without Year"), this)), m_problem(new QLabel(this))
{
    auto* form = new QFormLayout;
    if (isBirthday()) {
        m_date = context.contact->person->birthdayValue().value;
        setAddsValue(!m_date.isValid());
    } else {
        m_value = EditorValues::valueToEdit(context);
        m_date = m_value.date;
        m_label = LabelPopup::forField(Field::Dates, m_value.label, options.contacts, this);
        form->addRow(tr("Label"), m_label);
        setAddsValue(m_value.labelIndex < 0);
    }
    m_knownYear = m_date.hasYear() ? m_date.year : QDate::currentDate().year();
    m_field = addTextField(form, QStringLiteral("dateField"), fieldTitle(context.type), QString());
    m_field->setPlaceholderText(QStringLiteral("yyyy.MM.dd"));
    connect(m_field, &QLineEdit::textEdited, this, &DateEditor::dateTyped);

    auto* calendarButton = new QToolButton(this);
    calendarButton->setObjectName(QStringLiteral("calendarButton"));
    calendarButton->setText(tr("Calendar"));
    calendarButton->setAccessibleName(tr("Choose in a calendar"));
    calendarButton->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(calendarButton);
    auto* holder = new QWidgetAction(menu);
    m_calendar->setObjectName(QStringLiteral("calendar"));
    m_calendar->setAccessibleName(tr("Calendar"));
    holder->setDefaultWidget(m_calendar);
    menu->addAction(holder);
    calendarButton->setMenu(menu);
    connect(m_calendar, &QCalendarWidget::clicked, this, [this, menu](QDate date) {
        calendarChosen(date);
        menu->close();
    });
    m_noYear->setObjectName(QStringLiteral("noYearCheck"));
    m_noYear->setAccessibleName(m_noYear->text());
    connect(m_noYear, &QCheckBox::toggled, this, &DateEditor::yearOmitted);
    auto* row = new QHBoxLayout;
    row->addWidget(calendarButton);
    row->addWidget(m_noYear);
    row->addStretch(1);
    form->addRow(QString(), row);
    m_problem->setObjectName(QStringLiteral("dateProblem"));
    form->addRow(QString(), m_problem);
    showDate();
    setBody(form);
}

DateEditor::~DateEditor() = default;

void DateEditor::showDate()
{
    m_field->setText(DateText::editText(m_date));
    const QSignalBlocker blocker(m_noYear);
    m_noYear->setChecked(m_date.isValid() && !m_date.hasYear());
    if (m_date.isValid())
        m_calendar->setSelectedDate(QDate(m_date.hasYear() ? m_date.year : m_knownYear, m_date.month, m_date.day));
    m_readable = true;
    m_problem->clear();
    setValueValid(m_date.isValid() || isBirthday());
}

void DateEditor::dateTyped(const QString& text)
{
    const std::optional<DateComponents> date = DateText::parse(text);
    m_readable = date.has_value() || text.trimmed().isEmpty();
    m_date = date.value_or(DateComponents());
    if (m_date.hasYear())
        m_knownYear = m_date.year;
    {
        const QSignalBlocker blocker(m_noYear);
        m_noYear->setChecked(m_date.isValid() && !m_date.hasYear());
    }
    m_problem->setText(m_readable ? QString() : tr("This date cannot be read."));
    // An empty birthday removes the birthday; a date of "Dates" needs a date.
    setValueValid(m_readable && (m_date.isValid() || isBirthday()));
}

void DateEditor::calendarChosen(QDate date)
{
    m_knownYear = date.year();
    m_date = DateComponents::fromDate(date);
    if (m_noYear->isChecked())
        m_date.year = 0;
    showDate();
}

void DateEditor::yearOmitted(bool omitted)
{
    if (!m_date.isValid())
        return;
    m_date.year = omitted ? 0 : m_knownYear;
    if (!m_date.isValid()) // 29 February in a year that has none
        m_date.day = 28;
    showDate();
}

EditorValue DateEditor::editedValue() const
{
    if (isBirthday()) {
        BirthdayValue birthday;
        birthday.value = m_date;
        birthday.stringValue = ContactDate::format(m_date);
        return birthday;
    }
    LabeledValue value = m_value;
    value.label = m_label->choice();
    value.date = m_date;
    updateDateValue(value);
    return value;
}

void DateEditor::editStateChanged(bool on)
{
    if (m_label)
        m_label->setEnabled(on);
    m_calendar->setEnabled(on);
    m_noYear->setEnabled(on);
}

} // namespace Quillary::Ui
