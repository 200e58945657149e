#include "AddressFormats.h"

#include "support/DataFiles.h"
#include "support/UnsharedText.h"

#include <QFile>
#include <QJsonDocument>
#include <QLocale>
#include <QLoggingCategory>
#include <QMutex>
#include <QRegularExpression>
#include <QVarLengthArray>

#include <unicode/uloc.h>

#include <algorithm>
#include <atomic>
#include <memory>

Q_LOGGING_CATEGORY(lcAddressFormats, "quillary.core.model.addressformats")

namespace Quillary {

namespace {

struct Tables
{
    QList<AddressFormatEntry> table;
    QHash<QString, AddressFormatEntry> dict;
    // Prediction looks up every address read from a file: indexes by each matched text, first entry wins.
    QHash<QString, QString> codeByCountry;
    QHash<QString, QString> codeByCode;
    QHash<QString, QString> codeByAlpha3;
    QHash<QString, QString> codeByLocalizedCountry;

    void index()
    {
        codeByCountry.clear();
        codeByCode.clear();
        codeByAlpha3.clear();
        codeByLocalizedCountry.clear();
        for (auto it = table.crbegin(); it != table.crend(); ++it) {
            codeByCountry.insert(it->country, it->countryCode);
            codeByCode.insert(it->countryCode, it->countryCode);
            codeByAlpha3.insert(it->alpha3, it->countryCode);
            if (!it->localizedCountry.isEmpty())
                codeByLocalizedCountry.insert(it->localizedCountry, it->countryCode);
        }
    }
};

const QStringList& fallbackOrder()
{
    static const QStringList order{QStringLiteral("Street"), QStringLiteral("City"), QStringLiteral("State"),
                                   QStringLiteral("ZIP"), QStringLiteral("Country")};
    return order;
}

QString predict(const Tables& tables, const QString& text)
{
    for (const QHash<QString, QString>* index : {&tables.codeByCountry, &tables.codeByCode, &tables.codeByAlpha3}) {
        if (const auto it = index->constFind(text); it != index->constEnd())
            return *it;
    }
    if (text == u"日本")
        return QStringLiteral("JP");
    if (text.compare(u"française", Qt::CaseInsensitive) == 0)
        return QStringLiteral("FR");
    return tables.codeByLocalizedCountry.value(text);
}

/// The code of a country's name, or of a code typed in lower case ("jp", "deu"). The name as written
/// comes first, since upper-casing it alone would never match a table name such as "Japan". A file
/// names the same few countries again and again: each thread remembers what it found for them.
QString predictedCode(const std::shared_ptr<const Tables>& tables, const QString& country)
{
    constexpr qsizetype MemoLimit = 1024;
    // The memo holds on to its tables, so that new tables can never take their address.
    thread_local std::shared_ptr<const Tables> memoTables;
    thread_local QHash<QString, QString> memo;
    if (memoTables != tables || memo.size() >= MemoLimit) {
        memo.clear();
        memoTables = tables;
    }
    if (const auto it = memo.constFind(country); it != memo.constEnd())
        return *it;
    QString code = predict(*tables, country);
    if (code.isEmpty())
        code = predict(*tables, country.toUpper());
    // A copy of the thread's own, so that using it never touches a count other threads share.
    code = unsharedCopy(code);
    memo.insert(country, code);
    return code;
}

/// The code an address is laid out by: its own, else the one its country's name predicts (kept in
/// `predicted`), else the default. Nothing is copied: these strings are shared by every thread.
const QString& resolvedCode(const std::shared_ptr<const Tables>& tables, const QString& countryCode,
                            const QString& country, const QString& defaultCountryCode, QString& predicted)
{
    if (!countryCode.isEmpty())
        return countryCode;
    if (!country.isEmpty()) {
        predicted = predictedCode(tables, country);
        if (!predicted.isEmpty())
            return predicted;
    }
    return defaultCountryCode;
}

/// The order of the parts of an address laid out by a code.
const QStringList& orderOf(const Tables& tables, const QString& code)
{
    // Codes are short and mostly ASCII ("us", "jp"): upper-cased on the stack and looked up without
    // a string of their own.
    char16_t upper[8];
    const bool shortAscii = code.size() <= qsizetype(std::size(upper))
        && std::all_of(code.cbegin(), code.cend(), [](QChar c) { return c.unicode() < 0x80; });
    QString key;
    if (shortAscii) {
        std::transform(code.cbegin(), code.cend(), upper, [](QChar c) {
            const char16_t unit = c.unicode();
            return unit >= u'a' && unit <= u'z' ? char16_t(unit - u'a' + u'A') : unit;
        });
        key = QString::fromRawData(reinterpret_cast<const QChar*>(upper), code.size());
    } else {
        key = code.toUpper();
    }
    const auto it = tables.dict.constFind(key);
    return it != tables.dict.constEnd() && !it->order.isEmpty() ? it->order : fallbackOrder();
}

QString localizedCountryName(const QString& code, const QString& language)
{
    if (language == u"en")
        return {};
    const QByteArray localeName = (language + u'_' + QLocale::territoryToCode(QLocale().territory())).toLatin1();
    const QByteArray country = ("und_" + code).toLatin1();
    UChar buffer[128];
    UErrorCode error = U_ZERO_ERROR;
    const int32_t length = uloc_getDisplayCountry(country.constData(), localeName.constData(), buffer, 128, &error);
    if (U_FAILURE(error) || length <= 0)
        return {};
    return QString(reinterpret_cast<const QChar*>(buffer), length);
}

AddressFormatEntry prepare(const QJsonObject& object, const QString& language)
{
    AddressFormatEntry entry;
    entry.fields = object;
    entry.countryCode = object.value(u"CountryCode").toString();
    entry.formatString = object.value(u"formatString").toString();
    entry.country = object.value(u"Country").toString();
    entry.alpha3 = object.value(u"Alpha3").toString();
    QString format = entry.formatString;
    format.remove(QChar(0x200E));
    static const QRegularExpression whiteSpace(QStringLiteral("\\s+"));
    entry.order = format.split(whiteSpace, Qt::SkipEmptyParts);
    entry.localizedCountry = localizedCountryName(entry.countryCode, language);
    if (!entry.localizedCountry.isEmpty()) {
        entry.fields.insert(QStringLiteral("LocalizedCountry"), entry.localizedCountry);
        entry.fields.insert(QStringLiteral("Country.") + language, entry.localizedCountry);
    }
    return entry;
}

std::shared_ptr<const Tables> load(const QByteArray& json)
{
    auto tables = std::make_shared<Tables>();
    const QJsonDocument document = QJsonDocument::fromJson(json);
    const QString language = AddressFormats::userLanguage();
    for (const QJsonValue value : document.object().value(u"AddressFormat").toArray()) {
        AddressFormatEntry entry = prepare(value.toObject(), language);
        tables->dict.insert(entry.countryCode.toUpper(), entry);
        tables->table.append(std::move(entry));
    }
    tables->index();
    return tables;
}

std::shared_ptr<const Tables> loadResource()
{
    QFile file(DataFiles::locate(QStringLiteral("AddressFormat.json")));
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcAddressFormats) << "ERROR address formats: the table is missing";
        return std::make_shared<Tables>();
    }
    return load(file.readAll());
}

