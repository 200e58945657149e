#include "VCardLabels_p.h"

#include <QtEndian>

#include <cstring>

namespace Quillary::AddressBook::VCard {

namespace {

/// A word of up to eight characters as one number, its first character lowest, so that a type is
/// told from the known ones by comparing numbers.
struct PackedWord
{
    quint64 bits = 0;
    qsizetype size = 0; // "HOME" and "HOME\0" pack alike
    friend constexpr bool operator==(PackedWord, PackedWord) = default;
};

template <qsizetype N> constexpr PackedWord packed(const char (&upper)[N])
{
    PackedWord word{0, N - 1};
    for (qsizetype i = 0; i < N - 1; ++i)
        word.bits |= quint64(quint8(upper[i])) << (8 * i);
    return word;
}

/// The text upper-cased and packed; nothing for text longer than eight characters.
PackedWord packedUpper(QByteArrayView text)
{
    if (text.size() > 8)
        return {};
    uchar bytes[8] = {};
    std::memcpy(bytes, text.data(), size_t(text.size()));
    quint64 bits = qFromLittleEndian<quint64>(bytes);
    // Every byte from 'a' to 'z' loses its 0x20 bit, all eight at once.
    constexpr quint64 ones = 0x0101010101010101ULL;
    const quint64 low = bits & (0x7F * ones);
    const quint64 atLeastA = low + (0x80 - 'a') * ones;
    const quint64 aboveZ = low + (0x80 - 'z' - 1) * ones;
    const quint64 lowerCase = atLeastA & ~aboveZ & ~bits & (0x80 * ones);
    bits ^= lowerCase >> 2;
    return {bits, text.size()};
}

struct TypeName
{
    PackedWord word;
    TypeFlag flag;
};

constexpr TypeName typeNames[] = {
    {packed("HOME"), TypeHome},   {packed("WORK"), TypeWork},         {packed("OTHER"), TypeOther},
    {packed("CELL"), TypeCell},   {packed("IPHONE"), TypeIPhone},     {packed("MAIN"), TypeMain},
    {packed("PAGER"), TypePager}, {packed("FAX"), TypeFax},           {packed("VOICE"), TypeVoice},
    {packed("PREF"), TypePref},   {packed("INTERNET"), TypeInternet},
};

unsigned flagOf(QByteArrayView type)
{
    const PackedWord word = packedUpper(type);
    for (const TypeName& known : typeNames) {
        if (word == known.word)
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
        const PackedWord name = packedUpper(param.name);
        if (name == packed("PREF")) {
            flags |= TypePref; // vCard 4.0 writes PREF as a parameter of its own
            continue;
        }
        if (!(name == packed("TYPE")))
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
