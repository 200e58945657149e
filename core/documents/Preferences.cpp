#include "Preferences.h"

#include "model/FieldIdentifiers.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMetaType>
#include <QPointer>
#include <QSettings>
#include <algorithm>
#include <cmath>

#ifndef QUILLARY_VERSION
#define QUILLARY_VERSION "0"
#endif

namespace Quillary {

namespace {

using Key = Preferences::Key;

struct KeyEntry
{
    Key key;
    QLatin1StringView name;
    QVariant defaultValue; ///< invalid where the user of the key computes its default
};

// Every key of the store with its default, in the order of the Key enumeration.
const QList<KeyEntry>& keyTable()
{
    static const QList<KeyEntry> table = {
        {Key::Version, QLatin1StringView("ZQ1Dversion"), QStringLiteral("0")},
        {Key::DefaultFontName, QLatin1StringView("ZQ1DdefaultFontName"), QString(Preferences::SystemFontName)},
        {Key::DefaultFontSize, QLatin1StringView("ZQ1DdefaultFontSize"), Preferences::DefaultFontSize},
        {Key::ViewTypeDict, QLatin1StringView("ZQ1DviewTypeDict"), ViewTypes::initViewTypeDict().toVariantMap()},
        {Key::LastViewType, QLatin1StringView("ZQ1DlastViewType"), ViewTypeName::Email},
        {Key::SelectedViewType, QLatin1StringView("ZQ1DselectedViewType"), ViewTypeName::Email},
        {Key::LastEditState, QLatin1StringView("ZQ1DlastEditState"), true},
        // The table starts from the "Name" column's current width.
        {Key::ColumnWidthDictionary, QLatin1StringView("ZQ1DcolumnWidthDictionary"), QVariant()},
        // No stored descriptor: the table sorts by "compositeName", ascending.
        {Key::LastSortDict, QLatin1StringView("ZQ1DlastSortDict"), QVariant()},
        // No stored choice: builtInSortKey().
        {Key::SortOptionsDefault, QLatin1StringView("ZQ1DsortOptionsDefault"), QVariant()},
        {Key::ShowNameInAllRows, QLatin1StringView("ZQ1DshowNameInAllRows"), false},
        {Key::ShowCompanyInNameCell, QLatin1StringView("ZQ1DshowCompanyInNameCell"), false},
        // The print options and the encoding list work out their own defaults.
        {Key::PrintOptions, QLatin1StringView("ZQ1PrintOptions"), QVariant()},
        {Key::Encodings, QLatin1StringView("Encodings"), QVariant()},
        // Settings of the contact information popover and the custom-label panel.
        {Key::IconRowCount, QLatin1StringView("ZQ1DiconRowCount"), QVariant()},
        {Key::LastRowOrder, QLatin1StringView("ZQ1DlastRowOrder"), QVariant()},
        {Key::LastSelectedItemInCustomPanel, QLatin1StringView("ZQ1DlastSelectedItemInCustomPanel"), QVariant()},
        {Key::RecentDocuments, QLatin1StringView("ZQ1DrecentDocuments"), QStringList()},
        // The user's own card, by unique id.
        {Key::MyCardUniqueId, QLatin1StringView("ZQ1DmyCardUniqueId"), QString()},
        // The folder of the file last opened, imported or exported: the next panel starts there.
        {Key::LastFolder, QLatin1StringView("ZQ1DlastFolder"), QString()},
        // The address book: its folder (else the standard one), the account new contacts go to (a
        // folder) and the smart groups.
        {Key::AddressBookPath, QLatin1StringView("ZQ1DaddressBookPath"), QString()},
        {Key::DefaultAccount, QLatin1StringView("ZQ1DdefaultAccount"), QString()},
        {Key::SmartGroups, QLatin1StringView("ZQ1DsmartGroups"), QVariantList()},
    };
    return table;
}

const KeyEntry& entry(Key key)
{
    const KeyEntry& result = keyTable().at(static_cast<qsizetype>(key));
    Q_ASSERT(result.key == key);
    return result;
}

bool isPlainValue(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::QString:
        return true;
    default:
        return false;
    }
}

// Plain values come back from the settings file as text, so `true` and "true" are the same value.
bool sameValue(const QVariant& a, const QVariant& b)
{
    if (a == b)
        return true;
    return a.isValid() && b.isValid() && isPlainValue(a) && isPlainValue(b) && a.toString() == b.toString();
}

} // namespace

Preferences::Preferences(QObject* parent) : QObject(parent), m_settings(std::make_unique<QSettings>()) { }

Preferences::Preferences(const QString& fileName, QObject* parent)
    : QObject(parent), m_settings(std::make_unique<QSettings>(fileName, QSettings::IniFormat))
{ }

Preferences::~Preferences() = default;

