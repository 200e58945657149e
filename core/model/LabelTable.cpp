#include "LabelTable.h"

#include "FieldIdentifiers.h"
#include "addressbook/Constants.h"

#include <string>
#include <vector>

namespace Quillary {

namespace L = AddressBook::Label;
namespace S = AddressBook::SocialService;

namespace {

struct LabelWord
{
    const QString* stored;
    const char16_t* shown;
    const char* capitalised; ///< the other accepted spelling of the shown form, or null
};

// Stored constants with their shown words; the capitalised forms are accepted when storing.
const LabelWord labelWords[] = {
    {&L::Work, u"work", "Work"},
    {&L::Home, u"home", "Home"},
    {&L::Other, u"other", "Other"},
    {&L::PhoneMain, u"main", "Main"},
    {&L::PhoneMobile, u"mobile", "Mobile"},
    {&L::PhoneiPhone, u"iPhone", nullptr},
    {&L::PhoneHomeFAX, u"home fax", "HomeFax"},
    {&L::PhoneWorkFAX, u"work fax", "WorkFax"},
    {&L::PhonePager, u"pager", "Pager"},
    {&L::HomePage, u"home page", "HomePage"},
    {&L::Anniversary, u"anniversary", "Anniversary"},
    {&L::Mother, u"mother", "Mother"},
    {&L::Father, u"father", "Father"},
    {&L::Parent, u"parent", "Parent"},
    {&L::Sister, u"sister", "Sister"},
    {&L::Brother, u"brother", "Brother"},
    {&L::Child, u"child", "Child"},
    {&L::Friend, u"friend", "Friend"},
    {&L::Spouse, u"spouse", "Spouse"},
    {&L::Partner, u"partner", "Partner"},
    {&L::Assistant, u"assistant", "Assistant"},
    {&L::Manager, u"manager", "Manager"},
};

// Shown forms are built once so that every contact's label shares them. They point to static text,
// so copies made on several threads at once share no reference count.
struct Words
{
    struct Pair
    {
        QString stored;
        QString shown;
    };
    std::vector<Pair> pairs; ///< looked through by identity first: most labels are these very strings
    QHash<QString, QString> shownByStored;
    QHash<QString, QString> storedByShown;
};

const Words& words()
{
    static const Words table = [] {
        Words result;
        for (const LabelWord& word : labelWords) {
            const QString shown = QString::fromRawData(reinterpret_cast<const QChar*>(word.shown),
                                                       qsizetype(std::char_traits<char16_t>::length(word.shown)));
            result.pairs.push_back({*word.stored, shown});
            result.shownByStored.insert(*word.stored, shown);
            result.storedByShown.insert(shown, *word.stored);
            if (word.capitalised)
                result.storedByShown.insert(QString::fromLatin1(word.capitalised), *word.stored);
        }
        return result;
    }();
    return table;
}

QStringList shown(std::initializer_list<const QString*> stored)
{
    QStringList result;
    for (const QString* label : stored)
        result.append(LabelTable::labelFromiLabel(*label));
    return result;
}

QHash<QString, QStringList> makeBuiltInTable()
{
    QHash<QString, QStringList> table;
    table.insert(Field::Email, shown({&L::Home, &L::Work, &L::Other}));
    table.insert(Field::Address, shown({&L::Home, &L::Work, &L::Other}));
    table.insert(Field::URL, shown({&L::HomePage, &L::Home, &L::Work, &L::Other}));
    table.insert(Field::Phone,
                 shown({&L::Home, &L::Work, &L::Other, &L::PhoneMain, &L::PhoneMobile, &L::PhoneiPhone, &L::PhonePager,
                        &L::PhoneHomeFAX, &L::PhoneWorkFAX}));
    QStringList relations = shown({&L::Father, &L::Mother, &L::Parent, &L::Spouse, &L::Child, &L::Brother, &L::Sister,
                                   &L::Friend, &L::Assistant, &L::Manager, &L::Partner});
    relations << LabelTable::labelFromiLabel(QStringLiteral("_$!<Son>!$_"))
              << LabelTable::labelFromiLabel(QStringLiteral("_$!<Daughter>!$_"));
    table.insert(Field::Relationship, relations);
    table.insert(Field::Dates, shown({&L::Anniversary}));
    QStringList services = shown({&S::Facebook, &S::Flickr, &S::LinkedIn, &S::MySpace, &S::Twitter});
    services << QStringLiteral("GameCenter") << LabelTable::labelFromiLabel(S::Yelp)
             << LabelTable::labelFromiLabel(S::SinaWeibo) << LabelTable::labelFromiLabel(S::TencentWeibo)
             << QStringLiteral("WeChat") << QStringLiteral("Instagram") << QStringLiteral("Pinterest")
             << QStringLiteral("LINE") << QStringLiteral("Snapchat") << QStringLiteral("Tumbler")
             << QStringLiteral("WhatsApp");
    table.insert(Field::SocialNetwork, services);
    table.insert(Field::InstantMessage, shown({&L::Home, &L::Work, &L::Other}));
    table.insert(QStringLiteral("Show as Person"), {QStringLiteral("Person"), QStringLiteral("Company")});
    table.insert(QStringLiteral("Name Ordering"),
                 {QStringLiteral("System Default (%1)").arg(Field::LastName), QStringLiteral("First Name First"),
                  QStringLiteral("Last Name First")});
    return table;
}

QHash<QString, QStringList>& builtInTable()
{
    static QHash<QString, QStringList> table = makeBuiltInTable();
    return table;
}

QHash<QString, QStringList>& customTable()
{
    static QHash<QString, QStringList> table;
    return table;
}

} // namespace

QString LabelTable::labelFromiLabel(const QString& storedLabel)
{
    if (storedLabel.isEmpty())
        return LabelText::NoLabel;
    if (storedLabel == LabelText::All)
        return LabelText::All;
    const Words& table = words();
    for (const Words::Pair& pair : table.pairs) {
        if (storedLabel.constData() == pair.stored.constData())
            return pair.shown;
    }
    if (const auto it = table.shownByStored.constFind(storedLabel); it != table.shownByStored.constEnd())
        return *it;
    QString result = storedLabel;
    if (storedLabel.contains(u"_$!<") && storedLabel.size() >= 8)
        result = storedLabel.mid(4, storedLabel.size() - 8);
    return result.isEmpty() ? LabelText::NoLabel : result;
}

QString LabelTable::iLabelFromLabel(const QString& label)
{
    // "No label" is how an empty label is shown; it is stored as no label at all.
    if (label.isEmpty() || label == LabelText::NoLabel)
        return {};
    if (label == LabelText::All || label == u"all")
        return LabelText::All;
    const Words& table = words();
    for (const Words::Pair& pair : table.pairs) {
        if (label.constData() == pair.shown.constData())
            return pair.stored;
    }
    if (const auto it = table.storedByShown.constFind(label); it != table.storedByShown.constEnd())
        return *it;
    return label;
}

std::optional<QStringList> LabelTable::labelsForIdentifier(const QString& identifier)
{
    const auto it = builtInTable().constFind(identifier);
    if (it == builtInTable().constEnd())
        return std::nullopt;
    return *it + customTable().value(identifier);
}

std::optional<QStringList> LabelTable::customLabelsForIdentifier(const QString& identifier)
{
    const auto it = customTable().constFind(identifier);
    if (it == customTable().constEnd())
        return std::nullopt;
    return *it;
}

QHash<QString, QStringList> LabelTable::labelTableDict()
{
    QHash<QString, QStringList> result;
    for (auto it = builtInTable().constBegin(); it != builtInTable().constEnd(); ++it)
        result.insert(it.key(), *it + customTable().value(it.key()));
    return result;
}

const QHash<QString, QStringList>& LabelTable::customLabelTableDict()
{
    return customTable();
}

bool LabelTable::setLabel(const QString& oldLabel, const QString& newLabel, const QString& identifier)
{
    QStringList& builtIn = builtInTable()[identifier];
    if (builtIn.contains(newLabel))
        return false;
    QStringList& custom = customTable()[identifier];
    if (const qsizetype at = custom.indexOf(oldLabel); !oldLabel.isEmpty() && at >= 0) {
        if (newLabel.isEmpty())
            custom.removeAt(at);
        else
            custom[at] = newLabel;
        return true;
    }
    if (newLabel.isEmpty() || custom.contains(newLabel))
        return false;
    custom.append(newLabel);
    return true;
}

void LabelTable::resetCustomLabels()
{
    customTable().clear();
    builtInTable() = makeBuiltInTable();
}

} // namespace Quillary
