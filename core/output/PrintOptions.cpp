#include "PrintOptions.h"

#include "model/FieldIdentifiers.h"
#include "model/LabelTable.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <cmath>

namespace Quillary {

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(Quillary::Core)
};

const QString AddressListKey = QStringLiteral("Address List Options");
const QString MailingLabelsKey = QStringLiteral("Mailing Labels Options");
const QString EnvelopeKey = QStringLiteral("Envelope Options");
const QString HagakiKey = QStringLiteral("Hagaki Options");
const QString Points = QStringLiteral("points");

// Takes the known keys out of a stored dictionary, reading each through the type the code needs, so
// that what remains are the keys this version does not know.
class MapReader
{
public:
    explicit MapReader(QVariantMap map) : m_map(std::move(map)) { }

    QVariant take(const QString& key) { return m_map.take(key); }
    // Numbers may have been stored as texts ("10"); both read through their numeric value.
    double number(const QString& key)
    {
        const double value = take(key).toDouble();
        return std::isfinite(value) ? value : 0;
    }
    int integer(const QString& key) { return int(std::clamp(number(key), -1e9, 1e9)); }
    bool flag(const QString& key) { return take(key).toBool(); }
    QString text(const QString& key) { return take(key).toString(); }
    QStringList texts(const QString& key) { return take(key).toStringList(); }
    QVariantMap map(const QString& key) { return take(key).toMap(); }
    QVariantList list(const QString& key) { return take(key).toList(); }
    PrintMargins margins()
    {
        PrintMargins margins;
        margins.top = number(QStringLiteral("topMargin"));
        margins.left = number(QStringLiteral("leftMargin"));
        margins.right = number(QStringLiteral("rightMargin"));
        margins.bottom = number(QStringLiteral("bottomMargin"));
        return margins;
    }
    const QVariantMap& rest() const { return m_map; }

private:
    QVariantMap m_map;
};

void insertMargins(QVariantMap& map, const PrintMargins& margins)
{
    map.insert(QStringLiteral("topMargin"), margins.top);
    map.insert(QStringLiteral("leftMargin"), margins.left);
    map.insert(QStringLiteral("rightMargin"), margins.right);
    map.insert(QStringLiteral("bottomMargin"), margins.bottom);
}

QString flagText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

PrintItemList itemsFromList(const QVariantList& list)
{
    PrintItemList items;
    for (const QVariant& row : list) {
        MapReader reader(row.toMap());
        PrintItem item;
        item.title = reader.text(QStringLiteral("Title"));
        item.state = reader.flag(QStringLiteral("State"));
        item.enabled = reader.flag(QStringLiteral("Enabled"));
        if (!item.title.isEmpty())
            items.append(item);
    }
    return items;
}

QVariantList itemsToList(const PrintItemList& items)
{
    QVariantList list;
    for (const PrintItem& item : items)
        list.append(QVariantMap{{QStringLiteral("Title"), item.title},
                                {QStringLiteral("State"), flagText(item.state)},
                                {QStringLiteral("Enabled"), flagText(item.enabled)}});
    return list;
}

QList<LabelPreset> presetsFromList(const QVariantList& list)
{
    QList<LabelPreset> presets;
    for (const QVariant& row : list) {
        MapReader reader(row.toMap());
        LabelPreset preset;
        preset.name = reader.text(QStringLiteral("name"));
        preset.labelWidth = reader.number(QStringLiteral("labelWidth"));
        preset.labelHeight = reader.number(QStringLiteral("labelHeight"));
        preset.hGap = reader.number(QStringLiteral("hGap"));
        preset.vGap = reader.number(QStringLiteral("vGap"));
        presets.append(preset);
    }
    return presets;
}

QVariantList presetsToList(const QList<LabelPreset>& presets)
{
    QVariantList list;
    for (const LabelPreset& preset : presets)
        list.append(QVariantMap{{QStringLiteral("name"), preset.name},
                                {QStringLiteral("labelWidth"), preset.labelWidth},
                                {QStringLiteral("labelHeight"), preset.labelHeight},
                                {QStringLiteral("hGap"), preset.hGap},
                                {QStringLiteral("vGap"), preset.vGap}});
    return list;
}

