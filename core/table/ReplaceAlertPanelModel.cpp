#include "ReplaceAlertPanelModel.h"

#include "support/CoreTr.h"
#include "support/Localized.h"

#include <QCoreApplication>

namespace Quillary {

namespace {

bool startsEmpty(ReplaceAlertPanelModel::Type type)
{
    return type == ReplaceAlertPanelModel::Type::PrependText || type == ReplaceAlertPanelModel::Type::AppendText;
}

} // namespace

ReplaceAlertPanelModel::ReplaceAlertPanelModel(Type type, const QString& identifier, const QStringList& labels,
                                               const QString& label, const QString& replaceString)
    : m_type(type), m_identifier(identifier), m_labels(labels), m_label(label), m_replaceString(replaceString)
{
    // Text is added to what each cell holds, so neither a label nor a text of the clicked cell applies.
    if (startsEmpty(type)) {
        m_labels.clear();
        m_label.clear();
        m_replaceString.clear();
    }
}

QString ReplaceAlertPanelModel::title(Type type)
{
    switch (type) {
    case Type::InsertLabelAndText:
        return Tr::tr("Insert Label and Text");
    case Type::ReplaceLabelAndText:
        return Tr::tr("Replace Label and Text");
    case Type::ReplaceText:
        return Tr::tr("Replace Text");
    case Type::PrependText:
        return Tr::tr("Prepend Text");
    case Type::AppendText:
        return Tr::tr("Append Text");
    }
    return {};
}

QString ReplaceAlertPanelModel::message() const
{
    switch (m_type) {
    case Type::InsertLabelAndText:
        return Tr::tr("In order to insert the label and text of %1").arg(localized(m_identifier));
    case Type::ReplaceLabelAndText:
        return Tr::tr("In order to replace the label and text of %1").arg(localized(m_identifier));
    case Type::ReplaceText:
        return Tr::tr("In order to replace the text of %1").arg(localized(m_identifier));
    case Type::PrependText:
        return Tr::tr("In order to prepend the text of %1").arg(localized(m_identifier));
    case Type::AppendText:
        return Tr::tr("In order to append the text of %1").arg(localized(m_identifier));
    }
    return {};
}

QString ReplaceAlertPanelModel::okTitle() const
{
    switch (m_type) {
    case Type::InsertLabelAndText:
        return Tr::tr("Insert");
    case Type::ReplaceLabelAndText:
    case Type::ReplaceText:
        return Tr::tr("Replace");
    case Type::PrependText:
        return Tr::tr("Prepend");
    case Type::AppendText:
        return Tr::tr("Append");
    }
    return {};
}

bool ReplaceAlertPanelModel::labelPopupEnabled() const
{
    return m_type == Type::InsertLabelAndText || m_type == Type::ReplaceLabelAndText;
}

QString ReplaceAlertPanelModel::columnTitle()
{
    return Tr::tr("Columns");
}

QString ReplaceAlertPanelModel::columnPopupItem() const
{
    return localized(m_identifier);
}

void ReplaceAlertPanelModel::accept(const QString& text, const QString& label)
{
    m_replaceString = text;
    m_label = label;
    m_returnCode = 1;
}

} // namespace Quillary
