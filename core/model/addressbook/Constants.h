#pragma once

#include <QString>

// Stored forms of labels, service names and the properties of person records. Labels are kept in the
// "_$!<Word>!$_" form that address books exchange in vCard X-ABLabel lines, so a custom label written
// by one address book reads back unchanged in another.
namespace Quillary::AddressBook {

namespace Label {
inline const QString Home = QStringLiteral("_$!<Home>!$_");
inline const QString Work = QStringLiteral("_$!<Work>!$_");
inline const QString Other = QStringLiteral("_$!<Other>!$_");
inline const QString PhoneMain = QStringLiteral("_$!<Main>!$_");
inline const QString PhoneMobile = QStringLiteral("_$!<Mobile>!$_");
inline const QString PhoneiPhone = QStringLiteral("iPhone");
inline const QString PhonePager = QStringLiteral("_$!<Pager>!$_");
inline const QString PhoneHomeFAX = QStringLiteral("_$!<HomeFAX>!$_");
inline const QString PhoneWorkFAX = QStringLiteral("_$!<WorkFAX>!$_");
inline const QString HomePage = QStringLiteral("_$!<HomePage>!$_");
inline const QString Anniversary = QStringLiteral("_$!<Anniversary>!$_");
inline const QString Father = QStringLiteral("_$!<Father>!$_");
inline const QString Mother = QStringLiteral("_$!<Mother>!$_");
inline const QString Parent = QStringLiteral("_$!<Parent>!$_");
inline const QString Sister = QStringLiteral("_$!<Sister>!$_");
inline const QString Brother = QStringLiteral("_$!<Brother>!$_");
inline const QString Child = QStringLiteral("_$!<Child>!$_");
inline const QString Friend = QStringLiteral("_$!<Friend>!$_");
inline const QString Spouse = QStringLiteral("_$!<Spouse>!$_");
inline const QString Partner = QStringLiteral("_$!<Partner>!$_");
inline const QString Assistant = QStringLiteral("_$!<Assistant>!$_");
inline const QString Manager = QStringLiteral("_$!<Manager>!$_");
} // namespace Label

namespace SocialService {
inline const QString Facebook = QStringLiteral("facebook");
inline const QString Flickr = QStringLiteral("flickr");
inline const QString LinkedIn = QStringLiteral("linkedin");
inline const QString MySpace = QStringLiteral("myspace");
inline const QString Twitter = QStringLiteral("twitter");
inline const QString Yelp = QStringLiteral("yelp");
inline const QString SinaWeibo = QStringLiteral("sinaweibo");
inline const QString TencentWeibo = QStringLiteral("tencentweibo");
} // namespace SocialService

namespace InstantMessageService {
inline const QString AIM = QStringLiteral("AIM");
inline const QString Jabber = QStringLiteral("Jabber");
inline const QString MSN = QStringLiteral("MSN");
inline const QString Yahoo = QStringLiteral("Yahoo");
inline const QString ICQ = QStringLiteral("ICQ");
inline const QString QQ = QStringLiteral("QQ");
inline const QString Skype = QStringLiteral("Skype");
inline const QString GaduGadu = QStringLiteral("GaduGadu");
inline const QString GoogleTalk = QStringLiteral("GoogleTalk");
inline const QString Facebook = QStringLiteral("Facebook");
} // namespace InstantMessageService

/// Bits of the person flags property.
namespace PersonFlags {
constexpr int ShowAsMask = 7;
constexpr int ShowAsPerson = 0;
constexpr int ShowAsCompany = 1;
constexpr int NameOrderingMask = 56;
constexpr int DefaultNameOrdering = 0;
constexpr int FirstNameFirst = 32;
constexpr int LastNameFirst = 16;
} // namespace PersonFlags

/// Single-valued text properties of a person record.
enum class StringProperty : quint8 {
    FirstName,
    MiddleName,
    LastName,
    MaidenName,
    FirstNamePhonetic,
    MiddleNamePhonetic,
    LastNamePhonetic,
    Organization,
    Department,
    JobTitle,
    Nickname,
    Title,
    Suffix,
    Note,
};
constexpr int StringPropertyCount = int(StringProperty::Note) + 1;

/// Multi-valued properties of a person record.
enum class MultiProperty : quint8 {
    Phone,
    Email,
    Address,
    URLs,
    SocialProfile,
    InstantMessage,
    RelatedNames,
    OtherDates,
};
constexpr int MultiPropertyCount = int(MultiProperty::OtherDates) + 1;

} // namespace Quillary::AddressBook