QMap<QString, QStringList> formatsFromMap(const QVariantMap& map)
{
    QMap<QString, QStringList> formats;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it)
        formats.insert(it.key(), it.value().toStringList());
    return formats;
}

QVariantMap formatsToMap(const QMap<QString, QStringList>& formats)
{
    QVariantMap map;
    for (auto it = formats.constBegin(); it != formats.constEnd(); ++it)
        map.insert(it.key(), it.value());
    return map;
}

} // namespace

// Styles ----------------------------------------------------------------------------------------

const QList<PrintStyle>& PrintStyles::all()
{
    static const QList<PrintStyle> styles{PrintStyle::AddressList, PrintStyle::MailingLabels, PrintStyle::Envelope,
                                          PrintStyle::Hagaki};
    return styles;
}

const QString& PrintStyles::name(PrintStyle style)
{
    static const QString names[] = {QStringLiteral("Address List"), QStringLiteral("Mailing Labels"),
                                    QStringLiteral("Envelope"), QStringLiteral("Hagaki")};
    return names[int(style)];
}

std::optional<PrintStyle> PrintStyles::fromName(QStringView name)
{
    for (PrintStyle style : all()) {
        if (PrintStyles::name(style) == name)
            return style;
    }
    return std::nullopt;
}

QString PrintStyles::localizedName(PrintStyle style)
{
    switch (style) {
    case PrintStyle::AddressList:
        return Tr::tr("Address List");
    case PrintStyle::MailingLabels:
        return Tr::tr("Mailing Labels");
    case PrintStyle::Envelope:
        return Tr::tr("Envelope");
    case PrintStyle::Hagaki:
        return Tr::tr("Hagaki");
    }
    return name(style);
}

// Address List ------------------------------------------------------------------------------------

AddressListOptions AddressListOptions::defaults(const QString& fontName)
{
    AddressListOptions options;
    options.fontName = fontName;
    options.fontSize = 8;
    options.margins = {15, 15, 15, 15};
    options.printFrame = false;
    options.alternatingRow = true;
    options.printCountry = false;
    options.itemTable = PrintOptions::defaultItemTable();
    options.selectedLabels = {LabelText::All};
    return options;
}

AddressListOptions AddressListOptions::fromMap(const QVariantMap& map)
{
    MapReader reader(map);
    AddressListOptions options;
    options.fontName = reader.text(QStringLiteral("fontName"));
    options.fontSize = reader.integer(QStringLiteral("fontSize"));
    options.margins = reader.margins();
    options.printFrame = reader.flag(QStringLiteral("printFrame"));
    options.alternatingRow = reader.flag(QStringLiteral("alternatingRow"));
    options.printCountry = reader.flag(QStringLiteral("printCountry"));
    options.itemTable = itemsFromList(reader.list(QStringLiteral("itemTable")));
    options.selectedLabels = reader.texts(QStringLiteral("selectedLabels"));
    // An empty selection would print no labelled value at all; the accessory never stores one.
    if (options.selectedLabels.isEmpty())
        options.selectedLabels = {LabelText::All};
    options.otherKeys = reader.rest();
    return options;
}

QVariantMap AddressListOptions::toMap() const
{
    QVariantMap map = otherKeys;
    map.insert(QStringLiteral("fontName"), fontName);
    map.insert(QStringLiteral("fontSize"), fontSize);
    insertMargins(map, margins);
    map.insert(QStringLiteral("printFrame"), printFrame);
    map.insert(QStringLiteral("alternatingRow"), alternatingRow);
    map.insert(QStringLiteral("printCountry"), printCountry);
    map.insert(QStringLiteral("itemTable"), itemsToList(itemTable));
    map.insert(QStringLiteral("selectedLabels"), selectedLabels);
    return map;
}

