#include "model/FieldIdentifiers.h"
#include "model/LabelTable.h"
#include "model/addressbook/Constants.h"

#include <QTest>

using namespace Quillary;
namespace L = Quillary::AddressBook::Label;

namespace {

const QStringList phoneLabels{QStringLiteral("home"),  QStringLiteral("work"),     QStringLiteral("other"),
                              QStringLiteral("main"),  QStringLiteral("mobile"),   QStringLiteral("iPhone"),
                              QStringLiteral("pager"), QStringLiteral("home fax"), QStringLiteral("work fax")};

} // namespace

// Lets QCOMPARE print label lists; found by argument-dependent lookup.
char* toString(const std::optional<QStringList>& labels)
{
    return labels ? QTest::toString(labels->join(u'|')) : qstrdup("none");
}

class TestLabelTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    // Shown and stored labels.
    void labelFromiLabel_data();
    void labelFromiLabel();
    void iLabelFromLabel_data();
    void iLabelFromLabel();
    void builtInLabelsSurviveStoring();

    // Built-in tables.
    void labelsForIdentifier_data();
    void labelsForIdentifier();
    void identifiersWithoutList_data();
    void identifiersWithoutList();
    void labelTableDictCoversBuiltInTable();

    // Custom labels.
    void addingCustomLabels();
    void renamingCustomLabel();
    void removingCustomLabel();
    void builtInLabelIsRefused();
    void customLabelsStayWithTheirIdentifier();
    void birthdayHasListOnlyAfterCustomLabel();
    void resetForgetsCustomLabels();

    // Identifiers.
    void typeForIdentifier_data();
    void typeForIdentifier();
    void identifierLists();
    void fieldIdOfPartIdentifiers_data();
    void fieldIdOfPartIdentifiers();
};

void TestLabelTable::init()
{
    // The custom table is process-wide: every test starts from a fresh run's state.
    LabelTable::resetCustomLabels();
}

void TestLabelTable::labelFromiLabel_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");

    const struct
    {
        const QString* stored;
        const char* shown;
    } constants[] = {
        {&L::Work, "work"},
        {&L::Home, "home"},
        {&L::Other, "other"},
        {&L::PhoneMain, "main"},
        {&L::PhoneMobile, "mobile"},
        {&L::PhoneiPhone, "iPhone"},
        {&L::PhoneHomeFAX, "home fax"},
        {&L::PhoneWorkFAX, "work fax"},
        {&L::PhonePager, "pager"},
        {&L::HomePage, "home page"},
        {&L::Anniversary, "anniversary"},
        {&L::Mother, "mother"},
        {&L::Father, "father"},
        {&L::Parent, "parent"},
        {&L::Sister, "sister"},
        {&L::Brother, "brother"},
        {&L::Child, "child"},
        {&L::Friend, "friend"},
        {&L::Spouse, "spouse"},
        {&L::Partner, "partner"},
        {&L::Assistant, "assistant"},
        {&L::Manager, "manager"},
    };
    for (const auto& constant : constants)
        QTest::addRow("constant %s", constant.shown) << *constant.stored << QString::fromLatin1(constant.shown);

    QTest::newRow("All stays All") << QStringLiteral("All") << QStringLiteral("All");
    QTest::newRow("empty is No label") << QString() << QStringLiteral("No label");
    QTest::newRow("marked Son") << QStringLiteral("_$!<Son>!$_") << QStringLiteral("Son");
    QTest::newRow("marked Daughter") << QStringLiteral("_$!<Daughter>!$_") << QStringLiteral("Daughter");
    QTest::newRow("marked custom word") << QStringLiteral("_$!<Cousin>!$_") << QStringLiteral("Cousin");
    QTest::newRow("constants compare case-sensitively") << QStringLiteral("_$!<home>!$_") << QStringLiteral("home");
    QTest::newRow("marked but empty word") << QStringLiteral("_$!<>!$_") << QStringLiteral("No label");
    QTest::newRow("marker in a text shorter than 8") << QStringLiteral("_$!<ab") << QStringLiteral("_$!<ab");
    QTest::newRow("custom label unchanged") << QStringLiteral("Best friend") << QStringLiteral("Best friend");
    QTest::newRow("service name unchanged") << QStringLiteral("twitter") << QStringLiteral("twitter");
    QTest::newRow("Japanese custom label") << QStringLiteral("実家") << QStringLiteral("実家");
}

