#include "ZipDatabase.h"

#include "support/Charset.h"
#include "support/DataFiles.h"

#include <QFile>
#include <QLoggingCategory>

#include <zlib.h>

#include <algorithm>
#include <limits>
#include <optional>

Q_LOGGING_CATEGORY(lcZipDatabase, "quillary.core.editors")

namespace Quillary {

namespace {

constexpr int CodeDigits = 7;

// Which source fields a table line keeps, and which of them is the postal code.
struct Layout
{
    char16_t kind;
    int firstField;
    int lastField;
    int codeField;
};

constexpr Layout ResidentialLayout{u'K', 2, 8, 2};
constexpr Layout BusinessLayout{u'J', 1, 7, 7};

// The number a run of ASCII digits writes; none when another character is among them.
std::optional<quint32> digitsValue(QStringView digits)
{
    quint32 value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + quint32(c.unicode() - u'0');
    }
    return value;
}

// The code of a table field holding seven digits, quoted or not.
std::optional<quint32> parseCode(QStringView field)
{
    if (field.size() == CodeDigits + 2 && field.front() == u'"' && field.back() == u'"')
        field = field.sliced(1, CodeDigits);
    if (field.size() != CodeDigits)
        return std::nullopt;
    return digitsValue(field);
}

// The codes an entered prefix of 3 to 7 digits stands for, as the half-open range [first, last).
std::optional<std::pair<quint32, quint32>> codeRange(QStringView digits)
{
    if (digits.size() < 3 || digits.size() > CodeDigits)
        return std::nullopt;
    const std::optional<quint32> prefix = digitsValue(digits);
    if (!prefix)
        return std::nullopt;
    quint32 scale = 1;
    for (qsizetype i = digits.size(); i < CodeDigits; ++i)
        scale *= 10;
    return std::pair{*prefix * scale, (*prefix + 1) * scale};
}

// Splits a source line at "," as far as the last field the layout keeps; false when it has fewer fields.
bool splitFields(QByteArrayView line, const Layout& layout, QByteArrayView* fields)
{
    qsizetype from = 0;
    for (int count = 0; count <= layout.lastField; ++count) {
        const qsizetype comma = line.indexOf(',', from);
        if (comma < 0) {
            fields[count] = line.sliced(from);
            return count == layout.lastField;
        }
        fields[count] = line.sliced(from, comma - from);
        from = comma + 1;
    }
    return true;
}

// Turns the source list into table lines: per record the kind letter and the kept fields, each followed
// by ",", and a line break. Lines with too few fields are not records and are left out. This works on
// the Shift-JIS bytes, whose two-byte characters never contain the bytes of ",", CR or LF, so that only
// the kept fields need decoding.
QByteArray tableBytes(QByteArrayView source, const Layout& layout)
{
    QByteArray table;
    table.reserve(source.size());
    QByteArrayView fields[16];
    for (qsizetype pos = 0; pos < source.size();) {
        qsizetype end = source.indexOf('\n', pos);
        if (end < 0)
            end = source.size();
        QByteArrayView line = source.sliced(pos, end - pos);
        pos = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (!splitFields(line, layout, fields))
            continue;
        table.append(char(layout.kind)).append(',');
        for (int i = layout.firstField; i <= layout.lastField; ++i)
            table.append(fields[i]).append(',');
        table.append('\n');
    }
    return table;
}

// The code field of a table line: the first field after the kind letter, or the last one.
QStringView codeField(QStringView line, const Layout& layout)
{
    if (line.size() < 4)
        return {};
    if (layout.codeField == layout.firstField) {
        const qsizetype comma = line.indexOf(u',', 2);
        return comma < 0 ? QStringView() : line.sliced(2, comma - 2);
    }
    const qsizetype comma = line.lastIndexOf(u',', line.size() - 2);
    return comma < 0 ? QStringView() : line.sliced(comma + 1, line.size() - comma - 2);
}

// Where the line of each 7-digit code lies in the table text, in text order.
template <typename Index> void indexLines(QStringView text, const Layout& layout, Index& index)
{
    for (qsizetype pos = 0; pos < text.size();) {
        qsizetype end = text.indexOf(u'\n', pos);
        if (end < 0)
            end = text.size();
        if (const std::optional<quint32> code = parseCode(codeField(text.sliced(pos, end - pos), layout)))
            index.push_back({*code, pos, end - pos});
        pos = end + 1;
    }
}

QString field(const QList<QStringView>& fields, qsizetype i)
{
    return i < fields.size() ? ZipDatabase::stripDoublequote(fields.at(i).toString()) : QString();
}

ZipAddress residentialAddress(const QList<QStringView>& fields)
{
    ZipAddress address;
    address.zip = ZipDatabase::formatZIP(field(fields, 1));
    address.state = field(fields, 5);
    address.city = field(fields, 6);
    address.street = field(fields, 7);
    address.phoneticCity = field(fields, 3);
    address.phoneticStreet = field(fields, 4);
    return address;
}

ZipAddress businessAddress(const QList<QStringView>& fields)
{
    ZipAddress address;
    address.phoneticCompany = field(fields, 1);
    address.company = field(fields, 2);
    address.state = field(fields, 3);
    address.city = field(fields, 4);
    address.street = field(fields, 5) + field(fields, 6);
    address.zip = ZipDatabase::formatZIP(field(fields, 7));
    return address;
}

} // namespace

