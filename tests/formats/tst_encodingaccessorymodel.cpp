#include "formats/EncodingAccessoryModel.h"
#include "formats/EncodingListModel.h"

#include <QAbstractItemModelTester>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Quillary;
using Kind = EncodingMenuItem::Kind;

class TestEncodingAccessoryModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void englishAndJapaneseDefaults();
    void defaultTicks_data();
    void defaultTicks();
    void storedListTicksOnlyKnownNamesAndUtf8();
    void popupItems();
    void everythingUnticked();
    void tickAndUntickFromThePanel();
    void tickAndUntickWithoutAutomatic();
    void separatorAndCustomizeAreNotSelected();
    void selectAllAndRevert();
    void choiceSurvivesASecondStart();
    void emptyChoiceFallsBackToDefaults();
    void customizeTable();

private:
    std::unique_ptr<EncodingAccessoryModel> makeModel(const QStringList& languages = {QStringLiteral("en-US"),
                                                                                      QStringLiteral("ja-JP")});
    static QStringList tickedNames(const EncodingAccessoryModel& model);
    static QStringList titles(const EncodingAccessoryModel& model);
    static int rowOf(const EncodingAccessoryModel& model, const QString& name);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;
};

void TestEncodingAccessoryModel::init()
{
    m_settings.reset();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_settings = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
}

std::unique_ptr<EncodingAccessoryModel> TestEncodingAccessoryModel::makeModel(const QStringList& languages)
{
    return std::make_unique<EncodingAccessoryModel>(m_settings.get(), languages);
}

QStringList TestEncodingAccessoryModel::tickedNames(const EncodingAccessoryModel& model)
{
    QStringList names;
    for (const EncodingTableEntry& entry : model.currentEncodings()) {
        if (entry.checkBox)
            names.append(entry.encodingName);
    }
    return names;
}

QStringList TestEncodingAccessoryModel::titles(const EncodingAccessoryModel& model)
{
    QStringList result;
    for (const EncodingMenuItem& item : model.items())
        result.append(item.kind == Kind::Separator ? QStringLiteral("---") : item.title);
    return result;
}

int TestEncodingAccessoryModel::rowOf(const EncodingAccessoryModel& model, const QString& name)
{
    const QList<EncodingTableEntry>& table = model.currentEncodings();
    for (int row = 0; row < table.size(); ++row) {
        if (table.at(row).encodingName == name)
            return row;
    }
    qFatal("no encoding %s", qPrintable(name));
}

void TestEncodingAccessoryModel::englishAndJapaneseDefaults()
{
    // The system lists bare and regional forms of each language; both count once.
    const auto model =
        makeModel({QStringLiteral("en-US"), QStringLiteral("en"), QStringLiteral("ja-JP"), QStringLiteral("ja")});
    const QStringList expected{
        QStringLiteral("Unicode (UTF-8)"),          QStringLiteral("Unicode (UTF-16BE)"),
        QStringLiteral("Western (ISO Latin 1)"),    QStringLiteral("Western (Windows Latin 1)"),
        QStringLiteral("Western (Mac OS Roman)"),   QStringLiteral("Western (ISO Latin 9)"),
        QStringLiteral("Western (ISO Latin 3)"),    QStringLiteral("Western (DOS Latin 1)"),
        QStringLiteral("Japanese (Shift JIS)"),     QStringLiteral("Japanese (EUC)"),
        QStringLiteral("Japanese (ISO 2022-JP)"),   QStringLiteral("Japanese (ISO 2022-JP-1)"),
        QStringLiteral("Japanese (ISO 2022-JP-2)"),
    };
    QCOMPARE(tickedNames(*model), expected);
}

void TestEncodingAccessoryModel::defaultTicks_data()
{
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<QStringList>("unticked");

    const QString western = QStringLiteral("Western (Windows Latin 1)");
    const QString japanese = QStringLiteral("Japanese (Shift JIS)");
    const QString korean = QStringLiteral("Korean (EUC)");
    QTest::newRow("German alone") << QStringList{QStringLiteral("de-DE")}
                                  << QStringList{western, QStringLiteral("Unicode (UTF-16BE)")}
                                  << QStringList{QStringLiteral("Western (ASCII)"),
                                                 QStringLiteral("Western (EBCDIC Latin 1)"), japanese};
    QTest::newRow("only the first two languages")
        << QStringList{QStringLiteral("ja"), QStringLiteral("ko"), QStringLiteral("en")}
        << QStringList{japanese, korean} << QStringList{western};
    QTest::newRow("Chinese") << QStringList{QStringLiteral("zh-Hans-CN")}
                             << QStringList{QStringLiteral("Chinese (GB 18030)"),
                                            QStringLiteral("Simplified Chinese (GB 2312)"),
                                            QStringLiteral("Traditional Chinese (Big 5)")}
                             << QStringList{western};
    QTest::newRow("French and Russian") << QStringList{QStringLiteral("fr_FR"), QStringLiteral("ru")}
                                        << QStringList{western, QStringLiteral("Russian (DOS)")}
                                        << QStringList{QStringLiteral("Cyrillic (Windows)")};
    // "C" is not a language: its one letter would tick every name with a capital C.
    QTest::newRow("C locale") << QStringList{QStringLiteral("C")} << QStringList{western}
                              << QStringList{QStringLiteral("Cyrillic (Windows)"),
                                             QStringLiteral("Chinese (GB 18030)")};
    QTest::newRow("no language") << QStringList{} << QStringList{western} << QStringList{japanese};
}

