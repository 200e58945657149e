// The decisions of the field editors and the contact card, without a screen.

#include "TestSupport.h"
#include "documents/ContactDocument.h"
#include "editors/AddressEditorModel.h"
#include "editors/ContactCardModel.h"
#include "editors/DateText.h"
#include "editors/EditorValues.h"
#include "editors/LabelChoices.h"
#include "editors/MultiValueListModel.h"
#include "editors/PhotoData.h"
#include "formats/ZQVCard.h"
#include "model/AddressFormats.h"

#include <QBuffer>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

using namespace Quillary;
using namespace Qt::StringLiterals;

namespace {

const QByteArray Cards = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Kimura;Aiko;;Dr.;\r\nTEL;TYPE=CELL:+81 90 1111 2222\r\n"
                         "item1.TEL:+81 3 5555 0101\r\nitem1.X-ABLabel:Cottage\r\nEMAIL;TYPE=HOME:aiko@example.jp\r\n"
                         "ADR;TYPE=HOME:;;1-1 Chiyoda;Chiyoda-ku;Tokyo;100-0001;Japan\r\nURL:example.jp\r\n"
                         "IMPP;X-SERVICE-TYPE=Matrix:xmpp:aiko@example.jp\r\nX-AIM:aiko\r\nEND:VCARD\r\n";

ContactEntryPtr sample()
{
    return ZQVCard().contactsFromVCards(Cards).first();
}

EditorContext contextOf(const ContactEntryPtr& contact, const QString& type, EditorValue value, int labelIndex = -1)
{
    EditorContext context = ContactCardModel::contextFor(contact, type, labelIndex, true);
    context.dirty = true;
    context.value = std::move(value);
    return context;
}

} // namespace