void TestLabelTable::labelFromiLabel()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QCOMPARE(LabelTable::labelFromiLabel(stored), shown);
}

void TestLabelTable::iLabelFromLabel_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("stored");

    const struct
    {
        const char* capitalised;
        const char* shown;
        const QString* stored;
    } pairs[] = {
        {"Work", "work", &L::Work},
        {"Home", "home", &L::Home},
        {"Other", "other", &L::Other},
        {"Main", "main", &L::PhoneMain},
        {"Mobile", "mobile", &L::PhoneMobile},
        {"HomeFax", "home fax", &L::PhoneHomeFAX},
        {"WorkFax", "work fax", &L::PhoneWorkFAX},
        {"Pager", "pager", &L::PhonePager},
        {"HomePage", "home page", &L::HomePage},
        {"Mother", "mother", &L::Mother},
        {"Father", "father", &L::Father},
        {"Parent", "parent", &L::Parent},
        {"Sister", "sister", &L::Sister},
        {"Brother", "brother", &L::Brother},
        {"Child", "child", &L::Child},
        {"Friend", "friend", &L::Friend},
        {"Spouse", "spouse", &L::Spouse},
        {"Partner", "partner", &L::Partner},
        {"Assistant", "assistant", &L::Assistant},
        {"Manager", "manager", &L::Manager},
        {"Anniversary", "anniversary", &L::Anniversary},
    };
    for (const auto& pair : pairs) {
        QTest::addRow("%s", pair.capitalised) << QString::fromLatin1(pair.capitalised) << *pair.stored;
        QTest::addRow("%s", pair.shown) << QString::fromLatin1(pair.shown) << *pair.stored;
    }
    QTest::newRow("iPhone") << QStringLiteral("iPhone") << L::PhoneiPhone;

    QTest::newRow("empty is none") << QString() << QString();
    QTest::newRow("shown No label is none") << QStringLiteral("No label") << QString();
    QTest::newRow("All") << QStringLiteral("All") << QStringLiteral("All");
    QTest::newRow("all") << QStringLiteral("all") << QStringLiteral("All");
    QTest::newRow("ALL unchanged") << QStringLiteral("ALL") << QStringLiteral("ALL");
    QTest::newRow("Home Fax unchanged") << QStringLiteral("Home Fax") << QStringLiteral("Home Fax");
    QTest::newRow("homefax unchanged") << QStringLiteral("homefax") << QStringLiteral("homefax");
    QTest::newRow("HOME unchanged") << QStringLiteral("HOME") << QStringLiteral("HOME");
    QTest::newRow("iphone unchanged") << QStringLiteral("iphone") << QStringLiteral("iphone");
    QTest::newRow("Son stored as typed") << QStringLiteral("Son") << QStringLiteral("Son");
    QTest::newRow("Daughter stored as typed") << QStringLiteral("Daughter") << QStringLiteral("Daughter");
    QTest::newRow("custom label") << QStringLiteral("Best friend") << QStringLiteral("Best friend");
    QTest::newRow("service name") << QStringLiteral("facebook") << QStringLiteral("facebook");
}

void TestLabelTable::iLabelFromLabel()
{
    QFETCH(QString, shown);
    QFETCH(QString, stored);
    const QString result = LabelTable::iLabelFromLabel(shown);
    QCOMPARE(result, stored);
    // "No label" must not reach the record as a label.
    if (stored.isEmpty())
        QVERIFY(result.isNull());
}