QMutex tablesMutex;

std::shared_ptr<const Tables>& storedTables()
{
    static std::shared_ptr<const Tables> tables = loadResource();
    return tables;
}

std::atomic<int> tablesGeneration{0};

/// The tables in use. Every address read asks for them, on several threads at once: each thread
/// keeps its own reference and takes the lock only after the tables were replaced.
const std::shared_ptr<const Tables>& current()
{
    thread_local int generation = -1;
    thread_local std::shared_ptr<const Tables> tables;
    const int latest = tablesGeneration.load(std::memory_order_acquire);
    if (generation != latest) {
        QMutexLocker locker(&tablesMutex);
        tables = storedTables();
        generation = tablesGeneration.load(std::memory_order_relaxed);
    }
    return tables;
}

void replace(std::shared_ptr<const Tables> tables)
{
    QMutexLocker locker(&tablesMutex);
    storedTables() = std::move(tables);
    tablesGeneration.fetch_add(1, std::memory_order_release);
}

} // namespace

QString AddressFormats::userLanguage()
{
    const QStringList languages = QLocale::system().uiLanguages();
    if (languages.isEmpty())
        return QStringLiteral("US");
    if (languages.first() == u"C")
        return QStringLiteral("en");
    return languages.first().left(2);
}

QList<AddressFormatEntry> AddressFormats::addressFormatTable()
{
    return current()->table;
}