Preferences& Preferences::instance()
{
    // Owned by the application object, so the store is written back before the application ends.
    static QPointer<Preferences> shared;
    if (!shared)
        shared = new Preferences(QCoreApplication::instance());
    return *shared;
}

const QList<Preferences::Key>& Preferences::allKeys()
{
    static const QList<Key> keys = [] {
        QList<Key> result;
        for (const KeyEntry& entry : keyTable())
            result.append(entry.key);
        return result;
    }();
    return keys;
}

QString Preferences::keyName(Key key)
{
    return entry(key).name;
}

QVariant Preferences::defaultValue(Key key)
{
    return entry(key).defaultValue;
}

bool Preferences::contains(Key key) const
{
    return m_settings->contains(keyName(key));
}

QVariant Preferences::value(Key key) const
{
    const KeyEntry& keyEntry = entry(key);
    return m_settings->value(keyEntry.name, keyEntry.defaultValue);
}

void Preferences::setValue(Key key, const QVariant& value)
{
    if (!value.isValid()) {
        remove(key);
        return;
    }
    const QString name = keyName(key);
    if (m_settings->contains(name) && sameValue(m_settings->value(name), value))
        return;
    m_settings->setValue(name, value);
    Q_EMIT changed(key);
}

void Preferences::remove(Key key)
{
    const QString name = keyName(key);
    if (!m_settings->contains(name))
        return;
    m_settings->remove(name);
    Q_EMIT changed(key);
}

void Preferences::restoreDefaults()
{
    QList<Key> stored;
    for (Key key : allKeys()) {
        if (contains(key))
            stored.append(key);
    }
    m_settings->clear();
    m_settings->sync();
    for (Key key : std::as_const(stored))
        Q_EMIT changed(key);
}

void Preferences::sync()
{
    m_settings->sync();
}

QString Preferences::version() const
{
    return value(Key::Version).toString();
}

bool Preferences::upgradeVersion(const QString& applicationVersion)
{
    if (versionNumber(applicationVersion) <= versionNumber(version()))
        return false;
    setValue(Key::Version, applicationVersion);
    setViewTypeDict(ViewTypes::initViewTypeDict());
    return true;
}

QString Preferences::applicationShortVersion()
{
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral(QUILLARY_VERSION) : version;
}

double Preferences::versionNumber(QStringView version)
{
    // The longest leading decimal number, the way "1.2.3" has always been read as 1.2.
    const QStringView text = version.trimmed();
    qsizetype end = 0;
    const auto skipDigits = [&] {
        while (end < text.size() && text.at(end).isDigit() && text.at(end).unicode() < 0x80)
            ++end;
    };
    if (end < text.size() && (text.at(end) == u'+' || text.at(end) == u'-'))
        ++end;
    skipDigits();
    if (end < text.size() && text.at(end) == u'.') {
        ++end;
        skipDigits();
    }
    bool ok = false;
    const double number = text.left(end).toDouble(&ok);
    return ok && std::isfinite(number) ? number : 0;
}

double Preferences::desktopFontSize()
{
    // The application font is the one the desktop gives menus and dialogs; a table in another size
    // looks out of place beside them.
    const double size = QGuiApplication::font().pointSizeF();
    return size > 0 ? size : DefaultFontSize;
}

QFont Preferences::defaultTableFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(desktopFontSize());
    return font;
}

QFont Preferences::tableFont() const
{
    bool ok = false;
    const double stored = m_settings->value(keyName(Key::DefaultFontSize)).toDouble(&ok);
    const bool usable = ok && std::isfinite(stored) && stored != 0;
    const double size = usable ? std::max(MinimumFontSize, stored) : desktopFontSize();

    const QString name = m_settings->value(keyName(Key::DefaultFontName)).toString();
    QFont font;
    if (name.isEmpty() || name == SystemFontName)
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    else if (QFontDatabase::hasFamily(name))
        font = QFont(name);
    else
        return defaultTableFont(); // the font is gone (uninstalled, or stored on another machine)
    font.setPointSizeF(size);
    return font;
}

void Preferences::setTableFont(const QFont& font)
{
    // The system font is stored by its marker so that the table follows a change of desktop font.
    const bool systemFamily = font.family() == QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    const double pointSize = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    setValue(Key::DefaultFontName, systemFamily ? QString(SystemFontName) : font.family());
    setValue(Key::DefaultFontSize, pointSize);
}

ViewTypeDict Preferences::viewTypeDict(const ViewTypeDict& builtIn) const
{
    const QVariantMap stored = m_settings->value(keyName(Key::ViewTypeDict)).toMap();
    return ViewTypes::restoreStoredViewTypes(ViewTypeDict::fromVariantMap(stored), builtIn);
}

