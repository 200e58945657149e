// Print options: their defaults and persistence, length units, and the accessory's item table,
// label menu and presets.

#include "TestSupport.h"
#include "documents/Preferences.h"
#include "model/FieldIdentifiers.h"
#include "model/LabelTable.h"
#include "output/LengthUnit.h"
#include "output/PrintAccessoryModel.h"
#include "output/PrintOptionsStore.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;
using namespace Qt::StringLiterals;

namespace {

// A settings file of the test's own, read back through a second object as the next run would.
class TestSettings
{
public:
    TestSettings() : m_path(m_dir.filePath(u"settings.ini"_s)), m_settings(std::make_unique<Preferences>(m_path)) { }

    Preferences* settings() { return m_settings.get(); }
    /// Flushes and reopens, so that values come from the file.
    Preferences* reopened()
    {
        m_settings->sync();
        m_settings = std::make_unique<Preferences>(m_path);
        return m_settings.get();
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<Preferences> m_settings;
};

// A value of the stored dictionary by a "/"-separated key path.
QVariant valueAt(const QVariantMap& map, const QString& path)
{
    QVariant value = map;
    for (const QString& key : path.split(u'/'))
        value = value.toMap().value(key);
    return value;
}

QStringList titles(const PrintItemList& items)
{
    QStringList result;
    for (const PrintItem& item : items)
        result.append(item.title);
    return result;
}

} // namespace

class TestPrintOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { LabelTable::resetCustomLabels(); }

    // Options and their persistence
    void defaultItemTable()
    {
        const QVariantList table =
            valueAt(PrintOptions::defaults().toMap(), u"Address List Options/itemTable"_s).toList();
        QCOMPARE(table.size(), PrintOptions::defaultItemTable().size());
        // Stored as the texts "1" and "0"; the name is always printed, so its switch is off.
        QCOMPARE(table.first().toMap(), QVariantMap({{"Title", "Name"}, {"State", "1"}, {"Enabled", "0"}}));
        QCOMPARE(table.last().toMap(), QVariantMap({{"Title", "Note"}, {"State", "0"}, {"Enabled", "1"}}));
        // Without a font given, the platform's general font is the default.
        QVERIFY(!PrintOptions::defaults().addressList.fontName.isEmpty());
    }

    void storedVersion_data()
    {
        Test::addColumns<QVariant, bool>("version", "used");
        QTest::newRow("absent") << QVariant() << false;
        QTest::newRow("2 is replaced by the defaults") << QVariant(2) << false;
        QTest::newRow("3 is used as it is") << QVariant(3) << true;
        QTest::newRow("a later version is used") << QVariant(4) << true;
        QTest::newRow("3 stored as text") << QVariant(u"3"_s) << true;
        QTest::newRow("not a number") << QVariant(u"three"_s) << false;
    }
    void storedVersion()
    {
        QFETCH(QVariant, version);
        QFETCH(bool, used);
        TestSettings settings;
        QVariantMap stored = PrintOptions::defaults(u"Stored Font"_s).toMap();
        stored.remove(u"Version"_s);
        if (version.isValid())
            stored.insert(u"Version"_s, version);
        settings.settings()->setPrintOptions(stored);

        const PrintOptions loaded = PrintOptionsStore(settings.reopened()).load();
        QCOMPARE(loaded.addressList.fontName, used ? u"Stored Font"_s : PrintOptions::defaultFontName());
        QCOMPARE(loaded.version, used ? version.toInt() : 3);
    }

