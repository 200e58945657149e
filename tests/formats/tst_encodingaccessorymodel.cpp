#include "TestSupport.h"
#include "formats/EncodingAccessoryModel.h"
#include "formats/EncodingListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace Quillary;
using namespace Qt::StringLiterals;
using Kind = EncodingMenuItem::Kind;

namespace {

const QStringList EnglishAndJapanese{u"en-US"_s, u"ja-JP"_s};

QStringList tickedNames(const EncodingAccessoryModel& model)
{
    QStringList names;
    for (const EncodingTableEntry& entry : model.currentEncodings()) {
        if (entry.checkBox)
            names.append(entry.encodingName);
    }
    return names;
}

QStringList titles(const EncodingAccessoryModel& model)
{
    QStringList result;
    for (const EncodingMenuItem& item : model.items())
        result.append(item.kind == Kind::Separator ? u"---"_s : item.title);
    return result;
}

int rowOf(const EncodingAccessoryModel& model, const QString& name)
{
    const QList<EncodingTableEntry>& table = model.currentEncodings();
    for (int row = 0; row < table.size(); ++row) {
        if (table.at(row).encodingName == name)
            return row;
    }
    qFatal("no encoding %s", qPrintable(name));
}

} // namespace

class TestEncodingAccessoryModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultTicks_data()
    {
        Test::addColumns<QStringList, QStringList, QStringList>("languages", "ticked", "unticked");

        const QString western = u"Western (Windows Latin 1)"_s;
        const QString japanese = u"Japanese (Shift JIS)"_s;
        // The system lists bare and regional forms of each language; both count once, so Japanese is the second.
        QTest::newRow("English and Japanese, twice each")
            << QStringList{"en-US", "en", "ja-JP", "ja"}
            << QStringList{western, "Western (Mac OS Roman)", japanese, "Japanese (ISO 2022-JP-2)",
                           "Unicode (UTF-16BE)"}
            << QStringList{"Korean (EUC)", "Cyrillic (Windows)"};
        QTest::newRow("German alone") << QStringList{"de-DE"} << QStringList{western, "Unicode (UTF-16BE)"}
                                      << QStringList{"Western (ASCII)", "Western (EBCDIC Latin 1)", japanese};
        QTest::newRow("only the first two languages")
            << QStringList{"ja", "ko", "en"} << QStringList{japanese, "Korean (EUC)"} << QStringList{western};
        QTest::newRow("Chinese") << QStringList{"zh-Hans-CN"}
                                 << QStringList{"Chinese (GB 18030)", "Simplified Chinese (GB 2312)",
                                                "Traditional Chinese (Big 5)"}
                                 << QStringList{western};
        QTest::newRow("French and Russian")
            << QStringList{"fr_FR", "ru"} << QStringList{western, "Russian (DOS)"} << QStringList{"Cyrillic (Windows)"};
        // "C" is not a language: its one letter would tick every name with a capital C.
        QTest::newRow("C locale") << QStringList{"C"} << QStringList{western}
                                  << QStringList{"Cyrillic (Windows)", "Chinese (GB 18030)"};
        QTest::newRow("no language") << QStringList{} << QStringList{western} << QStringList{japanese};
    }
    void defaultTicks()
    {
        QFETCH(QStringList, languages);
        QFETCH(QStringList, ticked);
        QFETCH(QStringList, unticked);

        const QStringList names = tickedNames(EncodingAccessoryModel({}, languages));
        QVERIFY(names.contains(u"Unicode (UTF-8)"_s));
        for (const QString& name : ticked)
            QVERIFY2(names.contains(name), qPrintable(name));
        for (const QString& name : unticked)
            QVERIFY2(!names.contains(name), qPrintable(name));
    }

    void storedChoice()
    {
        // Unknown names are dropped and UTF-8 is always offered.
        const EncodingAccessoryModel stored({u"Klingon (KOI-K)"_s, u"Cyrillic (Windows)"_s}, EnglishAndJapanese);
        QCOMPARE(tickedNames(stored), QStringList({"Unicode (UTF-8)", "Cyrillic (Windows)"}));

        // What the customize panel hands over when it closes ticks the same encodings next time.
        EncodingAccessoryModel model({}, EnglishAndJapanese);
        const QStringList defaults = tickedNames(model);
        QSignalSpy saved(&model, &EncodingAccessoryModel::encodingsSaved);
        model.clearAll();
        model.setChecked(rowOf(model, u"Chinese (GB 18030)"_s), true);
        model.setChecked(rowOf(model, u"Unicode (UTF-8)"_s), true);
        model.saveEncodings();
        QCOMPARE(saved.size(), 1);
        const QStringList chosen = saved.at(0).at(0).toStringList();
        QCOMPARE(chosen, tickedNames(model));
        QCOMPARE(tickedNames(EncodingAccessoryModel(chosen, EnglishAndJapanese)), chosen);

        // An empty choice means the defaults.
        model.clearAll();
        model.saveEncodings();
        QCOMPARE(tickedNames(EncodingAccessoryModel(saved.at(1).at(0).toStringList(), EnglishAndJapanese)), defaults);
    }

    void popupItems()
    {
        EncodingAccessoryModel model({u"Japanese (EUC)"_s, u"Unicode (UTF-16BE)"_s}, EnglishAndJapanese);
        QCOMPARE(titles(model),
                 QStringList(
                     {"Unicode (UTF-8)", "Unicode (UTF-16BE)", "Japanese (EUC)", "---", "Customize Encoding List…"}));
        QCOMPARE(model.encodingType(), TextEncodings::Utf8);

        model.setEncodingOnly();
        QCOMPARE(titles(model).first(), u"Automatic"_s);
        QCOMPARE(model.currentIndex(), 0);
        QCOMPARE(model.encodingType(), TextEncodings::Automatic);
        QCOMPARE(model.encodingNameForReading(), QByteArray("auto"));

        QVERIFY(model.selectItem(3));
        QCOMPARE(model.encodingType(), quint32(3));
        QCOMPARE(model.encoding(), quint32(3));
        QCOMPARE(model.encodingNameForReading(), QByteArray("EUC-JP"));
        model.resetMenu();
        QCOMPARE(model.encodingType(), TextEncodings::Automatic);
    }

    void tickAndUntick_data()
    {
        Test::addColumns<bool, QString, QString>("encodingOnly", "name", "selectedAfterUntick");
        // Ticking puts the encoding at the top of the pop-up, below "Automatic", and selects it.
        QTest::newRow("open panel") << true << u"Cyrillic (KOI8-R)"_s << u"Automatic"_s;
        QTest::newRow("save panel") << false << u"Korean (EUC)"_s << u"Unicode (UTF-8)"_s;
    }
    void tickAndUntick()
    {
        QFETCH(bool, encodingOnly);
        QFETCH(QString, name);

        EncodingAccessoryModel model({}, EnglishAndJapanese);
        if (encodingOnly)
            model.setEncodingOnly();
        const int row = rowOf(model, name);
        const int top = encodingOnly ? 1 : 0;
        QSignalSpy itemsChanged(&model, &EncodingAccessoryModel::itemsChanged);

        model.setChecked(row, true);
        QCOMPARE(itemsChanged.size(), 1);
        QCOMPARE(model.items().at(top).title, name);
        QCOMPARE(model.currentIndex(), top);
        QCOMPARE(model.encodingType(), model.currentEncodings().at(row).nsEncoding);
        model.setChecked(row, true); // already ticked: nothing happens
        QCOMPARE(itemsChanged.size(), 1);

        model.setChecked(row, false);
        QVERIFY(!titles(model).contains(name));
        QCOMPARE(model.currentIndex(), 0);
        QTEST(model.encodingTypeName(), "selectedAfterUntick");
    }

    void selectAllAndRevert()
    {
        EncodingAccessoryModel model({}, EnglishAndJapanese);
        const QStringList defaults = tickedNames(model);
        model.setEncodingOnly();
        model.selectAll();
        QCOMPARE(model.items().size(), model.currentEncodings().size() + 3);
        QCOMPARE(model.currentIndex(), 0);
        model.revert();
        QCOMPARE(tickedNames(model), defaults);
        QCOMPARE(model.encodingType(), TextEncodings::Automatic);
    }

    void customizeTable()
    {
        EncodingAccessoryModel accessory({}, EnglishAndJapanese);
        accessory.setEncodingOnly();
        EncodingListModel table(&accessory);
        QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(table.rowCount(), int(accessory.currentEncodings().size()));

        const int row = rowOf(accessory, u"Greek (Windows)"_s);
        const QModelIndex check = table.index(row, EncodingListModel::CheckBoxColumn);
        const QModelIndex name = table.index(row, EncodingListModel::NameColumn);
        QCOMPARE(name.data().toString(), u"Greek (Windows)"_s);
        QVERIFY(!(table.flags(name) & Qt::ItemIsUserCheckable));
        QVERIFY(!table.setData(name, Qt::Checked, Qt::CheckStateRole));

        QSignalSpy changed(&table, &QAbstractItemModel::dataChanged);
        QVERIFY(table.setData(check, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(check.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(accessory.encodingTypeName(), u"Greek (Windows)"_s);

        accessory.clearAll();
        QCOMPARE(changed.size(), 2);
        QCOMPARE(check.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    }
};

QTEST_GUILESS_MAIN(TestEncodingAccessoryModel)
#include "tst_encodingaccessorymodel.moc"