QHash<QString, AddressFormatEntry> AddressFormats::addressFormatDict()
{
    return current()->dict;
}

void AddressFormats::setAddressFormatDict(const QHash<QString, AddressFormatEntry>& dict)
{
    auto tables = std::make_shared<Tables>(*current());
    tables->dict = dict;
    replace(std::move(tables));
}

void AddressFormats::setAddressFormatTable(const QJsonArray& entries)
{
    auto tables = std::make_shared<Tables>(*current());
    QStringList codesBefore;
    for (const AddressFormatEntry& entry : tables->table)
        codesBefore.append(entry.countryCode.toUpper());
    const QString language = userLanguage();
    for (const QJsonValue value : entries) {
        AddressFormatEntry entry = prepare(value.toObject(), language);
        tables->dict.insert(entry.countryCode.toUpper(), entry);
        if (const qsizetype at = codesBefore.indexOf(entry.countryCode.toUpper()); at >= 0)
            tables->table[at] = entry;
    }
    tables->index();
    replace(std::move(tables));
}

bool AddressFormats::loadFromJson(const QByteArray& json)
{
    QJsonParseError error;
    QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return false;
    replace(load(json));
    return true;
}

QString AddressFormats::predictCountryCode(const QString& text)
{
    return predict(*current(), text);
}

QStringList AddressFormats::addressFormatsOrder(const QString& countryCode, const QString& country,
                                                const QString& defaultCountryCode)
{
    const auto tables = current();
    QString predicted;
    const QString& code = resolvedCode(tables, countryCode, country, defaultCountryCode, predicted);
    return QStringList{code} + orderOf(*tables, code);
}

QString AddressFormats::addressText(const PostalAddress& address, const QString& defaultCountryCode)
{
    // The non-empty parts in their country's order, joined by spaces into a string of their exact size.
    QVarLengthArray<const QString*, 8> parts;
    qsizetype length = -1;
    const auto add = [&](const QString& part) {
        if (!part.isEmpty()) {
            parts.append(&part);
            length += part.size() + 1;
        }
    };
    if (address.countryCode().compare(u"JP", Qt::CaseInsensitive) == 0) {
        for (const QString* part :
             {&address.zip(), &address.state(), &address.city(), &address.street(), &address.country()})
            add(*part);
    } else {
        const std::shared_ptr<const Tables>& tables = current();
        QString predicted;
        const QStringList& order = orderOf(
            *tables, resolvedCode(tables, address.countryCode(), address.country(), defaultCountryCode, predicted));
        for (const QString& word : order)
            add(address.part(word));
    }
    if (parts.isEmpty())
        return {};
    if (parts.size() == 1)
        return *parts.first(); // shared: an address of one part costs no text of its own
    QString text(length, Qt::Uninitialized);
    QChar* to = text.data();
    for (const QString* part : parts) {
        if (to != text.data())
            *to++ = u' ';
        to = std::copy(part->cbegin(), part->cend(), to);
    }
    return text;
}

} // namespace Quillary
