#include "EncodingAccessoryModel.h"

#include "support/CoreTr.h"

#include <QLocale>

namespace Quillary {

namespace {

// Languages whose users read the Western European encodings.
constexpr const char* westernLanguages[] = {"en", "de", "fr", "es", "it", "nl"};

// Western encodings nobody wants offered by default, though their names say "Western".
constexpr const char* excludedFromDefaults[] = {"Western (ASCII)", "Western (Mac Mail)", "Western (NextStep)",
                                                "Western (EBCDIC Latin Core)", "Western (EBCDIC Latin 1)"};

// The first two languages the user prefers. The system lists regional and bare forms of one
// language side by side ("en-US", "en", "ja-JP"), so languages are counted, not entries; tags that
// name no language ("C", "POSIX") are skipped, and without any language English is assumed.
QStringList preferredLanguageCodes(const QStringList& preferredLanguages)
{
    QStringList codes;
    for (const QString& tag : preferredLanguages) {
        const QString code = tag.section(u'-', 0, 0).section(u'_', 0, 0).toLower();
        const QLocale::Language language = QLocale::codeToLanguage(code);
        if (language == QLocale::AnyLanguage || language == QLocale::C || codes.contains(code))
            continue;
        codes.append(code);
        if (codes.size() == 2)
            break;
    }
    if (codes.isEmpty())
        codes.append(QStringLiteral("en"));
    return codes;
}

// The word that the names of a language's encodings contain: "Western" or the language's name.
// English like the untranslated encoding names, so both sides of the comparison are in one language.
QString encodingWord(const QString& languageCode)
{
    for (const char* western : westernLanguages) {
        if (languageCode == QLatin1StringView(western))
            return QStringLiteral("Western");
    }
    return QLocale::languageToString(QLocale::codeToLanguage(languageCode));
}

bool isExcludedFromDefaults(const char* englishName)
{
    for (const char* excluded : excludedFromDefaults) {
        if (qstrcmp(englishName, excluded) == 0)
            return true;
    }
    return false;
}

bool isSelectable(const EncodingMenuItem& item)
{
    return item.kind == EncodingMenuItem::Kind::Automatic || item.kind == EncodingMenuItem::Kind::Encoding;
}

} // namespace

EncodingAccessoryModel::EncodingAccessoryModel(const QStringList& storedEncodings,
                                               const QStringList& preferredLanguages, QObject* parent)
    : QObject(parent), m_preferredLanguages(preferredLanguages)
{
    initEncodings();
    loadEncodings(storedEncodings);
    setupEncodingPopup();
}

EncodingAccessoryModel::~EncodingAccessoryModel() = default;

QStringList EncodingAccessoryModel::systemPreferredLanguages()
{
    return QLocale::system().uiLanguages();
}

void EncodingAccessoryModel::initEncodings()
{
    m_encodingTable.clear();
    for (const TextEncodings::Encoding& encoding : TextEncodings::available())
        m_encodingTable.append({encoding.number, encoding.displayName(), false});
}

void EncodingAccessoryModel::loadEncodings(const QStringList& stored)
{
    if (stored.isEmpty()) {
        defaultEncodings();
        return;
    }
    const QList<TextEncodings::Encoding>& encodings = TextEncodings::available();
    for (qsizetype row = 0; row < m_encodingTable.size(); ++row) {
        EncodingTableEntry& entry = m_encodingTable[row];
        // The English name too, so a list stored under another user-interface language still counts.
        entry.checkBox = entry.nsEncoding == TextEncodings::Utf8 || stored.contains(entry.encodingName)
            || stored.contains(QLatin1StringView(encodings.at(row).englishName));
    }
}

void EncodingAccessoryModel::defaultEncodings()
{
    QStringList words;
    for (const QString& code : preferredLanguageCodes(m_preferredLanguages))
        words.append(encodingWord(code));
    const QList<TextEncodings::Encoding>& encodings = TextEncodings::available();
    for (qsizetype row = 0; row < m_encodingTable.size(); ++row) {
        const TextEncodings::Encoding& encoding = encodings.at(row);
        const QLatin1StringView name(encoding.englishName);
        bool ticked = encoding.number == TextEncodings::Utf8 || encoding.number == TextEncodings::Utf16BigEndian;
        for (const QString& word : words)
            ticked = ticked || (!word.isEmpty() && name.contains(word));
        m_encodingTable[row].checkBox = ticked && !isExcludedFromDefaults(encoding.englishName);
    }
}

void EncodingAccessoryModel::setupEncodingPopup()
{
    m_items.clear();
    for (const EncodingTableEntry& entry : std::as_const(m_encodingTable)) {
        if (entry.nsEncoding == TextEncodings::Utf8)
            m_utf8LocalizedName = entry.encodingName;
        else if (entry.nsEncoding == TextEncodings::Utf16BigEndian)
            m_utf16LocalizedName = entry.encodingName;
        if (entry.checkBox)
            m_items.append({EncodingMenuItem::Kind::Encoding, entry.encodingName, entry.nsEncoding});
    }
    if (m_accessoryType == 1)
        m_items.prepend({EncodingMenuItem::Kind::Automatic, Tr::tr("Automatic"), TextEncodings::Automatic});
    m_items.append({EncodingMenuItem::Kind::Separator, QString(), TextEncodings::Automatic});
    m_items.append({EncodingMenuItem::Kind::Customize, Tr::tr("Customize Encoding List…"), TextEncodings::Automatic});
    Q_EMIT itemsChanged();
    resetMenu();
}

void EncodingAccessoryModel::setEncodingOnly()
{
    m_accessoryType = 1;
    setupEncodingPopup();
}

quint32 EncodingAccessoryModel::encodingType()
{
    const bool encodingSelected =
        m_currentIndex >= 0 && m_items.at(m_currentIndex).kind == EncodingMenuItem::Kind::Encoding;
    m_encoding = encodingSelected ? m_items.at(m_currentIndex).encoding : TextEncodings::Automatic;
    return m_encoding;
}

QByteArray EncodingAccessoryModel::encodingNameForReading()
{
    const quint32 number = encodingType();
    const TextEncodings::Encoding* known = TextEncodings::byNumber(number);
    return number == TextEncodings::Automatic || !known ? QByteArray("auto") : known->icuName;
}

QString EncodingAccessoryModel::encodingTypeName() const
{
    return m_currentIndex >= 0 ? m_items.at(m_currentIndex).title : QString();
}

void EncodingAccessoryModel::resetMenu()
{
    if (m_accessoryType == 1) {
        setCurrentIndex(0);
        return;
    }
    const int utf8 = indexOfEncoding(TextEncodings::Utf8);
    if (utf8 >= 0)
        setCurrentIndex(utf8);
    else
        selectFirstItem();
}

bool EncodingAccessoryModel::selectItem(int index)
{
    if (index < 0 || index >= m_items.size() || !isSelectable(m_items.at(index)))
        return false;
    setCurrentIndex(index);
    return true;
}

void EncodingAccessoryModel::setChecked(int row, bool checked)
{
    if (row < 0 || row >= m_encodingTable.size() || m_encodingTable.at(row).checkBox == checked)
        return;
    EncodingTableEntry& entry = m_encodingTable[row];
    entry.checkBox = checked;
    Q_EMIT checkBoxChanged(row);
    if (checked) {
        const int top = m_accessoryType == 1 ? 1 : 0;
        m_items.insert(top, {EncodingMenuItem::Kind::Encoding, entry.encodingName, entry.nsEncoding});
        Q_EMIT itemsChanged();
        setCurrentIndex(top);
        return;
    }
    const int index = indexOfEncoding(entry.nsEncoding);
    if (index >= 0)
        m_items.removeAt(index);
    Q_EMIT itemsChanged();
    selectFirstItem();
}

void EncodingAccessoryModel::selectAll()
{
    setAllChecked(true);
}

void EncodingAccessoryModel::clearAll()
{
    setAllChecked(false);
}

void EncodingAccessoryModel::revert()
{
    defaultEncodings();
    Q_EMIT encodingTableReset();
    setupEncodingPopup();
}

QStringList EncodingAccessoryModel::checkedEncodingNames() const
{
    QStringList names;
    for (const EncodingTableEntry& entry : m_encodingTable) {
        if (entry.checkBox)
            names.append(entry.encodingName);
    }
    return names;
}

void EncodingAccessoryModel::saveEncodings()
{
    Q_EMIT encodingsSaved(checkedEncodingNames());
}

void EncodingAccessoryModel::setAllChecked(bool checked)
{
    for (EncodingTableEntry& entry : m_encodingTable)
        entry.checkBox = checked;
    Q_EMIT encodingTableReset();
    setupEncodingPopup();
}

void EncodingAccessoryModel::setCurrentIndex(int index)
{
    m_currentIndex = index;
    Q_EMIT currentIndexChanged(index);
}

void EncodingAccessoryModel::selectFirstItem()
{
    setCurrentIndex(!m_items.isEmpty() && isSelectable(m_items.first()) ? 0 : -1);
}

int EncodingAccessoryModel::indexOfEncoding(quint32 encoding) const
{
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items.at(i).kind == EncodingMenuItem::Kind::Encoding && m_items.at(i).encoding == encoding)
            return i;
    }
    return -1;
}

} // namespace Quillary