class TestEditorModels : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Countries that list only codes, only names, or neither.
        AddressFormats::setAddressFormatTable(QJsonArray{
            QJsonObject{{"CountryCode", "XA"}, {"formatString", "City State"}, {"StateCodes", QJsonArray{"A1"}}},
            QJsonObject{{"CountryCode", "XB"}, {"formatString", "City State"}, {"States", QJsonArray{"Bee"}}},
            QJsonObject{{"CountryCode", "XC"}, {"formatString", "City"}}});
    }

    void datesAreReadInEveryForm_data()
    {
        // iso: "" when unreadable
        Test::addColumns<QString, QString, QString>("text", "locale", "iso");
        const auto row = [](const char* name, const char* text, const char* locale, const char* iso) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(locale) << QString::fromUtf8(iso);
        };
        row("ISO", "1980-05-17", "en_US", "1980-05-17");
        row("ISO basic", "19800517", "en_US", "1980-05-17");
        row("ISO without year", "--05-17", "en_US", "--05-17");
        row("table form with weekday", "1980.05.17(Sat)", "en_US", "1980-05-17");
        row("table form without year", "05.17", "en_US", "--05-17");
        row("US short, last century", "5/17/80", "en_US", "1980-05-17");
        row("US short, this century", "5/17/05", "en_US", "2005-05-17");
        row("US short, four digits", "5/17/1905", "en_US", "1905-05-17");
        row("German short", "17.05.80", "de_DE", "1980-05-17");
        row("no such day", "1981.02.29", "en_US", "");
        row("words", "soon", "en_US", "");
    }
    void datesAreReadInEveryForm()
    {
        QFETCH(QString, text);
        QFETCH(QString, locale);
        const std::optional<DateComponents> date = DateText::parse(text, QLocale(locale), QDate(2024, 6, 1));
        QTEST(date ? date->toIsoString() : QString(), "iso");
        if (date) // what the editor shows reads back as the same date
            QCOMPARE(DateText::parse(DateText::editText(*date)), date);
    }

    void addressPartsFollowTheCountry_data()
    {
        Test::addColumns<QString, QStringList, bool>("countryCode", "order", "lookup");
        QTest::newRow("United States") << "US" << QStringList{"Street", "City", "State", "ZIP"} << false;
        QTest::newRow("Japan, code in lower case") << "jp" << QStringList{"ZIP", "State", "City", "Street"} << true;
        QTest::newRow("Germany has no state") << "DE" << QStringList{"Street", "ZIP", "City", "State"} << false;
    }
    void addressPartsFollowTheCountry()
    {
        QFETCH(QString, countryCode);
        QFETCH(bool, lookup);
        EditorContext context = ContactCardModel::contextFor(sample(), Field::Address, -1, true);
        LabeledValue value = EditorValues::newValue(Field::Address);
        value.address.setCountryCode(countryCode);
        context.labeledValue = value;
        const AddressEditorModel model(context, u"US"_s);
        QTEST(model.partOrder(), "order");
        QCOMPARE(model.lookupVisible(), lookup);
        QCOMPARE(model.lookupEnabled(u"10"_s, true), false);
        QCOMPARE(model.lookupEnabled(u"100"_s, true), lookup);
        QCOMPARE(model.lookupEnabled(u"100"_s, false), false);
    }

    void stateMenuShowCodeRules_data()
    {
        Test::addColumns<QString, bool, QString, bool, bool>("countryCode", "showCode", "first", "checkEnabled",
                                                             "checked");
        QTest::newRow("codes shown") << "US" << true << "AL" << true << true;
        QTest::newRow("names shown") << "US" << false << "Alabama" << true << false;
        QTest::newRow("codes only") << "XA" << false << "A1" << false << true;
        QTest::newRow("names only") << "XB" << true << "Bee" << false << false;
        QTest::newRow("neither") << "XC" << true << "" << true << false;
    }
    void stateMenuShowCodeRules()
    {
        QFETCH(QString, countryCode);
        QFETCH(bool, showCode);
        EditorContext context = ContactCardModel::contextFor(sample(), Field::Address, -1, true);
        AddressEditorModel model(context, countryCode);
        model.setShowCode(showCode);
        const StateMenu menu = model.stateMenu();
        QTEST(menu.entries.value(0), "first");
        QCOMPARE(menu.enabled, !menu.entries.isEmpty());
        QTEST(menu.showCodeEnabled, "checkEnabled");
        QTEST(menu.showCodeChecked, "checked");
    }

    void addressEditorStartsEmptyAndLooksUpJapaneseCodes()
    {
        const ContactEntryPtr contact = sample();
        AddressEditorModel added(ContactCardModel::contextFor(contact, Field::Address, -1, true), u"JP"_s);
        QCOMPARE(added.value().label, u"home"_s);
        QCOMPARE(added.countryMenuTitle(), u"Default (JP)"_s);
        added.setPart(Field::ZIP, u"100"_s);
        // A record found by the first digits gives its code; the placeholder town area gives none.
        ZipAddress found;
        found.zip = u"100-0000"_s;
        found.state = u"東京都"_s;
        found.city = u"千代田区"_s;
        found.street = u"以下に掲載がない場合"_s;
        added.applyZipAddress(found);
        QCOMPARE(added.value().address.zip(), u"100-0000"_s);
        QCOMPARE(added.value().stringValue(), u"100-0000 東京都 千代田区"_s);
        found.zip = u"1000000"_s;
        found.state.clear();
        added.applyZipAddress(found);
        QCOMPARE(added.value().address.zip(), u"100-0000"_s); // same digits: kept as typed
        QCOMPARE(added.value().address.state(), u"東京都"_s); // a record without one keeps it

        const int labelIndex = contact->person->addressValues().first().labelIndex;
        AddressEditorModel existing(ContactCardModel::contextFor(contact, Field::Address, labelIndex, true), u"US"_s);
        QCOMPARE(existing.selectedCountryCode(), u"JP"_s); // predicted from "Japan"
        QCOMPARE(existing.countryMenuTitle(), u"Default (US)"_s);
        existing.chooseCountry(u"DE"_s);
        QCOMPARE(existing.preview(), u"1-1 Chiyoda\n100-0001 Chiyoda-ku\nGermany"_s);
        existing.chooseCountry(QString());
        QVERIFY(existing.value().address.countryCode().isEmpty());
        QCOMPARE(existing.value().address.country(), u"United States"_s);
        const QList<CountryMenuSection> menu = AddressEditorModel::countryMenu();
        QCOMPARE(menu.first().letter, QChar(u'A'));
        QVERIFY(std::any_of(menu.cbegin(), menu.cend(), [](const CountryMenuSection& section) {
            return section.letter == u'J' && section.entries.contains(CountryMenuEntry{"JP", "JP (Japan)"});
        }));
    }

    void editorValuesBecomeOneUndoStep()
    {
        ContactDocument document;
        document.collection().contactTable = ZQVCard().contactsFromVCards(Cards);
        const ContactEntryPtr contact = document.collection().contactTable.first();
        FullNameValue name = EditorValues::fullNameOf(*contact->person);
        QCOMPARE(name.title, u"Dr."_s);
        name.name.firstName = u"Aiko B."_s;
        name.name.showAsPerson = false;
        name.suffix = u"PhD"_s;
        EditorContext context = contextOf(contact, Field::Name, name);
        context.dirty = false;
        QVERIFY(EditorValues::editsFor(context).isEmpty()); // cancelled
        context.dirty = true;
        QVERIFY(EditorValues::apply(document.undoRegistry(), context));
        QCOMPARE(document.undoStack()->count(), 1);
        QCOMPARE(contact->person->nameValue().firstName, u"Aiko B."_s);
        QVERIFY(!contact->person->showAsPerson());
        QCOMPARE(contact->person->stringValueForIdentifier(Field::Suffix), u"PhD"_s);
        document.undoStack()->undo();
        QCOMPARE(contact->person->nameValue().firstName, u"Aiko"_s);
        QVERIFY(contact->person->stringValueForIdentifier(Field::Suffix).isEmpty());
        QVERIFY(!EditorValues::apply(document.undoRegistry(),
                                     contextOf(contact, Field::Name, EditorValues::fullNameOf(*contact->person))));

        // A value whose label index the contact has replaces it; any other is added.
        LabeledValue phone = contact->person->phoneValues().first();
        phone.value = u"+81 90 0000 0000"_s;
        QCOMPARE(EditorValues::editsFor(contextOf(contact, Field::Phone, phone)).first().kind,
                 CellEdit::Kind::ReplaceLabeledValue);
        phone.labelIndex = -1;
        QCOMPARE(EditorValues::editsFor(contextOf(contact, Field::Phone, phone)).first().kind,
                 CellEdit::Kind::AddLabeledValue);
        QVERIFY(EditorValues::apply(document.undoRegistry(), contextOf(contact, Field::Photo, PhotoValue{"data"})));
        QCOMPARE(contact->person->photoData(), QByteArray("data"));
    }

    void labelMenusOfferCustomAndUsedLabels()
    {
        const ContactTable contacts{sample()};
        const QStringList phones = LabelChoices::labels(Field::Phone, contacts);
        QCOMPARE(phones.first(), u"home"_s);
        QVERIFY(phones.contains(u"Cottage"_s));
        QCOMPARE(phones.count(u"mobile"_s), 1);
        QCOMPARE(LabelChoices::addCustomLabel(Field::Email, u"  Lake   house "_s), u"Lake house"_s);
        QVERIFY(LabelChoices::labels(Field::Email, {}).contains(u"Lake house"_s));
        for (const QString& refused : {QString(), u" "_s, u"No label"_s, u"all"_s})
            QVERIFY2(!LabelChoices::addCustomLabel(Field::Email, refused), qPrintable(refused));
        const QStringList services = LabelChoices::instantMessageServices(contacts);
        QCOMPARE(services.first(), u"Jabber"_s);
        QCOMPARE(services.count(u"AIM"_s), 1);
    }

    void listEditingKeepsIdentities()
    {
        LabeledValueList values{LabeledValue::withText(u"home"_s, u"1"_s), LabeledValue::withText(u"work"_s, u"2"_s)};
        values[0].labelIndex = 0;
        values[1].labelIndex = 5;
        MultiValueListModel model(Field::Phone, values);
        QVERIFY(model.isText());
        const int added = model.add(EditorValues::newValue(Field::Phone));
        QCOMPARE(model.values().at(added).labelIndex, 6);
        QVERIFY(!model.move(0, -1));
        QVERIFY(model.move(2, -2));
        model.setText(0, u"3"_s);
        model.setLabel(1, u"Cottage"_s);
        model.add(EditorValues::newValue(Field::Phone)); // left empty: not stored
        const LabeledValueList result = model.result();
        QCOMPARE(result.size(), 3);
        QCOMPARE(result.at(0).stringValue(), u"3"_s);
        QCOMPARE(result.at(1).label, u"Cottage"_s);
        QCOMPARE(result.at(2).labelIndex, 5);
        MultiValueListModel addresses(Field::Address, {});
        QVERIFY(!addresses.isText());
    }

    void photosAreScaledOrKept()
    {
        QImage large(1200, 600, QImage::Format_RGB32);
        large.fill(Qt::darkCyan);
        const QByteArray scaled = PhotoData::fromImage(large);
        QCOMPARE(QImage::fromData(scaled).size(), QSize(512, 256));
        QCOMPARE(QImageReader(new QBuffer(new QByteArray(scaled))).format(), QByteArray("jpeg"));
        QImage clear(600, 100, QImage::Format_ARGB32);
        clear.fill(Qt::transparent);
        QCOMPARE(QImage::fromData(PhotoData::fromImage(clear)).size(), QSize(512, 85));
        QVERIFY(QImage::fromData(PhotoData::fromImage(clear)).hasAlphaChannel());
        // A small PNG is stored as it is; a small BMP is converted.
        QImage small(40, 30, QImage::Format_RGB32);
        small.fill(Qt::red);
        for (const char* format : {"PNG", "BMP"}) {
            QByteArray encoded;
            QBuffer buffer(&encoded);
            buffer.open(QIODevice::WriteOnly);
            small.save(&buffer, format);
            const PhotoData::Result photo = PhotoData::fromEncoded(encoded);
            QCOMPARE(photo.data == encoded, qstrcmp(format, "PNG") == 0);
            QCOMPARE(QImage::fromData(photo.data).size(), QSize(40, 30));
        }
        const PhotoData::Result broken = PhotoData::fromEncoded("not an image");
        QVERIFY(broken.data.isEmpty());
        QVERIFY(!broken.error.isEmpty());
    }

    void cardLinesOfferTheirActions()
    {
        const ContactEntryPtr contact = sample();
        const QList<CardField> lines = ContactCardModel::fields(*contact->person);
        const auto line = [&](const QString& identifier) {
            return *std::find_if(lines.cbegin(), lines.cend(),
                                 [&](const CardField& f) { return f.identifier == identifier; });
        };
        QCOMPARE(line(Field::Title).text, u"Dr."_s);
        QCOMPARE(line(Field::Phone).url, QUrl(u"tel:+819011112222"_s));
        QCOMPARE(line(Field::Email).url, QUrl(u"mailto:aiko@example.jp"_s));
        QCOMPARE(line(Field::URL).url, QUrl(u"http://example.jp"_s));
        QCOMPARE(line(Field::Address).action, CardAction::Map);
        QVERIFY(line(Field::Address).url.toString().startsWith(u"geo:0,0?q="_s));
        QVERIFY(line(Field::Address).alternateUrl.scheme().startsWith(u"http"_s));
        QCOMPARE(line(Field::InstantMessage).action, CardAction::None);
        const QStringList addable = ContactCardModel::addableFields(*contact->person);
        QVERIFY(addable.contains(Field::Phone)); // labelled fields take any number of values
        QVERIFY(addable.contains(Field::Birthday));
        QVERIFY(!addable.contains(Field::Title));
        QCOMPARE(ContactCardModel::editorFor(Field::Birthday), PopoverKind::Date);
        QCOMPARE(ContactCardModel::editorFor(Field::Note), PopoverKind::Value);
    }
};

QTEST_GUILESS_MAIN(TestEditorModels)
#include "tst_editormodels.moc"
