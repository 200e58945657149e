#include "VCardLabels_p.h"

namespace Quillary::AddressBook::VCard {

namespace {

/// Up to eight characters upper-cased into one number, so that a type is compared with each known
/// one in a single step; 0 for anything longer.
constexpr quint64 packedUpper(QByteArrayView text)
{
    if (text.size() > 8)
        return 0;
    quint64 packed = 0;
    for (const char c : text)
        packed = (packed << 8) | quint8(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return packed;
}

struct TypeName
{
    quint64 packed;
    qsizetype size; // "\0HOME" packs as "HOME" does
    TypeFlag flag;
};

constexpr TypeName typeNames[] = {
    {packedUpper("HOME"), 4, TypeHome},         {packedUpper("WORK"), 4, TypeWork},
    {packedUpper("OTHER"), 5, TypeOther},       {packedUpper("CELL"), 4, TypeCell},
    {packedUpper("IPHONE"), 6, TypeIPhone},     {packedUpper("MAIN"), 4, TypeMain},
    {packedUpper("PAGER"), 5, TypePager},       {packedUpper("FAX"), 3, TypeFax},
    {packedUpper("VOICE"), 5, TypeVoice},       {packedUpper("PREF"), 4, TypePref},
    {packedUpper("INTERNET"), 8, TypeInternet},
};

unsigned flagOf(QByteArrayView type)
{
    const quint64 packed = packedUpper(type);
    if (packed == 0)
        return 0;
    for (const TypeName& known : typeNames) {
        if (packed == known.packed && type.size() == known.size)
            return known.flag;
    }
    return 0;
}

} // namespace

unsigned typeFlags(const ContentLine& line)
{
    unsigned flags = 0;
    for (const Param& param : line.params) {
        if (param.name.isEmpty()) {
            flags |= flagOf(param.value); // a bare vCard 2.1 type
            continue;
        }
        if (equalsUpper(param.name, "PREF")) {
            flags |= TypePref; // vCard 4.0 writes PREF as a parameter of its own
            continue;
        }
        if (!equalsUpper(param.name, "TYPE"))
            continue;
        // "TYPE=HOME,FAX" or "TYPE=HOME": each item of the list, without blanks around it.
        const QByteArrayView list = unquote(param.value);
        const char* item = list.data();
        const char* const end = item + list.size();
        while (item < end) {
            const char* comma = item;
            while (comma < end && *comma != ',')
                ++comma;
            const char* last = comma;
            while (item < last && isWhiteSpace(*item))
                ++item;
            while (last > item && isWhiteSpace(last[-1]))
                --last;
            flags |= flagOf(unquote(QByteArrayView(item, last - item)));
            item = comma + 1;
        }
    }
    return flags;
}

QString phoneLabel(unsigned flags)
{
    if (flags & TypeIPhone)
        return Label::PhoneiPhone;
    if (flags & TypeCell)
        return Label::PhoneMobile;
    if (flags & TypeFax) {
        // A fax without a place is most often an office line.
        return (flags & TypeHome) ? Label::PhoneHomeFAX : Label::PhoneWorkFAX;
    }
    if (flags & TypeMain)
        return Label::PhoneMain;
    if (flags & TypePager)
        return Label::PhonePager;
    return placeLabel(flags);
}

QString placeLabel(unsigned flags)
{
    if (flags & TypeHome)
        return Label::Home;
    if (flags & TypeWork)
        return Label::Work;
    if (flags & TypeOther)
        return Label::Other;
    return {};
}

QString sharedLabel(QString label)
{
    static const QString* const known[] = {
        &Label::Home,        &Label::Work,       &Label::Other,        &Label::PhoneMain,    &Label::PhoneMobile,
        &Label::PhoneiPhone, &Label::PhonePager, &Label::PhoneHomeFAX, &Label::PhoneWorkFAX, &Label::HomePage,
        &Label::Anniversary, &Label::Father,     &Label::Mother,       &Label::Parent,       &Label::Sister,
        &Label::Brother,     &Label::Child,      &Label::Friend,       &Label::Spouse,       &Label::Partner,
        &Label::Assistant,   &Label::Manager};
    for (const QString* shared : known) {
        if (label == *shared)
            return *shared;
    }
    return label;
}

LabelTypes typesForLabel(const QString& label, bool phone)
{
    static constexpr const char* home[] = {"HOME", "VOICE"};
    static constexpr const char* work[] = {"WORK", "VOICE"};
    static constexpr const char* other[] = {"OTHER", "VOICE"};
    static constexpr const char* mobile[] = {"CELL", "VOICE"};
    static constexpr const char* iPhone[] = {"IPHONE", "CELL", "VOICE"};
    static constexpr const char* main[] = {"MAIN"};
    static constexpr const char* pager[] = {"PAGER"};
    static constexpr const char* homeFax[] = {"HOME", "FAX"};
    static constexpr const char* workFax[] = {"WORK", "FAX"};
    // Phones say VOICE after the place; other values name the place alone.
    const auto place = [phone](const auto& types) { return LabelTypes(types, phone ? 2 : 1); };
    if (label == Label::Home)
        return place(home);
    if (label == Label::Work)
        return place(work);
    if (label == Label::Other)
        return place(other);
    if (!phone)
        return {};
    if (label == Label::PhoneMobile)
        return mobile;
    if (label == Label::PhoneiPhone)
        return iPhone;
    if (label == Label::PhoneMain)
        return main;
    if (label == Label::PhonePager)
        return pager;
    if (label == Label::PhoneHomeFAX)
        return homeFax;
    if (label == Label::PhoneWorkFAX)
        return workFax;
    return {};
}

} // namespace Quillary::AddressBook::VCard