void TestLabelTable::builtInLabelsSurviveStoring()
{
    // Every label a pop-up offers must read back as itself once stored in a record.
    const QHash<QString, QStringList> table = LabelTable::labelTableDict();
    for (auto it = table.constBegin(); it != table.constEnd(); ++it) {
        for (const QString& label : *it) {
            const QString stored = LabelTable::iLabelFromLabel(label);
            QVERIFY2(LabelTable::labelFromiLabel(stored) == label, qPrintable(it.key() + u": " + label));
        }
    }
}

void TestLabelTable::labelsForIdentifier_data()
{
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<QStringList>("labels");

    const QStringList places{QStringLiteral("home"), QStringLiteral("work"), QStringLiteral("other")};
    QTest::newRow("Phone") << Field::Phone << phoneLabels;
    QTest::newRow("Email") << Field::Email << places;
    QTest::newRow("Address") << Field::Address << places;
    QTest::newRow("Instant Message") << Field::InstantMessage << places;
    QTest::newRow("URL") << Field::URL << (QStringList{QStringLiteral("home page")} + places);
    QTest::newRow("Relationship") << Field::Relationship
                                  << QStringList{QStringLiteral("father"),    QStringLiteral("mother"),
                                                 QStringLiteral("parent"),    QStringLiteral("spouse"),
                                                 QStringLiteral("child"),     QStringLiteral("brother"),
                                                 QStringLiteral("sister"),    QStringLiteral("friend"),
                                                 QStringLiteral("assistant"), QStringLiteral("manager"),
                                                 QStringLiteral("partner"),   QStringLiteral("Son"),
                                                 QStringLiteral("Daughter")};
    QTest::newRow("Dates") << Field::Dates << QStringList{QStringLiteral("anniversary")};
    QTest::newRow("Social Network") << Field::SocialNetwork
                                    << QStringList{QStringLiteral("facebook"),     QStringLiteral("flickr"),
                                                   QStringLiteral("linkedin"),     QStringLiteral("myspace"),
                                                   QStringLiteral("twitter"),      QStringLiteral("GameCenter"),
                                                   QStringLiteral("yelp"),         QStringLiteral("sinaweibo"),
                                                   QStringLiteral("tencentweibo"), QStringLiteral("WeChat"),
                                                   QStringLiteral("Instagram"),    QStringLiteral("Pinterest"),
                                                   QStringLiteral("LINE"),         QStringLiteral("Snapchat"),
                                                   QStringLiteral("Tumbler"),      QStringLiteral("WhatsApp")};
    QTest::newRow("Show as Person") << QStringLiteral("Show as Person")
                                    << QStringList{QStringLiteral("Person"), QStringLiteral("Company")};
    QTest::newRow("Name Ordering") << QStringLiteral("Name Ordering")
                                   << QStringList{QStringLiteral("System Default (LastName)"),
                                                  QStringLiteral("First Name First"),
                                                  QStringLiteral("Last Name First")};
}

void TestLabelTable::labelsForIdentifier()
{
    QFETCH(QString, identifier);
    QFETCH(QStringList, labels);
    QCOMPARE(LabelTable::labelsForIdentifier(identifier), std::optional<QStringList>(labels));
    QCOMPARE(LabelTable::customLabelsForIdentifier(identifier), std::nullopt);
}

void TestLabelTable::identifiersWithoutList_data()
{
    QTest::addColumn<QString>("identifier");
    for (const QString* identifier :
         {&Field::Birthday, &Field::Name, &Field::Note, &Field::Company, &Field::Photo, &Field::PhoneticName})
        QTest::addRow("%ls", qUtf16Printable(*identifier)) << *identifier;
    QTest::newRow("empty") << QString();
    QTest::newRow("phone in lower case") << QStringLiteral("phone");
}

void TestLabelTable::identifiersWithoutList()
{
    QFETCH(QString, identifier);
    QCOMPARE(LabelTable::labelsForIdentifier(identifier), std::nullopt);
    QVERIFY(!LabelTable::labelTableDict().contains(identifier));
}

