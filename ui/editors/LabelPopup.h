#pragma once

#include "model/ContactEntry.h"

#include <QComboBox>

#include <functional>

namespace Quillary::Ui {

/// A pop-up of choices that ends with "Custom…": the labels of a field (the built-in ones, the
/// custom ones, and those the document uses) or the instant-message services. Choosing "Custom…"
/// asks for a text of the user's own, which then joins the choices and is chosen.
class LabelPopup final : public QComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LabelPopup)

public:
    /// `accept` turns a typed text into a choice, or refuses it with an empty text.
    LabelPopup(const QStringList& choices, const QString& current, const QString& customTitle,
               std::function<QString(const QString&)> accept, QWidget* parent);
    ~LabelPopup() override;

    /// The labels of a labelled field; a typed label becomes a custom label of the field.
    static LabelPopup* forField(const QString& identifier, const QString& current, const ContactTable& contacts,
                                QWidget* parent);
    /// The same with the field's labels worked out already (one list for many pop-ups).
    static LabelPopup* forField(const QString& identifier, const QString& current, const QStringList& labels,
                                QWidget* parent);
    /// The instant-message services, with a service of the user's own.
    static LabelPopup* forServices(const QString& current, const ContactTable& contacts, QWidget* parent);

    /// The chosen text.
    [[nodiscard]] QString choice() const { return m_choice; }
    void setChoice(const QString& text);

Q_SIGNALS:
    void choiceChanged(const QString& text);

private:
    void activatedAt(int index);
    [[nodiscard]] int customIndex() const { return count() - 1; }

    QString m_choice;
    QString m_customTitle;
    std::function<QString(const QString&)> m_accept;
};

} // namespace Quillary::Ui
