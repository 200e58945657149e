#pragma once

#include "EditorDialog.h"

class QCalendarWidget;
class QCheckBox;
class QLabel;

namespace Quillary::Ui {

class LabelPopup;

/// A date of "Dates" with its label, or the birthday: typed (ISO, the locale's short form or the
/// table's "yyyy.MM.dd") or chosen in a calendar, with or without its year. An empty birthday
/// removes the birthday; a date that cannot be read keeps Done off.
class DateEditor final : public EditorDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DateEditor)

public:
    DateEditor(const EditorContext& context, const EditorOptions& options, QWidget* parent);
    ~DateEditor() override;

protected:
    [[nodiscard]] EditorValue editedValue() const override;
    void editStateChanged(bool on) override;

private:
    [[nodiscard]] bool isBirthday() const { return context().type == Field::Birthday; }
    void dateTyped(const QString& text);
    void calendarChosen(QDate date);
    void yearOmitted(bool omitted);
    void showDate();

    LabeledValue m_value;
    DateComponents m_date;
    int m_knownYear;
    bool m_readable = true;
    LabelPopup* m_label = nullptr;
    QLineEdit* m_field = nullptr;
    QCalendarWidget* m_calendar;
    QCheckBox* m_noYear;
    QLabel* m_problem;
};

} // namespace Quillary::Ui