ZipDatabase::ZipDatabase(const QString& residentialFile, const QString& businessFile)
{
    appendFile(residentialFile, QChar(ResidentialLayout.kind));
    appendFile(businessFile, QChar(BusinessLayout.kind));
}

const ZipDatabase& ZipDatabase::zipdb()
{
    // A function-local static is built once, and other threads asking meanwhile wait for it.
    static const ZipDatabase shared(DataFiles::locate(QStringLiteral("ken_all.gzip")),
                                    DataFiles::locate(QStringLiteral("jigyosyo.gzip")));
    return shared;
}

void ZipDatabase::appendFile(const QString& path, QChar kind)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcZipDatabase).noquote() << "ERROR zipdb" << path << file.errorString();
        return;
    }
    const QByteArray data = gzipInflate(file.readAll());
    const Layout& layout = kind == QChar(ResidentialLayout.kind) ? ResidentialLayout : BusinessLayout;
    QString text = Charset::decode(tableBytes(data, layout), "windows-31j");
    text.squeeze();
    CodeIndex index;
    indexLines(text, layout, index);
    if (index.empty()) {
        qCWarning(lcZipDatabase).noquote() << "ERROR zipdb" << path << "holds no postal codes";
        return;
    }
    // Lines were indexed in text order, so a stable sort keeps a code's lines in list order.
    std::stable_sort(index.begin(), index.end(),
                     [](const CodeEntry& a, const CodeEntry& b) { return a.code < b.code; });
    m_texts.append(std::move(text));
    m_indexes.push_back(std::move(index));
}

QList<ZipAddress> ZipDatabase::addressesFromZip(const QString& zip) const
{
    QString digits = zip;
    if (digits.size() >= 4 && digits.at(3) == u'-')
        digits.remove(3, 1);
    const auto range = codeRange(digits);
    if (!range)
        return {};
    // The business list is consulted only when no residential record has the code.
    for (qsizetype i = 0; i < m_texts.size(); ++i) {
        const QStringList lines = findLines(i, range->first, range->second);
        if (!lines.isEmpty())
            return dictionariesFromFindLines(lines);
    }
    return {};
}

