#include "documents/Preferences.h"
#include "formats/EncodingAccessoryModel.h"
#include "model/FieldIdentifiers.h"

#include <QFontDatabase>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;
using Key = Preferences::Key;

class TestPreferences : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void keysAndDefaults_data();
    void keysAndDefaults();
    void typedDefaults();
    void builtInViewTypes();

    void upgrade_data();
    void upgrade();
    void upgradeToBuildVersion();

    void restoreOldViewTypeDict();
    void viewTypeDictRoundTrip();
    void unusableStoredViewTypeDict_data();
    void unusableStoredViewTypeDict();
    void resolveViewType_data();
    void resolveViewType();

    void tableFont_data();
    void tableFont();
    void setTableFontStoresNameAndSize();

    void sortDescriptor();
    void sortKeys_data();
    void sortKeys();
    void columnWidths();
    void recentDocuments();

    void restoreDefaults();
    void changedSignal();
    void sharedStore();
};

namespace {

QString systemFamily()
{
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

// An installed family other than the system font's; empty when the machine has none.
QString otherInstalledFamily()
{
    for (const QString& family : QFontDatabase::families()) {
        if (family != systemFamily())
            return family;
    }
    return {};
}

QStringList withName(const QStringList& columns)
{
    return QStringList{QStringLiteral("Name")} + columns;
}

} // namespace

void TestPreferences::initTestCase()
{
    // The default store then lives under ~/.qttest, never in the user's own settings.
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("QuillaryTest"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_preferences"));
}

void TestPreferences::init()
{
    Preferences().restoreDefaults();
}

void TestPreferences::keysAndDefaults_data()
{
    QTest::addColumn<Key>("key");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("defaultValue");

    const auto row = [](Key key, const char* name, const QVariant& value) {
        QTest::newRow(name) << key << QString::fromLatin1(name) << value;
    };
    row(Key::Version, "ZQ1Dversion", QStringLiteral("0"));
    row(Key::DefaultFontName, "ZQ1DdefaultFontName", QStringLiteral(".AppleSystemUIFont"));
    row(Key::DefaultFontSize, "ZQ1DdefaultFontSize", 13.0);
    row(Key::ViewTypeDict, "ZQ1DviewTypeDict", ViewTypes::initViewTypeDict().toVariantMap());
    row(Key::LastViewType, "ZQ1DlastViewType", QStringLiteral("Email"));
    row(Key::SelectedViewType, "ZQ1DselectedViewType", QStringLiteral("Email"));
    row(Key::LastEditState, "ZQ1DlastEditState", true);
    row(Key::ColumnWidthDictionary, "ZQ1DcolumnWidthDictionary", QVariant());
    row(Key::LastSortDict, "ZQ1DlastSortDict", QVariant());
    row(Key::SortOptionsDefault, "ZQ1DsortOptionsDefault", QVariant());
    row(Key::ShowNameInAllRows, "ZQ1DshowNameInAllRows", false);
    row(Key::ShowCompanyInNameCell, "ZQ1DshowCompanyInNameCell", false);
    row(Key::PrintOptions, "ZQ1PrintOptions", QVariant());
    row(Key::Encodings, "Encodings", QVariant());
    row(Key::IconRowCount, "ZQ1DiconRowCount", QVariant());
    row(Key::LastRowOrder, "ZQ1DlastRowOrder", QVariant());
    row(Key::LastSelectedItemInCustomPanel, "ZQ1DlastSelectedItemInCustomPanel", QVariant());
    row(Key::RecentDocuments, "ZQ1DrecentDocuments", QStringList());
    row(Key::MyCardUniqueId, "ZQ1DmyCardUniqueId", QString());
    row(Key::AddressBookPath, "ZQ1DaddressBookPath", QString());
    row(Key::DefaultAccount, "ZQ1DdefaultAccount", QString());
    row(Key::SmartGroups, "ZQ1DsmartGroups", QVariantList());
}

void TestPreferences::keysAndDefaults()
{
    QFETCH(Key, key);
    QFETCH(QString, name);
    QFETCH(QVariant, defaultValue);

    QCOMPARE(Preferences::allKeys().size(), 22);
    QVERIFY(Preferences::allKeys().contains(key));
    QCOMPARE(Preferences::keyName(key), name);
    QCOMPARE(Preferences::defaultValue(key), defaultValue);
    const Preferences prefs;
    QVERIFY(!prefs.contains(key));
    QCOMPARE(prefs.value(key), defaultValue);
}

void TestPreferences::typedDefaults()
{
    const Preferences prefs;
    QCOMPARE(prefs.version(), QStringLiteral("0"));
    QCOMPARE(prefs.tableFont(), Preferences::defaultTableFont());
    QCOMPARE(prefs.viewTypeDict(ViewTypes::initViewTypeDict()), ViewTypes::initViewTypeDict());
    QCOMPARE(prefs.viewTypeDict(ViewTypes::documentViewTypes()), ViewTypes::documentViewTypes());
    QCOMPARE(prefs.lastViewType(ViewTypes::initViewTypeDict()), QStringLiteral("Email"));
    QCOMPARE(prefs.selectedViewType(ViewTypes::documentViewTypes()), QStringLiteral("Email"));
    QVERIFY(prefs.lastEditState());
    QVERIFY(!prefs.columnWidthDictionary());
    QVERIFY(!prefs.lastSortDescriptor());
    QVERIFY(prefs.sortOptionsDefault().isEmpty());
    QVERIFY(!prefs.showNameInAllRows());
    QVERIFY(!prefs.showCompanyInNameCell());
}

void TestPreferences::builtInViewTypes()
{
    const ViewTypeDict& document = ViewTypes::documentViewTypes();
    const ViewTypeDict& addressBook = ViewTypes::initViewTypeDict();

    QCOMPARE(addressBook.names(), ViewTypes::offeredOrder());
    QCOMPARE(QStringList{QStringLiteral("Default")} + document.names(), ViewTypes::offeredOrder());
    for (const ViewTypeDict::Entry& entry : addressBook.entries())
        QCOMPARE(entry.second.value(0), QStringLiteral("Name"));
    for (const ViewTypeDict::Entry& entry : document.entries())
        QCOMPARE(entry.second.value(0), QStringLiteral("Name"));

    QCOMPARE(addressBook.columns(u"Default"), withName({"Email", "Phone", "Address"}));
    QCOMPARE(
        addressBook.columns(u"Labeled Values"),
        withName({"Phone", "Email", "Address", "Instant Message", "Social Network", "URL", "Relationship", "Dates"}));
    QCOMPARE(document.columns(u"Labeled Values"), withName(FieldIdentifiers::labeledIdentifiers()));
    QCOMPARE(document.columns(u"Personal Information"),
             withName({"Phonetic Name", "Nickname", "Birthday", "Relationship", "Suffix", "Title"}));
    // Apart from "Default" and the explicit labelled list the two tables agree.
    for (const QString& name : document.names()) {
        if (name != QStringLiteral("Labeled Values"))
            QCOMPARE(addressBook.columns(name), document.columns(name));
    }

    const QMap<QString, QStringList> labels = ViewTypes::initSelectedLabels();
    QCOMPARE(labels.size(), 8);
    for (const QString& identifier : FieldIdentifiers::labeledIdentifiers())
        QCOMPARE(labels.value(identifier), QStringList{QStringLiteral("All")});
}

void TestPreferences::upgrade_data()
{
    QTest::addColumn<QString>("stored"); // null: nothing stored
    QTest::addColumn<QString>("application");
    QTest::addColumn<bool>("upgrades");

    QTest::newRow("first launch") << QString() << QStringLiteral("0.1.0") << true;
    QTest::newRow("same version") << QStringLiteral("1.2") << QStringLiteral("1.2") << false;
    QTest::newRow("newer application") << QStringLiteral("1.2") << QStringLiteral("1.3") << true;
    QTest::newRow("older application") << QStringLiteral("2.0") << QStringLiteral("1.9") << false;
    QTest::newRow("compared as numbers: 1.10 < 1.9") << QStringLiteral("1.9") << QStringLiteral("1.10") << false;
    QTest::newRow("text after the number") << QStringLiteral("1.2") << QStringLiteral(" 2.5beta") << true;
    QTest::newRow("patch level not counted") << QStringLiteral("1.2") << QStringLiteral("1.2.5") << false;
    QTest::newRow("unreadable stored version") << QStringLiteral("abc") << QStringLiteral("0.5") << true;
    QTest::newRow("application without version") << QStringLiteral("1.0") << QString() << false;
}

void TestPreferences::upgrade()
{
    QFETCH(QString, stored);
    QFETCH(QString, application);
    QFETCH(bool, upgrades);

    Preferences prefs;
    if (!stored.isNull())
        prefs.setValue(Key::Version, stored);
    ViewTypeDict custom = ViewTypes::initViewTypeDict();
    custom[QStringLiteral("Email")].append(QStringLiteral("Note"));
    if (!stored.isNull())
        prefs.setViewTypeDict(custom);
    QSignalSpy spy(&prefs, &Preferences::changed);

    QCOMPARE(prefs.upgradeVersion(application), upgrades);
    if (upgrades) {
        QCOMPARE(prefs.version(), application);
        QCOMPARE(ViewTypeDict::fromVariantMap(prefs.value(Key::ViewTypeDict).toMap()), ViewTypes::initViewTypeDict());
        QCOMPARE(spy.size(), 2);
        QCOMPARE(spy.at(0).at(0).value<Key>(), Key::Version);
    } else {
        QCOMPARE(prefs.version(), stored);
        QCOMPARE(prefs.viewTypeDict(ViewTypes::initViewTypeDict()), custom);
        QCOMPARE(spy.size(), 0);
    }
}

void TestPreferences::upgradeToBuildVersion()
{
    // The application sets no version of its own here: the build's is used, and a first launch upgrades.
    Preferences prefs;
    QVERIFY(Preferences::versionNumber(Preferences::applicationShortVersion()) > 0);
    QVERIFY(prefs.upgradeVersion());
    QCOMPARE(prefs.version(), Preferences::applicationShortVersion());
    QVERIFY(!prefs.upgradeVersion());
}

void TestPreferences::restoreOldViewTypeDict()
{
    Preferences prefs;
    const ViewTypeDict old{
        {QStringLiteral("Phone"), withName({"Phone", "Label"})},
        {QStringLiteral("Email"), withName({"Label", "Email"})},
        {QStringLiteral("Labeled Values"), withName({"Phone"})},
    };
    prefs.setViewTypeDict(old);

    const ViewTypeDict restored = prefs.viewTypeDict(ViewTypes::initViewTypeDict());
    QCOMPARE(restored.names(),
             QStringList({"Email", "Phone", "Address Detail", "Labeled Values", "Non-labeled Values"}));
    QCOMPARE(restored.columns(u"Email"), withName({"Email"}));
    QCOMPARE(restored.columns(u"Phone"), withName({"Phone"}));
    QCOMPARE(restored.columns(u"Labeled Values"), withName({"Phone"}));
    // The lists an old dictionary gains carry no "Name" column.
    QCOMPARE(restored.columns(u"Address Detail"), QStringList({"ZIP", "State", "City", "Street", "Country"}));
    QCOMPARE(restored.columns(u"Non-labeled Values"),
             QStringList({"Phonetic Name", "Nickname", "Birthday", "Suffix", "Title", "Company", "Department",
                          "Job Title", "Note"}));
    QVERIFY(!restored.contains(u"Default"));
}

void TestPreferences::viewTypeDictRoundTrip()
{
    Preferences prefs;
    ViewTypeDict dict = ViewTypes::initViewTypeDict();
    dict[QStringLiteral("Email")] = withName({"Phone", "Email"});
    dict.insert(QStringLiteral("A custom view"), withName({"Note"}));
    prefs.setViewTypeDict(dict);
    prefs.settings()->sync();

    const ViewTypeDict reread = Preferences().viewTypeDict(ViewTypes::initViewTypeDict());
    QCOMPARE(reread, dict); // the built-in names in their offered order, other names after them
}

void TestPreferences::unusableStoredViewTypeDict_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("empty dictionary") << QVariant(QVariantMap());
    QTest::newRow("not a dictionary") << QVariant(QStringLiteral("Email"));
    QTest::newRow("no lists inside") << QVariant(QVariantMap{{QStringLiteral("Email"), QVariantMap()}});
}

void TestPreferences::unusableStoredViewTypeDict()
{
    QFETCH(QVariant, stored);
    Preferences prefs;
    prefs.setValue(Key::ViewTypeDict, stored);
    QCOMPARE(prefs.viewTypeDict(ViewTypes::documentViewTypes()), ViewTypes::documentViewTypes());
}

void TestPreferences::resolveViewType_data()
{
    QTest::addColumn<QString>("stored"); // null: nothing stored
    QTest::addColumn<bool>("document");
    QTest::addColumn<QString>("expected");

    QTest::newRow("none stored") << QString() << false << QStringLiteral("Email");
    QTest::newRow("known") << QStringLiteral("Phone") << false << QStringLiteral("Phone");
    QTest::newRow("unknown") << QStringLiteral("Gone") << false << QStringLiteral("Default");
    QTest::newRow("document: none stored") << QString() << true << QStringLiteral("Email");
    // A document's own table has no "Default" to fall back to.
    QTest::newRow("document: unknown") << QStringLiteral("Gone") << true << QStringLiteral("Email");
    QTest::newRow("document: Default") << QStringLiteral("Default") << true << QStringLiteral("Email");
}

void TestPreferences::resolveViewType()
{
    QFETCH(QString, stored);
    QFETCH(bool, document);
    QFETCH(QString, expected);

    const ViewTypeDict& dict = document ? ViewTypes::documentViewTypes() : ViewTypes::initViewTypeDict();
    Preferences prefs;
    if (!stored.isNull()) {
        prefs.setLastViewType(stored);
        prefs.setSelectedViewType(stored);
    }
    QCOMPARE(prefs.lastViewType(dict), expected);
    QCOMPARE(prefs.selectedViewType(dict), expected);
}

void TestPreferences::tableFont_data()
{
    QTest::addColumn<QVariant>("name");
    QTest::addColumn<QVariant>("size");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("pointSize");

    const QVariant none;
    const QVariant system = QStringLiteral(".AppleSystemUIFont");
    QTest::newRow("nothing stored") << none << none << systemFamily() << 13.0;
    QTest::newRow("size 5 is raised to 7") << system << QVariant(5.0) << systemFamily() << 7.0;
    QTest::newRow("size 0 means 13") << system << QVariant(0.0) << systemFamily() << 13.0;
    QTest::newRow("negative size") << system << QVariant(-3.0) << systemFamily() << 7.0;
    QTest::newRow("fractional size") << system << QVariant(7.5) << systemFamily() << 7.5;
    QTest::newRow("size as text") << system << QVariant(QStringLiteral("20")) << systemFamily() << 20.0;
    QTest::newRow("unreadable size") << system << QVariant(QStringLiteral("big")) << systemFamily() << 13.0;
    QTest::newRow("no name") << none << QVariant(15.0) << systemFamily() << 15.0;
    QTest::newRow("empty name") << QVariant(QString()) << QVariant(15.0) << systemFamily() << 15.0;
    QTest::newRow("missing font falls back to 13")
        << QVariant(QStringLiteral("No Such Font Family Anywhere")) << QVariant(20.0) << systemFamily() << 13.0;
    const QString other = otherInstalledFamily();
    if (!other.isEmpty())
        QTest::newRow("installed font") << QVariant(other) << QVariant(11.0) << other << 11.0;
}

void TestPreferences::tableFont()
{
    QFETCH(QVariant, name);
    QFETCH(QVariant, size);
    QFETCH(QString, family);
    QFETCH(double, pointSize);

    Preferences prefs;
    prefs.setValue(Key::DefaultFontName, name);
    prefs.setValue(Key::DefaultFontSize, size);
    prefs.settings()->sync(); // read back as the file holds it
    const QFont font = Preferences().tableFont();
    QCOMPARE(font.family(), family);
    QCOMPARE(font.pointSizeF(), pointSize);
}

void TestPreferences::setTableFontStoresNameAndSize()
{
    Preferences prefs;
    QFont system = Preferences::defaultTableFont();
    system.setPointSizeF(15);
    prefs.setTableFont(system);
    QCOMPARE(prefs.value(Key::DefaultFontName).toString(), QStringLiteral(".AppleSystemUIFont"));
    QCOMPARE(prefs.value(Key::DefaultFontSize).toDouble(), 15.0);
    QCOMPARE(prefs.tableFont(), system);

    const QString other = otherInstalledFamily();
    if (other.isEmpty())
        QSKIP("only the system font is installed");
    prefs.setTableFont(QFont(other, 11));
    QCOMPARE(prefs.value(Key::DefaultFontName).toString(), other);
    QCOMPARE(prefs.value(Key::DefaultFontSize).toDouble(), 11.0);
    QCOMPARE(prefs.tableFont().family(), other);
}

void TestPreferences::sortDescriptor()
{
    Preferences prefs;
    prefs.setLastSortDescriptor({QStringLiteral("Email domain"), false});
    const QVariantMap stored = prefs.value(Key::LastSortDict).toMap();
    QCOMPARE(
        stored,
        QVariantMap({{QStringLiteral("key"), QStringLiteral("Email domain")}, {QStringLiteral("ascending"), false}}));
    prefs.settings()->sync();
    QCOMPARE(Preferences().lastSortDescriptor(), SortDescriptor({QStringLiteral("Email domain"), false}));

    prefs.setValue(Key::LastSortDict, QVariantMap{{QStringLiteral("key"), QStringLiteral("Phone")}});
    QCOMPARE(prefs.lastSortDescriptor(), SortDescriptor({QStringLiteral("Phone"), true}));
    prefs.setValue(Key::LastSortDict, QVariantMap{{QStringLiteral("ascending"), false}});
    QVERIFY(!prefs.lastSortDescriptor());
}

void TestPreferences::sortKeys_data()
{
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("expected");

    const QVariant none;
    const QVariantMap phoneLabel{{QStringLiteral("Phone"), QStringLiteral("Phone label")}};
    QTest::newRow("Name built in") << QStringLiteral("Name") << none << QStringLiteral("compositeName");
    QTest::newRow("others sort by themselves") << QStringLiteral("Phone") << none << QStringLiteral("Phone");
    QTest::newRow("stored choice") << QStringLiteral("Phone") << QVariant(phoneLabel) << QStringLiteral("Phone label");
    QTest::newRow("identifier missing from stored")
        << QStringLiteral("Email") << QVariant(phoneLabel) << QStringLiteral("Email");
    QTest::newRow("stored Name") << QStringLiteral("Name")
                                 << QVariant(QVariantMap{{QStringLiteral("Name"), QStringLiteral("LastName")}})
                                 << QStringLiteral("LastName");
    QTest::newRow("stored empty key") << QStringLiteral("Name")
                                      << QVariant(QVariantMap{{QStringLiteral("Name"), QString()}})
                                      << QStringLiteral("compositeName");
}

void TestPreferences::sortKeys()
{
    QFETCH(QString, identifier);
    QFETCH(QVariant, stored);
    QFETCH(QString, expected);

    Preferences prefs;
    prefs.setValue(Key::SortOptionsDefault, stored);
    QCOMPARE(prefs.defaultSortKey(identifier), expected);
}

void TestPreferences::columnWidths()
{
    Preferences prefs;
    const Preferences::ColumnWidths widths{{QStringLiteral("Name"), 180.0}, {QStringLiteral("Email"), 140.5}};
    prefs.setColumnWidthDictionary(widths);
    prefs.settings()->sync();
    QCOMPARE(Preferences().columnWidthDictionary(), widths);

    // Widths that cannot be used are dropped; a stored dictionary stays one even when emptied so.
    prefs.setValue(Key::ColumnWidthDictionary,
                   QVariantMap{{QStringLiteral("Name"), QStringLiteral("wide")},
                               {QStringLiteral("Phone"), -5.0},
                               {QStringLiteral("Note"), 90.0}});
    QCOMPARE(prefs.columnWidthDictionary(), Preferences::ColumnWidths({{QStringLiteral("Note"), 90.0}}));
}

void TestPreferences::recentDocuments()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    {
        Preferences prefs(file);
        QVERIFY(prefs.recentDocuments().isEmpty());
        prefs.addRecentDocument(QString()); // nothing to remember
        QVERIFY(!prefs.contains(Key::RecentDocuments));
        for (int i = 0; i < Preferences::MaximumRecentDocuments + 2; ++i)
            prefs.addRecentDocument(QStringLiteral("/c/%1.vcf").arg(i));
        prefs.addRecentDocument(QStringLiteral("/c/5.vcf")); // opened again: first, once
    }
    Preferences prefs(file);
    const QStringList paths = prefs.recentDocuments();
    QCOMPARE(paths.size(), Preferences::MaximumRecentDocuments);
    QCOMPARE(paths.first(), QStringLiteral("/c/5.vcf"));
    QCOMPARE(paths.at(1), QStringLiteral("/c/11.vcf"));
    QCOMPARE(paths.count(QStringLiteral("/c/5.vcf")), 1);
    QVERIFY(!paths.contains(QStringLiteral("/c/1.vcf"))); // the oldest fell off
    prefs.removeRecentDocument(QStringLiteral("/c/11.vcf"));
    QCOMPARE(prefs.recentDocuments().size(), Preferences::MaximumRecentDocuments - 1);
    prefs.clearRecentDocuments();
    QVERIFY(prefs.recentDocuments().isEmpty());
}