void TestLabelTable::labelTableDictCoversBuiltInTable()
{
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Skype"), Field::InstantMessage));
    const QHash<QString, QStringList> table = LabelTable::labelTableDict();
    QStringList keys = table.keys();
    keys.sort();
    QCOMPARE(keys,
             (QStringList{QStringLiteral("Address"), QStringLiteral("Dates"), QStringLiteral("Email"),
                          QStringLiteral("Instant Message"), QStringLiteral("Name Ordering"), QStringLiteral("Phone"),
                          QStringLiteral("Relationship"), QStringLiteral("Show as Person"),
                          QStringLiteral("Social Network"), QStringLiteral("URL")}));
    for (auto it = table.constBegin(); it != table.constEnd(); ++it)
        QCOMPARE(std::optional<QStringList>(*it), LabelTable::labelsForIdentifier(it.key()));
    QCOMPARE(table.value(Field::InstantMessage).constLast(), QStringLiteral("Skype"));
}

void TestLabelTable::addingCustomLabels()
{
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Car"), Field::Phone));
    QVERIFY(!LabelTable::setLabel(QString(), QStringLiteral("Car"), Field::Phone)); // once only
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Boat"), Field::Phone));
    QVERIFY(!LabelTable::setLabel(QString(), QString(), Field::Phone)); // nothing to add

    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Phone),
             std::optional<QStringList>(QStringList{QStringLiteral("Car"), QStringLiteral("Boat")}));
    QCOMPARE(LabelTable::labelsForIdentifier(Field::Phone),
             std::optional<QStringList>(phoneLabels + QStringList{QStringLiteral("Car"), QStringLiteral("Boat")}));
    QCOMPARE(LabelTable::customLabelTableDict().value(Field::Phone),
             (QStringList{QStringLiteral("Car"), QStringLiteral("Boat")}));

    // An old label that is not in the list adds the new one instead.
    QVERIFY(LabelTable::setLabel(QStringLiteral("Plane"), QStringLiteral("Train"), Field::Phone));
    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Phone)->constLast(), QStringLiteral("Train"));
}

void TestLabelTable::renamingCustomLabel()
{
    for (const char* label : {"Car", "Boat", "Plane"})
        QVERIFY(LabelTable::setLabel(QString(), QString::fromLatin1(label), Field::Phone));
    QVERIFY(LabelTable::setLabel(QStringLiteral("Boat"), QStringLiteral("Ship"), Field::Phone));
    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Phone),
             std::optional<QStringList>(
                 QStringList{QStringLiteral("Car"), QStringLiteral("Ship"), QStringLiteral("Plane")}));
}

void TestLabelTable::removingCustomLabel()
{
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Car"), Field::Phone));
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Boat"), Field::Phone));
    QVERIFY(LabelTable::setLabel(QStringLiteral("Car"), QString(), Field::Phone));
    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Phone),
             std::optional<QStringList>(QStringList{QStringLiteral("Boat")}));
    QVERIFY(!LabelTable::setLabel(QStringLiteral("Car"), QString(), Field::Phone)); // already gone
    QCOMPARE(LabelTable::labelsForIdentifier(Field::Phone),
             std::optional<QStringList>(phoneLabels + QStringList{QStringLiteral("Boat")}));
}

void TestLabelTable::builtInLabelIsRefused()
{
    QVERIFY(!LabelTable::setLabel(QString(), QStringLiteral("home"), Field::Phone));
    QVERIFY(!LabelTable::setLabel(QString(), QStringLiteral("work fax"), Field::Phone));
    // A refusal creates no custom list.
    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Phone), std::nullopt);

    // Renaming a custom label to a built-in one leaves it alone.
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Car"), Field::Phone));
    QVERIFY(!LabelTable::setLabel(QStringLiteral("Car"), QStringLiteral("mobile"), Field::Phone));
    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Phone),
             std::optional<QStringList>(QStringList{QStringLiteral("Car")}));

    // The stored form is not the built-in label the list holds.
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Home"), Field::Phone));
    QCOMPARE(LabelTable::labelsForIdentifier(Field::Phone)->count(QStringLiteral("home")), 1);
}