bool AddressListOptions::isLabelSelected(const QString& label) const
{
    return selectedLabels.contains(LabelText::All) || selectedLabels.contains(label);
}

// Mailing Labels ----------------------------------------------------------------------------------

MailingLabelsOptions MailingLabelsOptions::defaults(const QString& fontName)
{
    MailingLabelsOptions options;
    options.fontName = fontName;
    options.fontSize = 8;
    options.unitType = Points;
    options.margins = {10, 10, 10, 10};
    options.printFormat = QStringLiteral("Home address");
    options.printFormatTitles = {QStringLiteral("Address"), QStringLiteral("Address and Phone")};
    options.printFormatDictionary = {
        {QStringLiteral("Address"), {Field::Name, Field::Address}},
        {QStringLiteral("Address and Phone"), {Field::Name, Field::Address, Field::Phone}}};
    options.labelHeight = 60;
    options.labelWidth = 130;
    options.vGap = 5;
    options.hGap = 5;
    options.printFrame = true;
    options.repeatCount = 1;
    options.presetArray = {{QStringLiteral("130x60 points w/5 gap"), 130, 60, 5, 5}};
    return options;
}

MailingLabelsOptions MailingLabelsOptions::fromMap(const QVariantMap& map)
{
    MapReader reader(map);
    MailingLabelsOptions options;
    options.fontName = reader.text(QStringLiteral("fontName"));
    options.fontSize = reader.integer(QStringLiteral("fontSize"));
    options.unitType = reader.text(QStringLiteral("unitType"));
    options.margins = reader.margins();
    options.printFormat = reader.text(QStringLiteral("printFormat"));
    options.printFormatTitles = reader.texts(QStringLiteral("printFormatTitles"));
    options.printFormatDictionary = formatsFromMap(reader.map(QStringLiteral("printFormatDictionary")));
    options.labelHeight = reader.number(QStringLiteral("labelHeight"));
    options.labelWidth = reader.number(QStringLiteral("labelWidth"));
    options.vGap = reader.number(QStringLiteral("vGap"));
    options.hGap = reader.number(QStringLiteral("hGap"));
    options.topOffset = reader.number(QStringLiteral("topOffset"));
    options.leftOffset = reader.number(QStringLiteral("leftOffset"));
    options.printPhone = reader.flag(QStringLiteral("printPhone"));
    options.printCompany = reader.flag(QStringLiteral("printCompany"));
    options.printCountry = reader.flag(QStringLiteral("printCountry"));
    options.printDepartment = reader.flag(QStringLiteral("printDepartment"));
    options.printFrame = reader.flag(QStringLiteral("printFrame"));
    options.repeatCount = reader.integer(QStringLiteral("repeatCount"));
    options.presetArray = presetsFromList(reader.list(QStringLiteral("presetArray")));
    options.otherKeys = reader.rest();
    return options;
}

QVariantMap MailingLabelsOptions::toMap() const
{
    QVariantMap map = otherKeys;
    map.insert(QStringLiteral("fontName"), fontName);
    map.insert(QStringLiteral("fontSize"), fontSize);
    map.insert(QStringLiteral("unitType"), unitType);
    insertMargins(map, margins);
    map.insert(QStringLiteral("printFormat"), printFormat);
    map.insert(QStringLiteral("printFormatTitles"), printFormatTitles);
    map.insert(QStringLiteral("printFormatDictionary"), formatsToMap(printFormatDictionary));
    map.insert(QStringLiteral("labelHeight"), labelHeight);
    map.insert(QStringLiteral("labelWidth"), labelWidth);
    map.insert(QStringLiteral("vGap"), vGap);
    map.insert(QStringLiteral("hGap"), hGap);
    // The offsets have no control of their own; they are kept only when someone set them.
    if (topOffset != 0)
        map.insert(QStringLiteral("topOffset"), topOffset);
    if (leftOffset != 0)
        map.insert(QStringLiteral("leftOffset"), leftOffset);
    map.insert(QStringLiteral("printPhone"), printPhone);
    map.insert(QStringLiteral("printCompany"), printCompany);
    map.insert(QStringLiteral("printCountry"), printCountry);
    map.insert(QStringLiteral("printDepartment"), printDepartment);
    map.insert(QStringLiteral("printFrame"), printFrame);
    map.insert(QStringLiteral("repeatCount"), repeatCount);
    map.insert(QStringLiteral("presetArray"), presetsToList(presetArray));
    return map;
}