void TestEncodingAccessoryModel::defaultTicks()
{
    QFETCH(QStringList, languages);
    QFETCH(QStringList, ticked);
    QFETCH(QStringList, unticked);

    const auto model = makeModel(languages);
    const QStringList names = tickedNames(*model);
    QVERIFY(names.contains(QStringLiteral("Unicode (UTF-8)")));
    for (const QString& name : ticked)
        QVERIFY2(names.contains(name), qPrintable(name));
    for (const QString& name : unticked)
        QVERIFY2(!names.contains(name), qPrintable(name));
}

void TestEncodingAccessoryModel::storedListTicksOnlyKnownNamesAndUtf8()
{
    m_settings->setValue(EncodingAccessoryModel::SettingsKey,
                         QStringList{QStringLiteral("Klingon (KOI-K)"), QStringLiteral("Cyrillic (Windows)")});
    const auto model = makeModel();
    QCOMPARE(tickedNames(*model),
             (QStringList{QStringLiteral("Unicode (UTF-8)"), QStringLiteral("Cyrillic (Windows)")}));
}

void TestEncodingAccessoryModel::popupItems()
{
    m_settings->setValue(EncodingAccessoryModel::SettingsKey,
                         QStringList{QStringLiteral("Japanese (EUC)"), QStringLiteral("Unicode (UTF-16BE)")});
    const auto model = makeModel();
    QCOMPARE(model->accessoryType(), 0);
    QCOMPARE(titles(*model),
             (QStringList{QStringLiteral("Unicode (UTF-8)"), QStringLiteral("Unicode (UTF-16BE)"),
                          QStringLiteral("Japanese (EUC)"), QStringLiteral("---"),
                          QStringLiteral("Customize Encoding List…")}));
    QCOMPARE(model->encodingType(), TextEncodings::Utf8);
    QCOMPARE(model->utf16LocalizedName(), QStringLiteral("Unicode (UTF-16BE)"));

    model->setEncodingOnly();
    QCOMPARE(model->accessoryType(), 1);
    QCOMPARE(titles(*model).first(), QStringLiteral("Automatic"));
    QCOMPARE(model->currentIndex(), 0);
    QCOMPARE(model->encodingType(), TextEncodings::Automatic);
    QCOMPARE(model->encodingTypeName(), QStringLiteral("Automatic"));

    QVERIFY(model->selectItem(3));
    QCOMPARE(model->encodingType(), quint32(3));
    QCOMPARE(model->encoding(), quint32(3));
    QCOMPARE(model->encodingTypeName(), QStringLiteral("Japanese (EUC)"));
    model->resetMenu();
    QCOMPARE(model->encodingType(), TextEncodings::Automatic);
}

void TestEncodingAccessoryModel::everythingUnticked()
{
    const auto model = makeModel();
    model->clearAll();
    QCOMPARE(titles(*model), (QStringList{QStringLiteral("---"), QStringLiteral("Customize Encoding List…")}));
    QCOMPARE(model->currentIndex(), -1);
    QCOMPARE(model->encodingType(), TextEncodings::Automatic);

    model->setEncodingOnly();
    QCOMPARE(
        titles(*model),
        (QStringList{QStringLiteral("Automatic"), QStringLiteral("---"), QStringLiteral("Customize Encoding List…")}));
    QCOMPARE(model->encodingType(), TextEncodings::Automatic);
}