QStringList ZipDatabase::findLines(qsizetype textIndex, quint32 first, quint32 last) const
{
    const CodeIndex& index = m_indexes[size_t(textIndex)];
    const auto byCode = [](const CodeEntry& entry, quint32 code) { return entry.code < code; };
    const auto begin = std::lower_bound(index.begin(), index.end(), first, byCode);
    const auto end = std::lower_bound(begin, index.end(), last, byCode);
    // A prefix spans several codes; their lines are reported in list order, as a scan would meet them.
    CodeIndex found(begin, end);
    std::sort(found.begin(), found.end(),
              [](const CodeEntry& a, const CodeEntry& b) { return a.lineStart < b.lineStart; });
    const QStringView text = m_texts.at(textIndex);
    QStringList lines;
    lines.reserve(qsizetype(found.size()));
    for (const CodeEntry& entry : found)
        lines.append(text.sliced(entry.lineStart, entry.lineLength).toString());
    return lines;
}

QList<ZipAddress> ZipDatabase::dictionariesFromFindLines(const QStringList& lines)
{
    QList<ZipAddress> addresses;
    addresses.reserve(lines.size());
    for (const QString& line : lines) {
        QStringView view(line);
        while (view.endsWith(u'\n') || view.endsWith(u'\r'))
            view.chop(1);
        if (view.isEmpty())
            continue;
        const QList<QStringView> fields = view.split(u',');
        if (fields.first() == u"K")
            addresses.append(residentialAddress(fields));
        else if (fields.first() == u"J")
            addresses.append(businessAddress(fields));
    }
    return addresses;
}

QString ZipDatabase::stripDoublequote(const QString& text)
{
    if (text.size() < 3)
        return text == u"\"\"" ? QString() : text;
    QStringView view(text);
    if (view.startsWith(u'"'))
        view = view.sliced(1);
    if (view.endsWith(u'"'))
        view.chop(1);
    return view.toString();
}

QString ZipDatabase::formatZIP(const QString& zip)
{
    if (zip.size() < 3)
        return zip;
    return zip.left(3) + u'-' + zip.mid(3);
}

QByteArray ZipDatabase::gzipInflate(QByteArrayView data)
{
    if (data.isEmpty())
        return {};
    if (data.size() > qsizetype(std::numeric_limits<uInt>::max())) {
        qCWarning(lcZipDatabase) << "ERROR gzipInflate: input too large";
        return {};
    }
    z_stream stream{};
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = uInt(data.size());
    // 15 window bits plus 32: the largest window, with a gzip or zlib header recognised by itself.
    if (inflateInit2_(&stream, 15 + 32, ZLIB_VERSION, int(sizeof(z_stream))) != Z_OK) {
        qCWarning(lcZipDatabase) << "ERROR gzipInflate: cannot start zlib";
        return {};
    }
    QByteArray output(data.size() + data.size() / 2, Qt::Uninitialized);
    qsizetype produced = 0;
    int status = Z_OK;
    for (;;) {
        // Growing by half the current size keeps the copying linear in the output for any ratio.
        if (produced == output.size())
            output.resize(output.size() + std::max(data.size() / 2, output.size() / 2));
        const uInt room = uInt(std::min<qsizetype>(output.size() - produced, std::numeric_limits<uInt>::max()));
        stream.next_out = reinterpret_cast<Bytef*>(output.data() + produced);
        stream.avail_out = room;
        status = inflate(&stream, Z_SYNC_FLUSH);
        produced += room - stream.avail_out;
        // Z_BUF_ERROR with room left means the input ended before the stream did.
        if (status != Z_OK && !(status == Z_BUF_ERROR && stream.avail_out == 0))
            break;
    }
    const char* message = stream.msg;
    const int endStatus = inflateEnd(&stream);
    if (status != Z_STREAM_END || endStatus != Z_OK) {
        qCWarning(lcZipDatabase).noquote() << "ERROR gzipInflate:"
                                           << (message                     ? message
                                                   : status == Z_BUF_ERROR ? "truncated data"
                                                                           : "corrupt data");
        return {};
    }
    output.truncate(produced);
    return output;
}

} // namespace Quillary