void TestLabelTable::customLabelsStayWithTheirIdentifier()
{
    // "home" is built in for Phone, not for Relationship.
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("home"), Field::Relationship));
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Car"), Field::Phone));
    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Relationship),
             std::optional<QStringList>(QStringList{QStringLiteral("home")}));
    QCOMPARE(LabelTable::labelsForIdentifier(Field::Email)->size(), 3);
    QVERIFY(!LabelTable::labelsForIdentifier(Field::Email)->contains(QStringLiteral("Car")));
    QVERIFY(!LabelTable::setLabel(QStringLiteral("Car"), QString(), Field::Email));
    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Phone),
             std::optional<QStringList>(QStringList{QStringLiteral("Car")}));
}

void TestLabelTable::birthdayHasListOnlyAfterCustomLabel()
{
    QCOMPARE(LabelTable::labelsForIdentifier(Field::Birthday), std::nullopt);
    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Birthday), std::nullopt);

    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Name day"), Field::Birthday));
    QCOMPARE(LabelTable::labelsForIdentifier(Field::Birthday),
             std::optional<QStringList>(QStringList{QStringLiteral("Name day")}));
    QVERIFY(LabelTable::labelTableDict().contains(Field::Birthday));

    // Removing the last custom label leaves an empty list, not none.
    QVERIFY(LabelTable::setLabel(QStringLiteral("Name day"), QString(), Field::Birthday));
    QCOMPARE(LabelTable::labelsForIdentifier(Field::Birthday), std::optional<QStringList>(QStringList()));
}

void TestLabelTable::resetForgetsCustomLabels()
{
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Car"), Field::Phone));
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Name day"), Field::Birthday));
    LabelTable::resetCustomLabels();
    QVERIFY(LabelTable::customLabelTableDict().isEmpty());
    QCOMPARE(LabelTable::labelsForIdentifier(Field::Phone), std::optional<QStringList>(phoneLabels));
    QCOMPARE(LabelTable::labelsForIdentifier(Field::Birthday), std::nullopt);
}

void TestLabelTable::typeForIdentifier_data()
{
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<QString>("type");

    const QString labeled = QStringLiteral("Labeled Value");
    const QString string = QStringLiteral("String Value");
    const QString dictionary = QStringLiteral("Dictionary Value");
    const struct
    {
        const char* identifier;
        const QString* type;
    } rows[] = {
        {"Name", &dictionary},
        {"Company", &string},
        {"Department", &string},
        {"Job Title", &string},
        {"Nickname", &string},
        {"Title", &string},
        {"Suffix", &string},
        {"Note", &string},
        {"Phone", &labeled},
        {"Email", &labeled},
        {"URL", &labeled},
        {"Address", &labeled},
        {"Relationship", &labeled},
        {"Social Network", &labeled},
        {"Instant Message", &labeled},
        {"Dates", &labeled},
        {"Birthday", &dictionary},
        {"Phonetic Name", &dictionary},
    };
    for (const auto& row : rows)
        QTest::addRow("%s", row.identifier) << QString::fromLatin1(row.identifier) << *row.type;

    // Fields that are none of the three kinds.
    for (const char* identifier :
         {"Photo", "FirstName", "LastName", "Phonetic FirstName", "compositeName", "ZIP", "phone", "Jobtitle", ""})
        QTest::addRow("none: '%s'", identifier) << QString::fromLatin1(identifier) << QString();
}

void TestLabelTable::typeForIdentifier()
{
    QFETCH(QString, identifier);
    QFETCH(QString, type);
    QCOMPARE(FieldIdentifiers::typeForIdentifier(identifier), type);
}