void TestEncodingAccessoryModel::tickAndUntickFromThePanel()
{
    const auto model = makeModel();
    model->setEncodingOnly();
    const int koi8 = rowOf(*model, QStringLiteral("Cyrillic (KOI8-R)"));
    QSignalSpy itemsChanged(model.get(), &EncodingAccessoryModel::itemsChanged);

    model->setChecked(koi8, true);
    QCOMPARE(itemsChanged.size(), 1);
    QCOMPARE(model->items().at(1).title, QStringLiteral("Cyrillic (KOI8-R)"));
    QCOMPARE(model->currentIndex(), 1);
    QCOMPARE(model->encodingType(), quint32(0x80000A02));

    model->setChecked(koi8, true); // already ticked: nothing happens
    QCOMPARE(itemsChanged.size(), 1);

    model->setChecked(koi8, false);
    QVERIFY(!titles(*model).contains(QStringLiteral("Cyrillic (KOI8-R)")));
    QCOMPARE(model->currentIndex(), 0);
    QCOMPARE(model->encodingType(), TextEncodings::Automatic);
}

void TestEncodingAccessoryModel::tickAndUntickWithoutAutomatic()
{
    const auto model = makeModel();
    model->setChecked(rowOf(*model, QStringLiteral("Korean (EUC)")), true);
    QCOMPARE(model->items().first().title, QStringLiteral("Korean (EUC)"));
    QCOMPARE(model->currentIndex(), 0);

    model->setChecked(rowOf(*model, QStringLiteral("Korean (EUC)")), false);
    QCOMPARE(model->currentIndex(), 0);
    QCOMPARE(model->encodingTypeName(), QStringLiteral("Unicode (UTF-8)"));
}

void TestEncodingAccessoryModel::separatorAndCustomizeAreNotSelected()
{
    const auto model = makeModel();
    model->setEncodingOnly();
    QVERIFY(model->selectItem(1));
    const int customize = int(model->items().size()) - 1;
    QVERIFY(!model->selectItem(customize));
    QVERIFY(!model->selectItem(customize - 1));
    QVERIFY(!model->selectItem(customize + 1));
    QCOMPARE(model->currentIndex(), 1);
}

void TestEncodingAccessoryModel::selectAllAndRevert()
{
    const auto model = makeModel();
    const QStringList defaults = tickedNames(*model);
    model->setEncodingOnly();
    model->selectAll();
    QCOMPARE(model->items().size(), model->currentEncodings().size() + 3);
    QCOMPARE(model->currentIndex(), 0);
    model->revert();
    QCOMPARE(tickedNames(*model), defaults);
    QCOMPARE(model->encodingType(), TextEncodings::Automatic);
}

void TestEncodingAccessoryModel::choiceSurvivesASecondStart()
{
    QStringList chosen;
    {
        const auto model = makeModel();
        model->clearAll();
        model->setChecked(rowOf(*model, QStringLiteral("Chinese (GB 18030)")), true);
        model->setChecked(rowOf(*model, QStringLiteral("Unicode (UTF-8)")), true);
        chosen = tickedNames(*model);
        model->saveEncodings();
    }
    QCOMPARE(m_settings->value(EncodingAccessoryModel::SettingsKey).toStringList(), chosen);
    m_settings->sync();
    QSettings reread(m_settings->fileName(), QSettings::IniFormat);
    QCOMPARE(reread.value(EncodingAccessoryModel::SettingsKey).toStringList(), chosen);

    const auto again = makeModel();
    QCOMPARE(tickedNames(*again), chosen);
}

void TestEncodingAccessoryModel::emptyChoiceFallsBackToDefaults()
{
    const auto model = makeModel();
    const QStringList defaults = tickedNames(*model);
    model->clearAll();
    model->saveEncodings();
    QCOMPARE(tickedNames(*makeModel()), defaults);
}

void TestEncodingAccessoryModel::customizeTable()
{
    const auto accessory = makeModel();
    accessory->setEncodingOnly();
    EncodingListModel table(accessory.get());
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(table.rowCount(), int(accessory->currentEncodings().size()));

    const int row = rowOf(*accessory, QStringLiteral("Greek (Windows)"));
    const QModelIndex check = table.index(row, EncodingListModel::CheckBoxColumn);
    const QModelIndex name = table.index(row, EncodingListModel::NameColumn);
    QCOMPARE(name.data().toString(), QStringLiteral("Greek (Windows)"));
    QVERIFY(!(table.flags(name) & Qt::ItemIsUserCheckable));
    QVERIFY(!table.setData(name, Qt::Checked, Qt::CheckStateRole));

    QSignalSpy changed(&table, &QAbstractItemModel::dataChanged);
    QVERIFY(table.setData(check, Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(check.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(accessory->encodingTypeName(), QStringLiteral("Greek (Windows)"));

    accessory->clearAll();
    QCOMPARE(changed.size(), 2);
    QCOMPARE(check.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
}

QTEST_GUILESS_MAIN(TestEncodingAccessoryModel)
#include "tst_encodingaccessorymodel.moc"