// Envelope ----------------------------------------------------------------------------------------

EnvelopeOptions EnvelopeOptions::defaults(const QString& fontName)
{
    EnvelopeOptions options;
    options.fontName = fontName;
    options.fontSize = 8;
    options.unitType = Points;
    options.margins = {20, 20, 20, 20};
    options.printSender = true;
    options.senderLabel = QStringLiteral("Home");
    options.senderLabelIndex = 0;
    return options;
}

EnvelopeOptions EnvelopeOptions::fromMap(const QVariantMap& map)
{
    MapReader reader(map);
    EnvelopeOptions options;
    options.fontName = reader.text(QStringLiteral("fontName"));
    options.fontSize = reader.integer(QStringLiteral("fontSize"));
    options.unitType = reader.text(QStringLiteral("unitType"));
    options.margins = reader.margins();
    options.printSender = reader.flag(QStringLiteral("printSender"));
    options.printPhone = reader.flag(QStringLiteral("printPhone"));
    options.printCompany = reader.flag(QStringLiteral("printCompany"));
    options.printCountry = reader.flag(QStringLiteral("printCountry"));
    options.printDepartment = reader.flag(QStringLiteral("printDepartment"));
    options.printSpouse = reader.flag(QStringLiteral("printSpouse"));
    options.senderLabel = reader.text(QStringLiteral("senderLabel"));
    options.senderLabelIndex = reader.integer(QStringLiteral("senderLabelIndex"));
    options.otherKeys = reader.rest();
    return options;
}

QVariantMap EnvelopeOptions::toMap() const
{
    QVariantMap map = otherKeys;
    map.insert(QStringLiteral("fontName"), fontName);
    map.insert(QStringLiteral("fontSize"), fontSize);
    map.insert(QStringLiteral("unitType"), unitType);
    insertMargins(map, margins);
    map.insert(QStringLiteral("printSender"), printSender);
    map.insert(QStringLiteral("printPhone"), printPhone);
    map.insert(QStringLiteral("printCompany"), printCompany);
    map.insert(QStringLiteral("printCountry"), printCountry);
    map.insert(QStringLiteral("printDepartment"), printDepartment);
    map.insert(QStringLiteral("printSpouse"), printSpouse);
    map.insert(QStringLiteral("senderLabel"), senderLabel);
    map.insert(QStringLiteral("senderLabelIndex"), senderLabelIndex);
    return map;
}

// Hagaki ------------------------------------------------------------------------------------------

HagakiOptions HagakiOptions::defaults()
{
    HagakiOptions options;
    options.fontSize = 16;
    options.fontName = QStringLiteral("HiraMaruPro-W4");
    options.showBackground = true;
    options.hagakiTypeArray = {QStringLiteral("年賀ハガキ"), QStringLiteral("普通ハガキ")};
    options.hagakiType = QStringLiteral("年賀ハガキ");
    options.keishou = QStringLiteral("様");
    options.printSender = true;
    return options;
}

HagakiOptions HagakiOptions::fromMap(const QVariantMap& map)
{
    MapReader reader(map);
    HagakiOptions options;
    options.fontName = reader.text(QStringLiteral("fontName"));
    options.fontSize = reader.integer(QStringLiteral("fontSize"));
    options.topMargin = reader.number(QStringLiteral("topMargin"));
    options.leftMargin = reader.number(QStringLiteral("leftMargin"));
    options.showBackground = reader.flag(QStringLiteral("showBackground"));
    options.hagakiTypeArray = reader.texts(QStringLiteral("hagakiTypeArray"));
    options.hagakiType = reader.text(QStringLiteral("hagakiType"));
    options.keishou = reader.text(QStringLiteral("keishou"));
    options.printCompany = reader.flag(QStringLiteral("printCompany"));
    options.printSender = reader.flag(QStringLiteral("printSender"));
    options.printSpouse = reader.flag(QStringLiteral("printSpouse"));
    options.printChildren = reader.flag(QStringLiteral("printChildren"));
    options.otherKeys = reader.rest();
    return options;
}

