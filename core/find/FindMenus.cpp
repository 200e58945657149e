#include "FindMenus.h"

#include "model/FieldIdentifiers.h"
#include "model/LabelTable.h"
#include "model/addressbook/Constants.h"
#include "support/Localized.h"

namespace Quillary::FindMenus {

QStringList itemEntries(const QStringList& identifiers)
{
    QStringList entries = identifiers.isEmpty() ? FieldIdentifiers::allIdentifiers() : identifiers;
    const qsizetype address = entries.indexOf(Field::Address);
    if (address >= 0) {
        const QStringList& parts = FieldIdentifiers::addressIdentifiers();
        for (qsizetype i = 0; i < parts.size(); ++i)
            entries.insert(address + 1 + i, parts.at(i));
    }
    entries.prepend(LabelText::All);
    return entries;
}

QStringList subItemEntries()
{
    namespace IM = AddressBook::InstantMessageService;
    QStringList entries{LabelText::All,
                        Field::FirstName,
                        Field::MiddleName,
                        Field::LastName,
                        Field::PhoneticFirstNameSpaced,
                        Field::PhoneticMiddleNameSpaced,
                        Field::PhoneticLastNameSpaced};
    entries << FieldIdentifiers::addressIdentifiers() << Field::CountryCode;
    entries << IM::AIM << IM::Facebook << IM::GaduGadu << IM::GoogleTalk << IM::ICQ << IM::Jabber << IM::MSN << IM::QQ
            << IM::Skype << IM::Yahoo;
    return entries;
}

QStringList defaultLabelEntries()
{
    namespace L = AddressBook::Label;
    return {LabelText::All, LabelTable::labelFromiLabel(L::Home), LabelTable::labelFromiLabel(L::Work),
            LabelTable::labelFromiLabel(L::Other)};
}

QStringList labelEntriesForOpener()
{
    QStringList entries = defaultLabelEntries();
    for (const QString& identifier : FieldIdentifiers::labeledIdentifiers()) {
        for (const QString& label : LabelTable::labelsForIdentifier(identifier).value_or(QStringList())) {
            if (!entries.contains(label))
                entries.append(label);
        }
    }
    return entries;
}

QStringList dateLabels()
{
    return LabelTable::labelsForIdentifier(Field::Dates).value_or(QStringList());
}

QStringList choose(QStringList selection, const QString& entry)
{
    if (entry == LabelText::All)
        return {LabelText::All};
    selection.removeAll(LabelText::All);
    if (selection.size() > 1 && selection.contains(entry))
        selection.removeAll(entry);
    else if (!selection.contains(entry))
        selection.append(entry);
    return selection;
}

QString summaryTitle(Menu menu, const QStringList& selection)
{
    const bool all = selection.isEmpty() || selection.contains(LabelText::All);
    if (menu == Menu::Labels)
        return all ? localized(QStringLiteral("Labels - All"))
                   : localized(QStringLiteral("Labels - ")) + selection.join(u'+');
    const QString name = localized(menu == Menu::Items ? QStringLiteral("Items") : QStringLiteral("Sub Items"));
    if (all)
        return QStringLiteral("%1 - %2").arg(name, localized(LabelText::All));
    QStringList shown;
    for (const QString& entry : selection)
        shown.append(localized(entry));
    return name + QStringLiteral(" - ") + shown.join(QStringLiteral(" + "));
}

} // namespace Quillary::FindMenus
