#include "KeptLines.h"

#include <QHash>

#include <cstring>

namespace Quillary::AddressBook {

KeptLines::KeptLines(QByteArrayView lines, const QString& formattedName, const QString& composedName)
{
    if (lines.isEmpty() && formattedName.isEmpty())
        return;
    const QByteArray name = formattedName.toUtf8();
    const Header header{formattedName.isEmpty() ? 0 : qHash(composedName, 0), quint32(name.size())};
    m_data.reserve(qsizetype(sizeof header) + name.size() + lines.size());
    m_data.append(reinterpret_cast<const char*>(&header), sizeof header);
    m_data.append(name);
    m_data.append(lines);
}

KeptLines::Header KeptLines::header() const
{
    Header result{0, 0};
    if (m_data.size() >= qsizetype(sizeof result))
        std::memcpy(&result, m_data.constData(), sizeof result);
    return result;
}

QByteArrayView KeptLines::lines() const
{
    if (m_data.isEmpty())
        return {};
    return QByteArrayView(m_data).sliced(qsizetype(sizeof(Header)) + header().formattedNameSize);
}

QString KeptLines::formattedNameFor(const QString& composedName) const
{
    const Header kept = header();
    if (kept.formattedNameSize == 0 || qHash(composedName, 0) != kept.composedNameHash)
        return {};
    return QString::fromUtf8(m_data.constData() + sizeof(Header), kept.formattedNameSize);
}

} // namespace Quillary::AddressBook