QVariantMap HagakiOptions::toMap() const
{
    QVariantMap map = otherKeys;
    map.insert(QStringLiteral("fontName"), fontName);
    map.insert(QStringLiteral("fontSize"), fontSize);
    map.insert(QStringLiteral("topMargin"), topMargin);
    map.insert(QStringLiteral("leftMargin"), leftMargin);
    map.insert(QStringLiteral("showBackground"), showBackground);
    map.insert(QStringLiteral("hagakiTypeArray"), hagakiTypeArray);
    map.insert(QStringLiteral("hagakiType"), hagakiType);
    map.insert(QStringLiteral("keishou"), keishou);
    map.insert(QStringLiteral("printCompany"), printCompany);
    map.insert(QStringLiteral("printSender"), printSender);
    map.insert(QStringLiteral("printSpouse"), printSpouse);
    map.insert(QStringLiteral("printChildren"), printChildren);
    return map;
}

// The whole dictionary ----------------------------------------------------------------------------

PrintOptions PrintOptions::defaults()
{
    return defaults(defaultFontName());
}

PrintOptions PrintOptions::defaults(const QString& fontName)
{
    PrintOptions options;
    options.version = CurrentVersion;
    options.printStyle = PrintStyles::name(PrintStyle::AddressList);
    options.unitType = Points;
    options.addressList = AddressListOptions::defaults(fontName);
    options.mailingLabels = MailingLabelsOptions::defaults(fontName);
    options.envelope = EnvelopeOptions::defaults(fontName);
    options.hagaki = HagakiOptions::defaults();
    return options;
}

PrintOptions PrintOptions::fromMap(const QVariantMap& map)
{
    MapReader reader(map);
    PrintOptions options;
    options.version = reader.integer(QStringLiteral("Version"));
    options.printStyle = reader.text(QStringLiteral("printStyle"));
    options.unitType = reader.text(QStringLiteral("unitType"));
    options.addressList = AddressListOptions::fromMap(reader.map(AddressListKey));
    options.mailingLabels = MailingLabelsOptions::fromMap(reader.map(MailingLabelsKey));
    options.envelope = EnvelopeOptions::fromMap(reader.map(EnvelopeKey));
    options.hagaki = HagakiOptions::fromMap(reader.map(HagakiKey));
    options.otherKeys = reader.rest();
    return options;
}

QVariantMap PrintOptions::toMap() const
{
    QVariantMap map = otherKeys;
    map.insert(QStringLiteral("Version"), version);
    map.insert(QStringLiteral("printStyle"), printStyle);
    map.insert(QStringLiteral("unitType"), unitType);
    map.insert(AddressListKey, addressList.toMap());
    map.insert(MailingLabelsKey, mailingLabels.toMap());
    map.insert(EnvelopeKey, envelope.toMap());
    map.insert(HagakiKey, hagaki.toMap());
    return map;
}

QString PrintOptions::defaultFontName()
{
    // Font families come from the platform integration, which only a GUI application has.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    return QStringLiteral("Sans Serif");
}

PrintItemList PrintOptions::defaultItemTable()
{
    PrintItemList items{{Field::Name, true, false}};
    for (const QString* title :
         {&Field::Address, &Field::Email, &Field::SocialNetwork, &Field::InstantMessage, &Field::Phone, &Field::URL,
          &Field::Nickname, &Field::Company, &Field::Department, &Field::JobTitle, &Field::Suffix, &Field::Relationship,
          &Field::PhoneticName, &Field::Birthday, &Field::Dates, &Field::Note})
        items.append({*title, false, true});
    return items;
}

} // namespace Quillary