    void roundTripThroughSettings()
    {
        TestSettings settings;
        PrintOptions options = PrintOptions::defaults(u"DejaVu Sans"_s);
        options.printStyle = u"Mailing Labels"_s;
        options.unitType = u"mm"_s;
        options.addressList.margins = {10.5, 20, 30, 40};
        options.addressList.printFrame = true;
        options.addressList.selectedLabels = {u"home"_s, u"mobile"_s};
        options.addressList.itemTable[5].state = true;
        options.mailingLabels.presetArray.append({u"Avery"_s, 180, 72, 9, 0});
        options.mailingLabels.topOffset = 12;
        options.envelope.senderLabel = u"Work"_s;
        options.hagaki.keishou = u"御中"_s;
        // Keys a later version may add survive a round trip through this one.
        options.otherKeys.insert(u"paperWidth"_s, 612);
        options.addressList.otherKeys.insert(u"futureSwitch"_s, true);

        PrintOptionsStore(settings.settings()).save(options);
        QCOMPARE(PrintOptionsStore(settings.reopened()).load(), options);
    }

    void readsTextsAsNumbersAndMissingAsZero()
    {
        const QVariantMap stored{
            {"Version", 3},
            {"Mailing Labels Options",
             QVariantMap{{"topMargin", "10"}, {"labelWidth", "130.5"}, {"repeatCount", "2"}, {"printFrame", "1"}}},
            {"Address List Options",
             QVariantMap{{"itemTable",
                          QVariantList{QVariantMap{{"Title", "Phone"}, {"State", "1"}, {"Enabled", "1"}},
                                       QVariantMap{{"Title", "Email"}, {"State", "0"}, {"Enabled", "1"}}}}}}};
        const PrintOptions options = PrintOptions::fromMap(stored);
        QCOMPARE(options.mailingLabels.margins.top, 10.0);
        QCOMPARE(options.mailingLabels.labelWidth, 130.5);
        QCOMPARE(options.mailingLabels.repeatCount, 2);
        QVERIFY(options.mailingLabels.printFrame);
        QCOMPARE(options.addressList.itemTable, PrintItemList({{"Phone", true, true}, {"Email", false, true}}));
        // Missing values read as 0 or false; an empty label selection as "All".
        QCOMPARE(options.mailingLabels.labelHeight, 0.0);
        QCOMPARE(options.addressList.fontSize, 0);
        QVERIFY(!options.addressList.alternatingRow);
        QCOMPARE(options.envelope.margins, PrintMargins());
        QCOMPARE(options.addressList.selectedLabels, QStringList{u"All"_s});
    }

    void notWrittenUntilFirstChange()
    {
        TestSettings settings;
        PrintAccessoryModel model{PrintOptionsStore(settings.settings())};
        QVERIFY(!settings.settings()->contains(Preferences::Key::PrintOptions));
        model.setPrintStyle(PrintStyle::Envelope);
        const PrintOptions stored = PrintOptionsStore(settings.reopened()).load();
        QCOMPARE(stored.printStyle, u"Envelope"_s);
        QCOMPARE(stored, model.printOptions());
    }

    // Lengths
    void changeValue_data()
    {
        Test::addColumns<float, QString, QString, float>("value", "from", "to", "expected");
        const auto row = [](const char* name, float value, const char* from, const char* to, float expected) {
            QTest::newRow(name) << value << QString::fromLatin1(from) << QString::fromLatin1(to) << expected;
        };
        row("points to inches", 72, "points", "inches", 1);
        row("points to mm", 72, "points", "mm", 25.4f);
        row("inches to points", 0.5f, "inches", "points", 36);
        row("inches to mm", 2, "inches", "mm", 50.8f);
        row("mm to points", 25.4f, "mm", "points", 72);
        row("mm to inches", 254, "mm", "inches", 10);
        row("same unit", 15, "mm", "mm", 15);
        row("unknown unit", 15, "cm", "points", 15);
    }
    void changeValue()
    {
        QFETCH(float, value);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QTEST(LengthUnits::changeValue(value, from, to), "expected");
    }