void TestPreferences::restoreDefaults()
{
    Preferences prefs;
    prefs.upgradeVersion(QStringLiteral("3.0"));
    QFont font = Preferences::defaultTableFont();
    font.setPointSizeF(20);
    prefs.setTableFont(font);
    prefs.setLastViewType(QStringLiteral("Phone"));
    prefs.setShowCompanyInNameCell(true);
    prefs.setLastSortDescriptor({QStringLiteral("Phone"), false});
    prefs.settings()->setValue(QStringLiteral("Encodings"), QStringList{QStringLiteral("UTF-8")});
    prefs.settings()->setValue(QStringLiteral("MainWindow/geometry"), QByteArray("geometry"));
    QSignalSpy spy(&prefs, &Preferences::changed);

    prefs.restoreDefaults();
    QCOMPARE(spy.size(), 8); // the table's keys that were stored, the direct "Encodings" write among them
    const Preferences reread;
    QVERIFY(reread.settings()->allKeys().isEmpty());
    for (Key key : Preferences::allKeys())
        QCOMPARE(reread.value(key), Preferences::defaultValue(key));
    QCOMPARE(reread.tableFont(), Preferences::defaultTableFont());
    QCOMPARE(reread.lastViewType(ViewTypes::initViewTypeDict()), QStringLiteral("Email"));
}