void Preferences::setViewTypeDict(const ViewTypeDict& dict)
{
    setValue(Key::ViewTypeDict, dict.toVariantMap());
}

QString Preferences::lastViewType(const ViewTypeDict& dict) const
{
    return ViewTypes::resolveViewType(m_settings->value(keyName(Key::LastViewType)).toString(), dict);
}

void Preferences::setLastViewType(const QString& name)
{
    setValue(Key::LastViewType, name);
}

QString Preferences::selectedViewType(const ViewTypeDict& dict) const
{
    return ViewTypes::resolveViewType(m_settings->value(keyName(Key::SelectedViewType)).toString(), dict);
}

void Preferences::setSelectedViewType(const QString& name)
{
    setValue(Key::SelectedViewType, name);
}

bool Preferences::lastEditState() const
{
    return value(Key::LastEditState).toBool();
}

void Preferences::setLastEditState(bool editing)
{
    setValue(Key::LastEditState, editing);
}

std::optional<Preferences::ColumnWidths> Preferences::columnWidthDictionary() const
{
    if (!contains(Key::ColumnWidthDictionary))
        return std::nullopt;
    ColumnWidths widths;
    const QVariantMap stored = value(Key::ColumnWidthDictionary).toMap();
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        bool ok = false;
        const double width = it.value().toDouble(&ok);
        if (ok && std::isfinite(width) && width > 0)
            widths.insert(it.key(), width);
    }
    return widths;
}

void Preferences::setColumnWidthDictionary(const ColumnWidths& widths)
{
    QVariantMap stored;
    for (auto it = widths.cbegin(); it != widths.cend(); ++it)
        stored.insert(it.key(), it.value());
    setValue(Key::ColumnWidthDictionary, stored);
}

std::optional<SortDescriptor> Preferences::lastSortDescriptor() const
{
    return SortDescriptor::fromVariantMap(value(Key::LastSortDict).toMap());
}

void Preferences::setLastSortDescriptor(const SortDescriptor& descriptor)
{
    setValue(Key::LastSortDict, descriptor.toVariantMap());
}

QMap<QString, QString> Preferences::sortOptionsDefault() const
{
    QMap<QString, QString> keys;
    const QVariantMap stored = value(Key::SortOptionsDefault).toMap();
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        const QString key = it.value().toString();
        if (!key.isEmpty())
            keys.insert(it.key(), key);
    }
    return keys;
}

QString Preferences::defaultSortKey(const QString& identifier) const
{
    // A stored dictionary may predate some identifiers; those keep their built-in choice.
    const QString stored = sortOptionsDefault().value(identifier);
    return stored.isEmpty() ? builtInSortKey(identifier) : stored;
}

QString Preferences::builtInSortKey(const QString& identifier)
{
    return identifier == Field::Name ? Field::CompositeName : identifier;
}

bool Preferences::showNameInAllRows() const
{
    return value(Key::ShowNameInAllRows).toBool();
}

void Preferences::setShowNameInAllRows(bool show)
{
    setValue(Key::ShowNameInAllRows, show);
}

bool Preferences::showCompanyInNameCell() const
{
    return value(Key::ShowCompanyInNameCell).toBool();
}

void Preferences::setShowCompanyInNameCell(bool show)
{
    setValue(Key::ShowCompanyInNameCell, show);
}

QStringList Preferences::encodings() const
{
    return value(Key::Encodings).toStringList();
}

void Preferences::setEncodings(const QStringList& names)
{
    setValue(Key::Encodings, names);
}

QVariantMap Preferences::printOptions() const
{
    return value(Key::PrintOptions).toMap();
}

void Preferences::setPrintOptions(const QVariantMap& options)
{
    setValue(Key::PrintOptions, options);
}

QStringList Preferences::recentDocuments() const
{
    QStringList paths = value(Key::RecentDocuments).toStringList();
    paths.removeAll(QString());
    paths.removeDuplicates();
    return paths.mid(0, MaximumRecentDocuments);
}

void Preferences::addRecentDocument(const QString& path)
{
    if (path.isEmpty())
        return;
    QStringList paths = recentDocuments();
    paths.removeAll(path);
    paths.prepend(path);
    setValue(Key::RecentDocuments, paths.mid(0, MaximumRecentDocuments));
}

void Preferences::removeRecentDocument(const QString& path)
{
    QStringList paths = recentDocuments();
    if (paths.removeAll(path) > 0)
        setValue(Key::RecentDocuments, paths);
}

void Preferences::clearRecentDocuments()
{
    remove(Key::RecentDocuments);
}

QString Preferences::myCardUniqueId() const
{
    return value(Key::MyCardUniqueId).toString();
}

void Preferences::setMyCardUniqueId(const QString& uniqueId)
{
    setValue(Key::MyCardUniqueId, uniqueId);
}

} // namespace Quillary
