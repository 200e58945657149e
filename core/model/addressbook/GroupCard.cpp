#include "GroupCard.h"

#include "VCardCodec.h"
#include "VCardValues_p.h"

namespace Quillary::AddressBook::GroupCard {

using namespace VCard;

namespace {

const QString UuidPrefix = QStringLiteral("urn:uuid:");

QString memberId(const QString& value)
{
    const QString trimmed = value.trimmed();
    return trimmed.startsWith(UuidPrefix, Qt::CaseInsensitive) ? trimmed.mid(UuidPrefix.size()) : trimmed;
}

/// The property name of a raw content line, without its group ("item1.").
QByteArrayView propertyName(QByteArrayView line)
{
    qsizetype end = 0;
    while (end < line.size() && line[end] != ':' && line[end] != ';')
        ++end;
    QByteArrayView name = line.first(end);
    if (const qsizetype dot = name.lastIndexOf('.'); dot >= 0)
        name = name.sliced(dot + 1);
    return name.trimmed();
}

/// Properties that the written card states itself; every other line of the old card is kept.
bool isWrittenProperty(QByteArrayView name)
{
    for (const char* written : {"BEGIN", "END", "VERSION", "FN", "N", "UID", "KIND", "X-ADDRESSBOOKSERVER-KIND",
                                "MEMBER", "X-ADDRESSBOOKSERVER-MEMBER"}) {
        if (equalsUpper(name, QByteArrayView(written)))
            return true;
    }
    return false;
}

/// The kept lines of the old card, each with its folding as it was, joined with CR LF.
QByteArray keptLines(QByteArrayView previous)
{
    QByteArray kept;
    QByteArray logical;
    const auto flush = [&] {
        if (!logical.isEmpty() && !isWrittenProperty(propertyName(logical)))
            kept.append(logical);
        logical.clear();
    };
    for (QByteArrayView line : previous.toByteArray().split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty() && (line.front() == ' ' || line.front() == '\t')) {
            if (!logical.isEmpty())
                logical.append(line).append("\r\n");
            continue;
        }
        flush();
        if (!line.trimmed().isEmpty())
            logical.append(line).append("\r\n");
    }
    flush();
    return kept;
}

void appendTextLine(QByteArray& out, QByteArrayView name, const QString& value)
{
    QByteArray line(name.data(), name.size());
    line.append(':');
    appendEscaped(line, value);
    VCardCodec::appendFolded(out, line);
}

} // namespace

bool mayBeGroupCard(QByteArrayView card)
{
    // Property names may be written in any case; "KIND" is looked for from each "K" or "k".
    const char* data = card.data();
    for (qsizetype at = 0; at + 4 <= card.size(); ++at) {
        const char c = data[at];
        if ((c == 'K' || c == 'k') && equalsUpper(card.sliced(at, 4), "KIND"))
            return true;
    }
    return false;
}

std::optional<Group> read(QByteArrayView card)
{
    Tokenizer tokenizer(card);
    ContentLine line;
    Version version = Version::V30;
    bool isGroup = false;
    QString formattedName, name, uid;
    QStringList members;
    while (tokenizer.next(line)) {
        if (line.nameIs("END"))
            break;
        if (line.nameIs("VERSION"))
            version = line.value.trimmed().startsWith("4.") ? Version::V40 : Version::V30;
        else if (line.nameIs("X-ADDRESSBOOKSERVER-KIND") || line.nameIs("KIND"))
            isGroup = text(line, version).trimmed().compare(u"group", Qt::CaseInsensitive) == 0;
        else if (line.nameIs("FN"))
            formattedName = text(line, version).trimmed();
        else if (line.nameIs("N"))
            name = components(escapedText(line), version).text(0);
        else if (line.nameIs("UID"))
            uid = memberId(text(line, version));
        else if (line.nameIs("X-ADDRESSBOOKSERVER-MEMBER") || line.nameIs("MEMBER"))
            members.append(memberId(text(line, version)));
    }
    if (!isGroup)
        return std::nullopt;
    Group group(uid.isEmpty() ? newUniqueId() : uid);
    group.setName(formattedName.isEmpty() ? name : formattedName);
    for (const QString& member : std::as_const(members)) {
        if (!member.isEmpty())
            group.addMember(member);
    }
    return group;
}

QByteArray write(const Group& group, QByteArrayView previous)
{
    QByteArray out("BEGIN:VCARD\r\nVERSION:3.0\r\n");
    appendTextLine(out, "N", group.name());
    appendTextLine(out, "FN", group.name());
    out.append("X-ADDRESSBOOKSERVER-KIND:group\r\n");
    out.append(keptLines(previous));
    for (const QString& member : group.memberIds())
        VCardCodec::appendFolded(out, QByteArray("X-ADDRESSBOOKSERVER-MEMBER:urn:uuid:" + member.toUtf8()));
    appendTextLine(out, "UID", group.uniqueId());
    out.append("END:VCARD\r\n");
    return out;
}

} // namespace Quillary::AddressBook::GroupCard