void TestPreferences::changedSignal()
{
    Preferences prefs;
    QSignalSpy spy(&prefs, &Preferences::changed);

    prefs.setShowNameInAllRows(true);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.takeFirst().at(0).value<Key>(), Key::ShowNameInAllRows);
    prefs.setShowNameInAllRows(true);
    prefs.settings()->sync(); // the file gives the value back as text: still the same value
    prefs.setShowNameInAllRows(true);
    QCOMPARE(spy.size(), 0);

    prefs.setLastEditState(true); // equal to the default, but now stored
    QCOMPARE(spy.size(), 1);
    prefs.remove(Key::ShowNameInAllRows);
    prefs.remove(Key::ShowNameInAllRows);
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.last().at(0).value<Key>(), Key::ShowNameInAllRows);
    QVERIFY(!prefs.showNameInAllRows());

    prefs.setValue(Key::LastEditState, QVariant()); // an invalid value removes the key
    QCOMPARE(spy.size(), 3);
    QVERIFY(!prefs.contains(Key::LastEditState));
}

void TestPreferences::sharedStore()
{
    // Code that keeps its own keys gets the same store, so restoring defaults reaches them too.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Preferences prefs(dir.filePath(QStringLiteral("settings.ini")));
    EncodingAccessoryModel encodings(prefs.settings(), {QStringLiteral("en")});
    encodings.saveEncodings();
    QVERIFY(prefs.contains(Key::Encodings));
    prefs.restoreDefaults();
    QVERIFY(!prefs.contains(Key::Encodings));
}

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