    void shownAndStoredLengths()
    {
        TestSettings settings;
        PrintOptions options = PrintOptions::defaults(u"Test Sans"_s);
        options.addressList.margins.left = 72;
        PrintOptionsStore(settings.settings()).save(options);

        PrintAccessoryModel model{PrintOptionsStore(settings.settings())};
        QCOMPARE(model.unit(), LengthUnit::Points);
        model.setUnit(LengthUnit::Millimetres);
        PrintTabFields fields = model.tabFields(PrintStyle::AddressList);
        fields.margins.left = 25.4;
        model.setTabFields(PrintStyle::AddressList, fields);
        QCOMPARE(model.printOptions().addressList.margins.left, 72.0);
        QCOMPARE(model.stepSize(), 1.0);

        // The unit is remembered with the options, and stored lengths are not converted twice.
        const PrintAccessoryModel next{PrintOptionsStore(settings.reopened())};
        QCOMPARE(next.unit(), LengthUnit::Millimetres);
        QCOMPARE(next.printOptions().addressList.margins.left, 72.0);
    }

    // Address list tab
    void moveItem_data()
    {
        Test::addColumns<int, int, bool, QStringList>("from", "dropRow", "moved", "leading");
        QTest::newRow("Phone above Address")
            << 5 << 1 << true << QStringList{"Name", "Phone", "Address", "Email", "Social Network"};
        QTest::newRow("Address above Phone")
            << 1 << 5 << true << QStringList{"Name", "Email", "Social Network", "Instant Message", "Address"};
        QTest::newRow("onto its own place") << 2 << 2 << true << QStringList{"Name", "Address", "Email"};
        QTest::newRow("below the last row") << 1 << 17 << true << QStringList{"Name", "Email"};
        QTest::newRow("Name cannot be dragged") << 0 << 3 << false << QStringList{"Name", "Address"};
        QTest::newRow("nothing goes above Name") << 5 << 0 << false << QStringList{"Name", "Address"};
        QTest::newRow("past the end") << 5 << 18 << false << QStringList{"Name", "Address"};
        QTest::newRow("no such row") << 17 << 3 << false << QStringList{"Name", "Address"};
    }
    void moveItem()
    {
        QFETCH(int, from);
        QFETCH(int, dropRow);
        QFETCH(QStringList, leading);
        PrintItemList items = PrintOptions::defaultItemTable();
        QTEST(PrintAccessoryModel::moveItem(items, from, dropRow), "moved");
        QCOMPARE(titles(items).first(leading.size()), leading);
        QCOMPARE(items.size(), 17);
        if (QTest::currentDataTag() == QByteArrayView("below the last row"))
            QCOMPARE(items.last().title, Field::Address);
    }

    void setColumnsPrintsVisibleFields()
    {
        TestSettings settings;
        PrintAccessoryModel model{PrintOptionsStore(settings.settings())};
        model.setColumns({Field::Name, Field::Phone, Field::Email, u"Unknown"_s});
        QStringList printed;
        for (const PrintItem& item : model.itemTable()) {
            if (item.state)
                printed.append(item.title);
        }
        QCOMPARE(printed, QStringList({"Name", "Email", "Phone"}));
        // The list is stored, so that the next print job starts with it.
        QCOMPARE(PrintOptionsStore(settings.reopened()).load().addressList.itemTable, model.itemTable());
    }

    void nameCannotBeSwitchedOff()
    {
        TestSettings settings;
        PrintAccessoryModel model{PrintOptionsStore(settings.settings())};
        QVERIFY(!model.setItemState(0, false));
        QVERIFY(model.itemTable().first().state);
        QVERIFY(model.setItemState(16, true));
        QVERIFY(!model.setItemState(17, true));
        QVERIFY(PrintOptionsStore(settings.reopened()).load().addressList.itemTable.at(16).state);
    }

