#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace Quillary {

/// One address found for a Japanese postal code: a residential town area or a business.
struct ZipAddress
{
    QString zip; ///< "100-0001"
    QString state; ///< the prefecture
    QString city;
    QString street; ///< the town area; for a business the town area and its street number
    QString phoneticCity; ///< residential records: the city in kana
    QString phoneticStreet; ///< residential records: the town area in kana
    QString company; ///< business records: the business's name
    QString phoneticCompany; ///< business records: the name in kana

    friend bool operator==(const ZipAddress&, const ZipAddress&) = default;
};

/// Japan's postal codes and the lookup of addresses by code, for the address editor. The table holds
/// at most two texts, the residential list ("K" lines) first and the business list ("J" lines) second,
/// one line per record with the record's quoted fields. The shipped table is built once per run by
/// zipdb(); other files can be read into a table of their own. Lookups are const and may run on any
/// thread at once.
class ZipDatabase
{
public:
    /// An empty table: every lookup finds nothing.
    ZipDatabase() = default;
    /// Reads gzip-compressed Shift-JIS lists in Japan Post's KEN_ALL.CSV and JIGYOSYO.CSV layouts. A file
    /// that is missing, unreadable or corrupt is logged and left out.
    ZipDatabase(const QString& residentialFile, const QString& businessFile);

    /// A table of lists already inflated, in the layouts above; a list without codes is left out.
    [[nodiscard]] static ZipDatabase fromLists(QByteArrayView residential, QByteArrayView business);

    /// The table built from the application's resources "ken_all.gzip" and "jigyosyo.gzip" on first use.
    [[nodiscard]] static const ZipDatabase& zipdb();

    /// The table texts, residential first.
    [[nodiscard]] const QStringList& texts() const { return m_texts; }

    /// The addresses whose code begins with the entered digits (3 to 7, a hyphen allowed after the
    /// third), in list order; business records only when no residential record matches.
    [[nodiscard]] QList<ZipAddress> addressesFromZip(const QString& zip) const;

    /// Addresses from table lines; empty lines and lines of an unknown kind give none.
    [[nodiscard]] static QList<ZipAddress> dictionariesFromFindLines(const QStringList& lines);
    /// For a text of 3 or more characters: without one leading and one trailing double quote, each
    /// when present. An empty quoted field ("") becomes empty.
    [[nodiscard]] static QString stripDoublequote(const QString& text);
    /// "1000001" → "100-0001": a hyphen after the third character. Shorter texts stay as they are.
    [[nodiscard]] static QString formatZIP(const QString& zip);
    /// Inflates gzip or zlib data. Empty input comes back empty; corrupt or truncated data gives an
    /// empty result and a logged error.
    [[nodiscard]] static QByteArray gzipInflate(QByteArrayView data);

private:
    // Where the line of one code lies in its text.
    struct CodeEntry
    {
        quint32 code;
        qsizetype lineStart;
        qsizetype lineLength;
    };
    using CodeIndex = std::vector<CodeEntry>;

    void appendFile(const QString& path, QChar kind);
    /// False when the list holds no postal code.
    bool appendList(QByteArrayView data, QChar kind);
    [[nodiscard]] QStringList findLines(qsizetype textIndex, quint32 first, quint32 last) const;

    QStringList m_texts;
    std::vector<CodeIndex> m_indexes; ///< one per text, ordered by code and then by position
};

} // namespace Quillary
