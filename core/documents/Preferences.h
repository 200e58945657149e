#pragma once

#include "SortDescriptor.h"
#include "ViewTypes.h"

#include <QFont>
#include <QMap>
#include <QObject>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

class QSettings;

namespace Quillary {

/// The user's settings: one key per setting in the per-user store, each with its default in one
/// table, typed accessors for the windows and tables that use them, and a `changed(key)` signal
/// for every write that goes through here.
class Preferences final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Preferences)

public:
    enum class Key {
        Version,
        DefaultFontName,
        DefaultFontSize,
        ViewTypeDict,
        LastViewType,
        SelectedViewType,
        LastEditState,
        ColumnWidthDictionary,
        LastSortDict,
        SortOptionsDefault,
        ShowNameInAllRows,
        ShowCompanyInNameCell,
        PrintOptions,
        Encodings,
        IconRowCount,
        LastRowOrder,
        LastSelectedItemInCustomPanel,
        RecentDocuments,
        MyCardUniqueId,
        LastFolder,
        AddressBookPath,
        DefaultAccount,
        SmartGroups,
    };
    Q_ENUM(Key)

    /// Column identifier → width in points.
    using ColumnWidths = QMap<QString, double>;

    /// The stored font name that stands for the system font.
    static constexpr QLatin1StringView SystemFontName{".AppleSystemUIFont"};
    static constexpr double DefaultFontSize = 13;
    static constexpr double MinimumFontSize = 7;
    /// How many files the "Open Recent" menu lists.
    static constexpr int MaximumRecentDocuments = 10;

    /// Over the application's own store (organisation and application names of the application).
    explicit Preferences(QObject* parent = nullptr);
    /// Over an INI file of its own, e.g. a temporary one.
    explicit Preferences(const QString& fileName, QObject* parent = nullptr);
    ~Preferences() override;

    /// The application-wide instance over the application's store, created on first use.
    [[nodiscard]] static Preferences& instance();

    // Every key, by the key table.
    [[nodiscard]] static const QList<Key>& allKeys();
    [[nodiscard]] static QString keyName(Key key);
    /// The value a key has when nothing is stored; invalid where the default is computed by its user.
    [[nodiscard]] static QVariant defaultValue(Key key);
    [[nodiscard]] bool contains(Key key) const;
    /// The stored value, or the key's default.
    [[nodiscard]] QVariant value(Key key) const;
    void setValue(Key key, const QVariant& value);
    void remove(Key key);
    /// Removes every key of the application's store, the table's and any other.
    void restoreDefaults();
    /// Writes what was set to the store now rather than a little later, e.g. before a quick exit.
    void sync();

    // Version upgrade, before the first window opens.
    [[nodiscard]] QString version() const;
    /// Stores `applicationVersion` and the built-in view types when it is greater than the stored
    /// version (both read as numbers). Returns whether it did.
    bool upgradeVersion(const QString& applicationVersion);
    bool upgradeVersion() { return upgradeVersion(applicationShortVersion()); }
    /// The application's version, or the build's when the application sets none.
    [[nodiscard]] static QString applicationShortVersion();
    /// The leading number of a version string ("0.1.0" → 0.1); 0 when it starts with none.
    [[nodiscard]] static double versionNumber(QStringView version);

    // Table font of the windows, the group side bar and the merge panel.
    [[nodiscard]] QFont tableFont() const;
    void setTableFont(const QFont& font);
    /// The system font in the desktop's own size (the application font's).
    [[nodiscard]] static QFont defaultTableFont();
    /// The point size of the application font; 13 when it has none.
    [[nodiscard]] static double desktopFontSize();

    // View types. The owners pass their built-in dictionary: ViewTypes::initViewTypeDict() for the
    // address-book window, ViewTypes::documentViewTypes() for documents.
    [[nodiscard]] ViewTypeDict viewTypeDict(const ViewTypeDict& builtIn) const;
    void setViewTypeDict(const ViewTypeDict& dict);
    /// The address-book window's view type, resolved against `dict`.
    [[nodiscard]] QString lastViewType(const ViewTypeDict& dict) const;
    void setLastViewType(const QString& name);
    /// A document's view type, resolved against `dict`.
    [[nodiscard]] QString selectedViewType(const ViewTypeDict& dict) const;
    void setSelectedViewType(const QString& name);

    [[nodiscard]] bool lastEditState() const;
    void setLastEditState(bool editing);

    // Columns and sorting of the contacts table.
    /// Nothing when no widths are stored; entries that are not positive numbers are dropped.
    [[nodiscard]] std::optional<ColumnWidths> columnWidthDictionary() const;
    void setColumnWidthDictionary(const ColumnWidths& widths);
    [[nodiscard]] std::optional<SortDescriptor> lastSortDescriptor() const;
    void setLastSortDescriptor(const SortDescriptor& descriptor);
    /// The stored identifier → sort key choices (empty when none are stored).
    [[nodiscard]] QMap<QString, QString> sortOptionsDefault() const;
    /// The sort key `identifier` starts with: the stored choice, else the built-in one.
    [[nodiscard]] QString defaultSortKey(const QString& identifier) const;
    /// "compositeName" for "Name", else the identifier itself.
    [[nodiscard]] static QString builtInSortKey(const QString& identifier);

    // Display toggles of the contacts table.
    [[nodiscard]] bool showNameInAllRows() const;
    void setShowNameInAllRows(bool show);
    [[nodiscard]] bool showCompanyInNameCell() const;
    void setShowCompanyInNameCell(bool show);

    // The encodings the "Encoding:" pop-ups offer, by the display names of the ticked ones; empty
    // when the user never chose (the pop-up then offers those of the user's languages).
    [[nodiscard]] QStringList encodings() const;
    void setEncodings(const QStringList& names);

    // The print options as PrintOptionsStore writes them; empty when none are stored.
    [[nodiscard]] QVariantMap printOptions() const;
    void setPrintOptions(const QVariantMap& options);

    // The files of the "Open Recent" menu, the most recent first.
    [[nodiscard]] QStringList recentDocuments() const;
    /// Puts a file first in the list (once), dropping the oldest beyond the maximum.
    void addRecentDocument(const QString& path);
    void removeRecentDocument(const QString& path);
    void clearRecentDocuments();

    /// The unique id of the contact a document window prints as the sender ("Use as My Card"); ""
    /// when none was chosen.
    [[nodiscard]] QString myCardUniqueId() const;
    void setMyCardUniqueId(const QString& uniqueId);

Q_SIGNALS:
    /// A write through this object changed the stored value of `key`, or removed it.
    void changed(Quillary::Preferences::Key key);

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace Quillary