    void labelMenuTitles()
    {
        LabelTable::setLabel(QString(), u"cottage"_s, Field::Address);
        const QStringList titles = PrintLabelMenu::menuTitles();
        QCOMPARE(titles.first(5), QStringList({"Label", "All", "home", "work", "other"}));
        for (const char* label : {"mobile", "home fax", "home page", "anniversary", "mother", "cottage"})
            QVERIFY2(titles.contains(QString::fromUtf8(label)), label);
        // Labels shared by several fields are listed once, the leading ones in either case not again.
        QCOMPARE(QSet<QString>(titles.cbegin(), titles.cend()).size(), titles.size());
        QVERIFY(!titles.contains(u"Home"_s));

        const PrintLabelMenu menu;
        QVERIFY(menu.entries().first().isHeader);
        QCOMPARE(menu.selectedLabels(), QStringList{u"All"_s});
    }

    void chooseLabels_data()
    {
        Test::addColumns<QStringList, QStringList>("choices", "selected");
        QTest::newRow("a label unchecks All") << QStringList{"home"} << QStringList{"home"};
        QTest::newRow("labels add up in menu order") << QStringList{"mobile", "home"} << QStringList{"home", "mobile"};
        QTest::newRow("unchecking the only label brings back All") << QStringList{"home", "home"} << QStringList{"All"};
        QTest::newRow("All unchecks the others") << QStringList{"home", "work", "All"} << QStringList{"All"};
        QTest::newRow("All chosen again stays") << QStringList{"All"} << QStringList{"All"};
        QTest::newRow("the header does nothing") << QStringList{"Label"} << QStringList{"All"};
        QTest::newRow("an unknown label does nothing") << QStringList{"nowhere"} << QStringList{"All"};
    }
    void chooseLabels()
    {
        QFETCH(QStringList, choices);
        QFETCH(QStringList, selected);
        TestSettings settings;
        PrintAccessoryModel model{PrintOptionsStore(settings.settings())};
        for (const QString& choice : std::as_const(choices))
            model.chooseLabel(choice);
        QCOMPARE(model.labelMenu().selectedLabels(), selected);
        QCOMPARE(model.printOptions().addressList.selectedLabels, selected);
    }

    void labelMenuStartsFromStoredSelection()
    {
        // What the print view is given and what the menu shows must agree, custom labels included.
        const PrintLabelMenu menu({u"work"_s, u"cabin"_s});
        QCOMPARE(menu.selectedLabels(), QStringList({"work", "cabin"}));
        QCOMPARE(menu.entries().last().title, u"cabin"_s);
        QCOMPARE(PrintLabelMenu({u"All"_s, u"work"_s}).selectedLabels(), QStringList{u"All"_s});
    }

    // Mailing labels tab and the panel
    void presets()
    {
        TestSettings settings;
        PrintAccessoryModel model{PrintOptionsStore(settings.settings())};
        QCOMPARE(model.presetMenuTitles(), QStringList({"130x60 points w/5 gap", "Add/Delete..."}));
        QVERIFY(model.isPresetEditorEntry(1));
        QVERIFY(!model.choosePreset(1));

        model.setUnit(LengthUnit::Inches);
        const QList<LabelPreset> presets{{u"130x60 points w/5 gap"_s, 130, 60, 5, 5}, {u"2.5x1 inch"_s, 180, 72, 9, 0}};
        QCOMPARE(model.setPresets(presets, u"2.5x1 inch"_s), std::optional<qsizetype>(1));
        QCOMPARE(model.labelSizeFields(), LabelSizeFields({2.5, 1, 0.125, 0}));
        QCOMPARE(model.printOptions().mailingLabels.labelWidth, 180.0);

        const auto first = model.choosePreset(0);
        QVERIFY(first);
        QCOMPARE(first->labelHeight, double(60.0f / 72.0f));
        const PrintOptions stored = PrintOptionsStore(settings.reopened()).load();
        QCOMPARE(stored.mailingLabels.presetArray, presets);
        QCOMPARE(stored.mailingLabels.labelHeight, 60.0);
    }
};

QTEST_MAIN(TestPrintOptions)
#include "tst_printoptions.moc"
