#pragma once

#include <QString>
#include <QStringList>

namespace Quillary {

/// The panel that asks for the text (and label) of a bulk edit of one column: what it says, which
/// controls it enables and what the user entered. The window shows it as a sheet, binds its
/// controls to this model and ends it with `accept` or `cancel`.
class ReplaceAlertPanelModel
{
public:
    enum class Type { InsertLabelAndText, ReplaceLabelAndText, ReplaceText, PrependText, AppendText };

    /// Prepending and appending start from an empty text without labels.
    ReplaceAlertPanelModel(Type type, const QString& identifier, const QStringList& labels = {},
                           const QString& label = {}, const QString& replaceString = {});

    /// The command's title: "Insert Label and Text", "Replace Text", ...
    [[nodiscard]] static QString title(Type type);

    [[nodiscard]] Type type() const { return m_type; }
    [[nodiscard]] QString typeTitle() const { return title(m_type); }
    [[nodiscard]] const QString& identifier() const { return m_identifier; }
    [[nodiscard]] const QStringList& labels() const { return m_labels; }
    [[nodiscard]] const QString& label() const { return m_label; }
    [[nodiscard]] const QString& replaceString() const { return m_replaceString; }

    /// "In order to replace the text of Phone" and the like, the field named in the user's language.
    [[nodiscard]] QString message() const;
    [[nodiscard]] QString okTitle() const;
    [[nodiscard]] bool labelPopupEnabled() const;
    /// The position of `label` in `labels`; -1 when it is not there.
    [[nodiscard]] int selectedLabelIndex() const { return int(m_labels.indexOf(m_label)); }
    /// The caption of the column pop-up and its one entry, the translated identifier.
    [[nodiscard]] static QString columnTitle();
    [[nodiscard]] QString columnPopupItem() const;

    // What the user does.
    void setLabel(const QString& label) { m_label = label; }
    void setReplaceString(const QString& text) { m_replaceString = text; }
    void accept(const QString& text, const QString& label);
    void cancel() { m_returnCode = 0; }
    /// 1 after "OK", 0 after "Cancel" or while open.
    [[nodiscard]] int returnCode() const { return m_returnCode; }

private:
    Type m_type;
    QString m_identifier;
    QStringList m_labels;
    QString m_label;
    QString m_replaceString;
    int m_returnCode = 0;
};

} // namespace Quillary
