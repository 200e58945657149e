#include "FindMenus.h"

#include "model/FieldIdentifiers.h"
#include "model/LabelTable.h"
#include "model/addressbook/Constants.h"

#include <QCoreApplication>

namespace Quillary::FindMenus {

namespace {

const QString& homeLabel()
{
    static const QString label = LabelTable::labelFromiLabel(AddressBook::Label::Home);
    return label;
}

const QString& workLabel()
{
    static const QString label = LabelTable::labelFromiLabel(AddressBook::Label::Work);
    return label;
}

const QString& otherLabel()
{
    static const QString label = LabelTable::labelFromiLabel(AddressBook::Label::Other);
    return label;
}

} // namespace

QString localized(const QString& key)
{
    return QCoreApplication::translate("Quillary::Core", key.toUtf8().constData());
}

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
    return {LabelText::All, homeLabel(), workLabel(), otherLabel()};
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
