#include "documents/Preferences.h"
#include "model/FieldIdentifiers.h"

#include <QFontDatabase>
#include <QGuiApplication>
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

    void upgrade_data();
    void upgrade();
    void upgradeToBuildVersion();

    void restoreOldViewTypeDict();
    void unusableStoredViewTypeDict_data();
    void unusableStoredViewTypeDict();
    void resolveViewType_data();
    void resolveViewType();

    void tableFont_data();
    void tableFont();
    void setTableFontStoresNameAndSize();

    void sortDescriptor();
    void columnWidths();
    void recentDocuments();
    void encodingsAndPrintOptions();

    void restoreDefaults();
    void changedSignal();
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
    // A desktop whose menus use 10.5 points: the table follows it unless a size is stored.
    QFont desktop = QGuiApplication::font();
    desktop.setPointSizeF(10.5);
    QGuiApplication::setFont(desktop);
}

void TestPreferences::init()
{
    Preferences().restoreDefaults();
}

void TestPreferences::upgrade_data()
{
    QTest::addColumn<QString>("stored"); // null: nothing stored
    QTest::addColumn<QString>("application");
    QTest::addColumn<bool>("upgrades");

    QTest::newRow("first launch") << QString() << QStringLiteral("0.1.0") << true;
    QTest::newRow("newer application") << QStringLiteral("1.2") << QStringLiteral("1.3") << true;
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
    ViewTypeDict custom = ViewTypes::initViewTypeDict();
    custom[QStringLiteral("Email")].append(QStringLiteral("Note"));
    if (!stored.isNull()) {
        prefs.setValue(Key::Version, stored);
        prefs.setViewTypeDict(custom);
    }
    QSignalSpy spy(&prefs, &Preferences::changed);

    QCOMPARE(prefs.upgradeVersion(application), upgrades);
    QCOMPARE(prefs.version(), upgrades ? application : stored.isNull() ? QStringLiteral("0") : stored);
    if (upgrades) {
        QCOMPARE(ViewTypeDict::fromVariantMap(prefs.value(Key::ViewTypeDict).toMap()), ViewTypes::initViewTypeDict());
        QCOMPARE(spy.size(), 2);
        QCOMPARE(spy.at(0).at(0).value<Key>(), Key::Version);
    } else {
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
    prefs.setViewTypeDict({
        {QStringLiteral("Phone"), withName({"Phone", "Label"})},
        {QStringLiteral("Email"), withName({"Label", "Email"})},
        {QStringLiteral("Labeled Values"), withName({"Phone"})},
    });

    const ViewTypeDict restored = prefs.viewTypeDict(ViewTypes::initViewTypeDict());
    QCOMPARE(restored.names(),
             QStringList({"Email", "Phone", "Address Detail", "Labeled Values", "Non-labeled Values"}));
    // The old "Label" columns are gone; the user's lists are kept.
    QCOMPARE(restored.columns(u"Email"), withName({"Email"}));
    QCOMPARE(restored.columns(u"Labeled Values"), withName({"Phone"}));
    // The lists an old dictionary gains are the built-in ones without the "Name" column.
    for (const QString& name : {QStringLiteral("Address Detail"), QStringLiteral("Non-labeled Values")})
        QCOMPARE(restored.columns(name), ViewTypes::initViewTypeDict().columns(name).mid(1));
    QVERIFY(!restored.contains(u"Default"));
}

void TestPreferences::unusableStoredViewTypeDict_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("nothing stored") << QVariant();
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
    QTest::newRow("nothing stored: the desktop's size") << none << none << systemFamily() << 10.5;
    QTest::newRow("size 5 is raised to 7") << system << QVariant(5.0) << systemFamily() << 7.0;
    QTest::newRow("size 0 means the desktop's") << system << QVariant(0.0) << systemFamily() << 10.5;
    QTest::newRow("negative size") << system << QVariant(-3.0) << systemFamily() << 7.0;
    QTest::newRow("size as text") << system << QVariant(QStringLiteral("20")) << systemFamily() << 20.0;
    QTest::newRow("unreadable size") << system << QVariant(QStringLiteral("big")) << systemFamily() << 10.5;
    QTest::newRow("empty name") << QVariant(QString()) << QVariant(15.0) << systemFamily() << 15.0;
    QTest::newRow("missing font falls back to the default")
        << QVariant(QStringLiteral("No Such Font Family Anywhere")) << QVariant(20.0) << systemFamily() << 10.5;
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
    prefs.sync(); // read back as the file holds it
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
    // The system font is stored by its marker, so that the table follows a new desktop font.
    QCOMPARE(prefs.value(Key::DefaultFontName).toString(), QStringLiteral(".AppleSystemUIFont"));
    QCOMPARE(prefs.tableFont(), system);

    const QString other = otherInstalledFamily();
    if (other.isEmpty())
        QSKIP("only the system font is installed");
    prefs.setTableFont(QFont(other, 11));
    QCOMPARE(prefs.value(Key::DefaultFontName).toString(), other);
    QCOMPARE(prefs.tableFont().family(), other);
    QCOMPARE(prefs.tableFont().pointSizeF(), 11.0);
}