void TestLabelTable::identifierLists()
{
    QCOMPARE(
        FieldIdentifiers::allIdentifiers(),
        (QStringList{QStringLiteral("Name"), QStringLiteral("Company"), QStringLiteral("Department"),
                     QStringLiteral("Job Title"), QStringLiteral("Nickname"), QStringLiteral("Title"),
                     QStringLiteral("Suffix"), QStringLiteral("Note"), QStringLiteral("Phone"), QStringLiteral("Email"),
                     QStringLiteral("URL"), QStringLiteral("Address"), QStringLiteral("Relationship"),
                     QStringLiteral("Social Network"), QStringLiteral("Instant Message"), QStringLiteral("Dates"),
                     QStringLiteral("Birthday"), QStringLiteral("Phonetic Name"), QStringLiteral("Photo")}));
    QCOMPARE(FieldIdentifiers::labeledIdentifiers(),
             (QStringList{QStringLiteral("Email"), QStringLiteral("Instant Message"), QStringLiteral("Social Network"),
                          QStringLiteral("URL"), QStringLiteral("Phone"), QStringLiteral("Address"),
                          QStringLiteral("Relationship"), QStringLiteral("Dates")}));
    QCOMPARE(FieldIdentifiers::stringIdentifiers(),
             (QStringList{QStringLiteral("Company"), QStringLiteral("Department"), QStringLiteral("Nickname"),
                          QStringLiteral("Job Title"), QStringLiteral("Title"), QStringLiteral("Note"),
                          QStringLiteral("Suffix")}));
    QCOMPARE(FieldIdentifiers::addressIdentifiers(),
             (QStringList{QStringLiteral("ZIP"), QStringLiteral("State"), QStringLiteral("City"),
                          QStringLiteral("Street"), QStringLiteral("Country")}));
    QCOMPARE(FieldIdentifiers::phoneticIdentifiers(),
             (QStringList{QStringLiteral("Phonetic Name"), QStringLiteral("Phonetic FirstName"),
                          QStringLiteral("Phonetic LastName"), QStringLiteral("Phonetic MiddleName")}));

    // Every listed identifier is known by its name, and the enumerations name them back.
    for (const QString& identifier : FieldIdentifiers::allIdentifiers())
        QCOMPARE(FieldIdentifiers::identifier(FieldIdentifiers::fieldId(identifier)), identifier);
    for (const QString& identifier : FieldIdentifiers::labeledIdentifiers())
        QCOMPARE(FieldIdentifiers::identifier(*FieldIdentifiers::labeledField(identifier)), identifier);
    for (const QString& identifier : FieldIdentifiers::stringIdentifiers())
        QCOMPARE(FieldIdentifiers::identifier(*FieldIdentifiers::stringField(identifier)), identifier);
}

void TestLabelTable::fieldIdOfPartIdentifiers_data()
{
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<FieldId>("id");

    QTest::newRow("FirstName") << QStringLiteral("FirstName") << FieldId::FirstName;
    QTest::newRow("PreviousFamilyName") << QStringLiteral("PreviousFamilyName") << FieldId::PreviousFamilyName;
    QTest::newRow("PhoneticFirstName") << QStringLiteral("PhoneticFirstName") << FieldId::PhoneticFirstName;
    QTest::newRow("Phonetic FirstName") << QStringLiteral("Phonetic FirstName") << FieldId::PhoneticFirstName;
    QTest::newRow("Phonetic MiddleName") << QStringLiteral("Phonetic MiddleName") << FieldId::PhoneticMiddleName;
    QTest::newRow("Phonetic LastName") << QStringLiteral("Phonetic LastName") << FieldId::PhoneticLastName;
    QTest::newRow("compositeName") << QStringLiteral("compositeName") << FieldId::CompositeName;
    QTest::newRow("Phonetic  FirstName (two spaces)") << QStringLiteral("Phonetic  FirstName") << FieldId::Unknown;
    QTest::newRow("firstname") << QStringLiteral("firstname") << FieldId::Unknown;
}

void TestLabelTable::fieldIdOfPartIdentifiers()
{
    QFETCH(QString, identifier);
    QFETCH(FieldId, id);
    QCOMPARE(FieldIdentifiers::fieldId(identifier), id);
}

QTEST_GUILESS_MAIN(TestLabelTable)
#include "tst_labeltable.moc"
