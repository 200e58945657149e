#include "TestSupport.h"
#include "documents/Preferences.h"
#include "model/FieldIdentifiers.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;
using namespace Qt::StringLiterals;
using Key = Preferences::Key;

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
    return QStringList{u"Name"_s} + columns;
}

} // namespace

class TestPreferences : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // The default store then lives under ~/.qttest, never in the user's own settings.
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(u"QuillaryTest"_s);
        QCoreApplication::setApplicationName(u"tst_preferences"_s);
        // A desktop whose menus use 10.5 points: the table follows it unless a size is stored.
        QFont desktop = QGuiApplication::font();
        desktop.setPointSizeF(10.5);
        QGuiApplication::setFont(desktop);
    }

    void init() { Preferences().restoreDefaults(); }

    void upgrade_data()
    {
        // stored: null: nothing stored
        Test::addColumns<QString, QString, bool>("stored", "application", "upgrades");

        QTest::newRow("first launch") << QString() << u"0.1.0"_s << true;
        QTest::newRow("newer application") << u"1.2"_s << u"1.3"_s << true;
        QTest::newRow("compared as numbers: 1.10 < 1.9") << u"1.9"_s << u"1.10"_s << false;
        QTest::newRow("text after the number") << u"1.2"_s << u" 2.5beta"_s << true;
        QTest::newRow("patch level not counted") << u"1.2"_s << u"1.2.5"_s << false;
        QTest::newRow("unreadable stored version") << u"abc"_s << u"0.5"_s << true;
        QTest::newRow("application without version") << u"1.0"_s << QString() << false;
    }
    void upgrade()
    {
        QFETCH(QString, stored);
        QFETCH(QString, application);
        QFETCH(bool, upgrades);

        Preferences prefs;
        ViewTypeDict custom = ViewTypes::initViewTypeDict();
        custom[u"Email"_s].append(u"Note"_s);
        if (!stored.isNull()) {
            prefs.setValue(Key::Version, stored);
            prefs.setViewTypeDict(custom);
        }
        QSignalSpy spy(&prefs, &Preferences::changed);

        QCOMPARE(prefs.upgradeVersion(application), upgrades);
        QCOMPARE(prefs.version(), upgrades ? application : stored.isNull() ? u"0"_s : stored);
        if (upgrades) {
            QCOMPARE(ViewTypeDict::fromVariantMap(prefs.value(Key::ViewTypeDict).toMap()),
                     ViewTypes::initViewTypeDict());
            QCOMPARE(spy.size(), 2);
            QCOMPARE(spy.at(0).at(0).value<Key>(), Key::Version);
        } else {
            QCOMPARE(prefs.viewTypeDict(ViewTypes::initViewTypeDict()), custom);
            QCOMPARE(spy.size(), 0);
        }
    }

    void upgradeToBuildVersion()
    {
        // The application sets no version of its own here: the build's is used, and a first launch upgrades.
        Preferences prefs;
        QVERIFY(Preferences::versionNumber(Preferences::applicationShortVersion()) > 0);
        QVERIFY(prefs.upgradeVersion());
        QCOMPARE(prefs.version(), Preferences::applicationShortVersion());
        QVERIFY(!prefs.upgradeVersion());
    }

    void restoreOldViewTypeDict()
    {
        Preferences prefs;
        prefs.setViewTypeDict({
            {u"Phone"_s, withName({"Phone", "Label"})},
            {u"Email"_s, withName({"Label", "Email"})},
            {u"Labeled Values"_s, withName({"Phone"})},
        });

        const ViewTypeDict restored = prefs.viewTypeDict(ViewTypes::initViewTypeDict());
        QCOMPARE(restored.names(),
                 QStringList({"Email", "Phone", "Address Detail", "Labeled Values", "Non-labeled Values"}));
        // The old "Label" columns are gone; the user's lists are kept.
        QCOMPARE(restored.columns(u"Email"), withName({"Email"}));
        QCOMPARE(restored.columns(u"Labeled Values"), withName({"Phone"}));
        // The lists an old dictionary gains are the built-in ones without the "Name" column.
        for (const QString& name : {u"Address Detail"_s, u"Non-labeled Values"_s})
            QCOMPARE(restored.columns(name), ViewTypes::initViewTypeDict().columns(name).mid(1));
        QVERIFY(!restored.contains(u"Default"));
    }

    void unusableStoredViewTypeDict_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("nothing stored") << QVariant();
        QTest::newRow("empty dictionary") << QVariant(QVariantMap());
        QTest::newRow("not a dictionary") << QVariant(u"Email"_s);
        QTest::newRow("no lists inside") << QVariant(QVariantMap{{u"Email"_s, QVariantMap()}});
    }
    void unusableStoredViewTypeDict()
    {
        QFETCH(QVariant, stored);
        Preferences prefs;
        prefs.setValue(Key::ViewTypeDict, stored);
        QCOMPARE(prefs.viewTypeDict(ViewTypes::documentViewTypes()), ViewTypes::documentViewTypes());
    }

    void resolveViewType_data()
    {
        // stored: null: nothing stored
        Test::addColumns<QString, bool, QString>("stored", "document", "expected");

        QTest::newRow("none stored") << QString() << false << u"Email"_s;
        QTest::newRow("known") << u"Phone"_s << false << u"Phone"_s;
        QTest::newRow("unknown") << u"Gone"_s << false << u"Default"_s;
        QTest::newRow("document: none stored") << QString() << true << u"Email"_s;
        // A document's own table has no "Default" to fall back to.
        QTest::newRow("document: unknown") << u"Gone"_s << true << u"Email"_s;
        QTest::newRow("document: Default") << u"Default"_s << true << u"Email"_s;
    }
    void resolveViewType()
    {
        QFETCH(QString, stored);
        QFETCH(bool, document);

        const ViewTypeDict& dict = document ? ViewTypes::documentViewTypes() : ViewTypes::initViewTypeDict();
        Preferences prefs;
        if (!stored.isNull())
            prefs.setSelectedViewType(stored);
        QTEST(prefs.selectedViewType(dict), "expected");
    }

    void tableFont_data()
    {
        Test::addColumns<QVariant, QVariant, QString, double>("name", "size", "family", "pointSize");

        const QVariant none;
        const QVariant system = u".AppleSystemUIFont"_s;
        QTest::newRow("nothing stored: the desktop's size") << none << none << systemFamily() << 10.5;
        QTest::newRow("size 5 is raised to 7") << system << QVariant(5.0) << systemFamily() << 7.0;
        QTest::newRow("size 0 means the desktop's") << system << QVariant(0.0) << systemFamily() << 10.5;
        QTest::newRow("negative size") << system << QVariant(-3.0) << systemFamily() << 7.0;
        QTest::newRow("size as text") << system << QVariant(u"20"_s) << systemFamily() << 20.0;
        QTest::newRow("unreadable size") << system << QVariant(u"big"_s) << systemFamily() << 10.5;
        QTest::newRow("empty name") << QVariant(QString()) << QVariant(15.0) << systemFamily() << 15.0;
        QTest::newRow("missing font falls back to the default")
            << QVariant(u"No Such Font Family Anywhere"_s) << QVariant(20.0) << systemFamily() << 10.5;
        const QString other = otherInstalledFamily();
        if (!other.isEmpty())
            QTest::newRow("installed font") << QVariant(other) << QVariant(11.0) << other << 11.0;
    }
    void tableFont()
    {
        QFETCH(QVariant, name);
        QFETCH(QVariant, size);
        QFETCH(QString, family);

        Preferences prefs;
        prefs.setValue(Key::DefaultFontName, name);
        prefs.setValue(Key::DefaultFontSize, size);
        prefs.sync(); // read back as the file holds it
        const QFont font = Preferences().tableFont();
        QCOMPARE(font.family(), family);
        QTEST(font.pointSizeF(), "pointSize");
    }

    void setTableFontStoresNameAndSize()
    {
        Preferences prefs;
        QFont system = Preferences::defaultTableFont();
        system.setPointSizeF(15);
        prefs.setTableFont(system);
        // The system font is stored by its marker, so that the table follows a new desktop font.
        QCOMPARE(prefs.value(Key::DefaultFontName).toString(), u".AppleSystemUIFont"_s);
        QCOMPARE(prefs.tableFont(), system);

        const QString other = otherInstalledFamily();
        if (other.isEmpty())
            QSKIP("only the system font is installed");
        prefs.setTableFont(QFont(other, 11));
        QCOMPARE(prefs.value(Key::DefaultFontName).toString(), other);
        QCOMPARE(prefs.tableFont().family(), other);
        QCOMPARE(prefs.tableFont().pointSizeF(), 11.0);
    }

    void sortDescriptor()
    {
        // Stored and read back by the table's sorting tests; here stored dictionaries that lack a part.
        Preferences prefs;
        QVERIFY(!prefs.lastSortDescriptor());
        prefs.setValue(Key::LastSortDict, QVariantMap{{u"key"_s, u"Phone"_s}});
        QCOMPARE(prefs.lastSortDescriptor(), SortDescriptor({u"Phone"_s, true}));
        prefs.setValue(Key::LastSortDict, QVariantMap{{u"ascending"_s, false}});
        QVERIFY(!prefs.lastSortDescriptor());
    }

    void columnWidths()
    {
        // Stored and read back by the column tests; here widths that cannot be used are dropped, and a
        // stored dictionary stays one even when emptied so.
        Preferences prefs;
        QVERIFY(!prefs.columnWidthDictionary());
        prefs.setValue(Key::ColumnWidthDictionary,
                       QVariantMap{{u"Name"_s, u"wide"_s}, {u"Phone"_s, -5.0}, {u"Note"_s, 90.0}});
        QCOMPARE(prefs.columnWidthDictionary(), Preferences::ColumnWidths({{u"Note"_s, 90.0}}));
    }

    void recentDocuments()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath(u"settings.ini"_s);
        {
            Preferences prefs(file);
            QVERIFY(prefs.recentDocuments().isEmpty());
            prefs.addRecentDocument(QString()); // nothing to remember
            QVERIFY(!prefs.contains(Key::RecentDocuments));
            for (int i = 0; i < Preferences::MaximumRecentDocuments + 2; ++i)
                prefs.addRecentDocument(u"/c/%1.vcf"_s.arg(i));
            prefs.addRecentDocument(u"/c/5.vcf"_s); // opened again: first, once
        }
        Preferences prefs(file);
        const QStringList paths = prefs.recentDocuments();
        QCOMPARE(paths.size(), Preferences::MaximumRecentDocuments);
        QCOMPARE(paths.first(), u"/c/5.vcf"_s);
        QCOMPARE(paths.at(1), u"/c/11.vcf"_s);
        QCOMPARE(paths.count(u"/c/5.vcf"_s), 1);
        QVERIFY(!paths.contains(u"/c/1.vcf"_s)); // the oldest fell off
        prefs.removeRecentDocument(u"/c/11.vcf"_s);
        QCOMPARE(prefs.recentDocuments().size(), Preferences::MaximumRecentDocuments - 1);
        prefs.clearRecentDocuments();
        QVERIFY(prefs.recentDocuments().isEmpty());
    }

    void encodings()
    {
        // The print options, the other typed value of a dictionary, are stored and read back by their tests.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath(u"settings.ini"_s);
        const QStringList encodings{u"Unicode (UTF-8)"_s, u"Japanese (EUC)"_s};
        {
            Preferences prefs(file);
            QVERIFY(prefs.encodings().isEmpty());
            QSignalSpy spy(&prefs, &Preferences::changed);
            prefs.setEncodings(encodings);
            QCOMPARE(spy.size(), 1);
        }
        QCOMPARE(Preferences(file).encodings(), encodings);
    }

    void restoreDefaults()
    {
        Preferences prefs;
        prefs.upgradeVersion(u"3.0"_s);
        QFont font = Preferences::defaultTableFont();
        font.setPointSizeF(20);
        prefs.setTableFont(font);
        prefs.setSelectedViewType(u"Phone"_s);
        prefs.setShowCompanyInNameCell(true);
        prefs.setLastSortDescriptor({u"Phone"_s, false});
        prefs.setEncodings({u"Unicode (UTF-8)"_s});
        QSignalSpy spy(&prefs, &Preferences::changed);

        prefs.restoreDefaults();
        QCOMPARE(spy.size(), 8); // one for each key that was stored
        const Preferences reread;
        for (Key key : Preferences::allKeys()) {
            QVERIFY(!reread.contains(key));
            QCOMPARE(reread.value(key), Preferences::defaultValue(key));
        }
        QCOMPARE(reread.tableFont(), Preferences::defaultTableFont());
        QCOMPARE(reread.selectedViewType(ViewTypes::initViewTypeDict()), u"Email"_s);
        QVERIFY(reread.encodings().isEmpty());
    }

    void changedSignal()
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
};

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
