#include "VCardLabels_p.h"

namespace Quillary::AddressBook::VCard {

namespace {

struct TypeName
{
    const char* name;
    TypeFlag flag;
};

constexpr TypeName typeNames[] = {
    {"HOME", TypeHome},   {"WORK", TypeWork},   {"OTHER", TypeOther},     {"CELL", TypeCell},
    {"IPHONE", TypeIPhone}, {"MAIN", TypeMain}, {"PAGER", TypePager},     {"FAX", TypeFax},
    {"VOICE", TypeVoice}, {"PREF", TypePref},   {"INTERNET", TypeInternet},
};

} // namespace

unsigned typeFlags(const ContentLine& line)
{
    unsigned flags = 0;
    for (const QByteArrayView type : line.types()) {
        for (const TypeName& known : typeNames) {
            if (equalsUpper(type, QByteArrayView(known.name))) {
                flags |= known.flag;
                break;
            }
        }
    }
    // vCard 4.0 writes PREF as a parameter of its own.
    if (!line.param("PREF").isNull())
        flags |= TypePref;
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

QList<const char*> typesForLabel(const QString& label, bool phone)
{
    if (label == Label::Home)
        return phone ? QList<const char*>{"HOME", "VOICE"} : QList<const char*>{"HOME"};
    if (label == Label::Work)
        return phone ? QList<const char*>{"WORK", "VOICE"} : QList<const char*>{"WORK"};
    if (label == Label::Other)
        return phone ? QList<const char*>{"OTHER", "VOICE"} : QList<const char*>{"OTHER"};
    if (!phone)
        return {};
    if (label == Label::PhoneMobile)
        return {"CELL", "VOICE"};
    if (label == Label::PhoneiPhone)
        return {"IPHONE", "CELL", "VOICE"};
    if (label == Label::PhoneMain)
        return {"MAIN"};
    if (label == Label::PhonePager)
        return {"PAGER"};
    if (label == Label::PhoneHomeFAX)
        return {"HOME", "FAX"};
    if (label == Label::PhoneWorkFAX)
        return {"WORK", "FAX"};
    return {};
}

} // namespace Quillary::AddressBook::VCard