void TestPreferences::sortDescriptor()
{
    // Stored and read back by the table's sorting tests; here stored dictionaries that lack a part.
    Preferences prefs;
    QVERIFY(!prefs.lastSortDescriptor());
    prefs.setValue(Key::LastSortDict, QVariantMap{{QStringLiteral("key"), QStringLiteral("Phone")}});
    QCOMPARE(prefs.lastSortDescriptor(), SortDescriptor({QStringLiteral("Phone"), true}));
    prefs.setValue(Key::LastSortDict, QVariantMap{{QStringLiteral("ascending"), false}});
    QVERIFY(!prefs.lastSortDescriptor());
}

void TestPreferences::columnWidths()
{
    // Stored and read back by the column tests; here widths that cannot be used are dropped, and a
    // stored dictionary stays one even when emptied so.
    Preferences prefs;
    QVERIFY(!prefs.columnWidthDictionary());
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

void TestPreferences::encodingsAndPrintOptions()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    const QStringList encodings{QStringLiteral("Unicode (UTF-8)"), QStringLiteral("Japanese (EUC)")};
    const QVariantMap printOptions{
        {QStringLiteral("Version"), 3},
        {QStringLiteral("Address List Options"), QVariantMap{{QStringLiteral("fontSize"), 9}}}};
    {
        Preferences prefs(file);
        QVERIFY(prefs.encodings().isEmpty());
        QVERIFY(prefs.printOptions().isEmpty());
        QSignalSpy spy(&prefs, &Preferences::changed);
        prefs.setEncodings(encodings);
        prefs.setPrintOptions(printOptions);
        QCOMPARE(spy.size(), 2);
    }
    Preferences prefs(file);
    QCOMPARE(prefs.encodings(), encodings);
    QCOMPARE(prefs.printOptions()
                 .value(QStringLiteral("Address List Options"))
                 .toMap()
                 .value(QStringLiteral("fontSize"))
                 .toInt(),
             9);
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
    prefs.setEncodings({QStringLiteral("Unicode (UTF-8)")});
    QSignalSpy spy(&prefs, &Preferences::changed);

    prefs.restoreDefaults();
    QCOMPARE(spy.size(), 8); // one for each key that was stored
    const Preferences reread;
    for (Key key : Preferences::allKeys()) {
        QVERIFY(!reread.contains(key));
        QCOMPARE(reread.value(key), Preferences::defaultValue(key));
    }
    QCOMPARE(reread.tableFont(), Preferences::defaultTableFont());
    QCOMPARE(reread.lastViewType(ViewTypes::initViewTypeDict()), QStringLiteral("Email"));
    QVERIFY(reread.encodings().isEmpty());
}

void TestPreferences::changedSignal()
{
    Preferences prefs;
    QSignalSpy spy(&prefs, &Preferences::changed);

    QVERIFY(!prefs.showNameInAllRows());
    prefs.setShowNameInAllRows(true);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.takeFirst().at(0).value<Key>(), Key::ShowNameInAllRows);
    prefs.setShowNameInAllRows(true);
    prefs.sync(); // the file gives the value back as text: still the same value
    prefs.setShowNameInAllRows(true);
    QCOMPARE(spy.size(), 0);

    QVERIFY(prefs.lastEditState());
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

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
