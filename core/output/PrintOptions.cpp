#include "PrintOptions.h"

#include "model/FieldIdentifiers.h"
#include "model/LabelTable.h"
#include "support/CoreTr.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <cmath>

namespace Quillary {

namespace {

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

/// Reads the fields that an options type lists into its members.
class FieldReader
{
public:
    explicit FieldReader(const QVariantMap& map) : m_reader(map) { }

    void operator()(const QString& key, QString& value) { value = m_reader.text(key); }
    void operator()(const QString& key, int& value) { value = m_reader.integer(key); }
    void operator()(const QString& key, double& value) { value = m_reader.number(key); }
    void operator()(const QString& key, bool& value) { value = m_reader.flag(key); }
    void operator()(const QString& key, QStringList& value) { value = m_reader.texts(key); }
    void operator()(const QString& key, PrintItemList& value) { value = itemsFromList(m_reader.list(key)); }
    void operator()(const QString& key, QList<LabelPreset>& value) { value = presetsFromList(m_reader.list(key)); }
    void operator()(const QString& key, QMap<QString, QStringList>& value)
    {
        value = formatsFromMap(m_reader.map(key));
    }
    // The margins are stored as four keys of their own ("topMargin", …).
    void operator()(const QString&, PrintMargins& value) { value = m_reader.margins(); }
    template <typename Options>
    requires requires { Options::fromMap(QVariantMap()); }
    void operator()(const QString& key, Options& value) { value = Options::fromMap(m_reader.map(key)); }
    /// A number that is stored only when it is set.
    void optional(const QString& key, double& value) { (*this)(key, value); }

    [[nodiscard]] const QVariantMap& rest() const { return m_reader.rest(); }

private:
    MapReader m_reader;
};

/// Writes the fields that an options type lists over the keys it keeps from newer versions.
class FieldWriter
{
public:
    explicit FieldWriter(const QVariantMap& otherKeys) : m_map(otherKeys) { }

    template <typename Value> void operator()(const QString& key, const Value& value)
    {
        m_map.insert(key, QVariant::fromValue(value));
    }
    void operator()(const QString& key, const PrintItemList& value) { m_map.insert(key, itemsToList(value)); }
    void operator()(const QString& key, const QList<LabelPreset>& value) { m_map.insert(key, presetsToList(value)); }
    void operator()(const QString& key, const QMap<QString, QStringList>& value)
    {
        m_map.insert(key, formatsToMap(value));
    }
    // The margins are stored as four keys of their own ("topMargin", …).
    void operator()(const QString&, const PrintMargins& value) { insertMargins(m_map, value); }
    template <typename Options>
    requires requires(const Options& options) { options.toMap(); }
    void operator()(const QString& key, const Options& value) { m_map.insert(key, value.toMap()); }
    void optional(const QString& key, double value)
    {
        if (value != 0)
            m_map.insert(key, value);
    }

    [[nodiscard]] const QVariantMap& map() const { return m_map; }

private:
    QVariantMap m_map;
};

// The stored fields of each options type, listed once for reading and writing. `Options` is const
// when writing.

template <typename Fields, typename Options> void addressListFields(Fields& field, Options& options)
{
    field(QStringLiteral("fontName"), options.fontName);
    field(QStringLiteral("fontSize"), options.fontSize);
    field(QStringLiteral("margins"), options.margins);
    field(QStringLiteral("printFrame"), options.printFrame);
    field(QStringLiteral("alternatingRow"), options.alternatingRow);
    field(QStringLiteral("printCountry"), options.printCountry);
    field(QStringLiteral("itemTable"), options.itemTable);
    field(QStringLiteral("selectedLabels"), options.selectedLabels);
}

template <typename Fields, typename Options> void mailingLabelsFields(Fields& field, Options& options)
{
    field(QStringLiteral("fontName"), options.fontName);
    field(QStringLiteral("fontSize"), options.fontSize);
    field(QStringLiteral("unitType"), options.unitType);
    field(QStringLiteral("margins"), options.margins);
    field(QStringLiteral("printFormat"), options.printFormat);
    field(QStringLiteral("printFormatTitles"), options.printFormatTitles);
    field(QStringLiteral("printFormatDictionary"), options.printFormatDictionary);
    field(QStringLiteral("labelHeight"), options.labelHeight);
    field(QStringLiteral("labelWidth"), options.labelWidth);
    field(QStringLiteral("vGap"), options.vGap);
    field(QStringLiteral("hGap"), options.hGap);
    // The offsets have no control of their own; they are kept only when someone set them.
    field.optional(QStringLiteral("topOffset"), options.topOffset);
    field.optional(QStringLiteral("leftOffset"), options.leftOffset);
    field(QStringLiteral("printPhone"), options.printPhone);
    field(QStringLiteral("printCompany"), options.printCompany);
    field(QStringLiteral("printCountry"), options.printCountry);
    field(QStringLiteral("printDepartment"), options.printDepartment);
    field(QStringLiteral("printFrame"), options.printFrame);
    field(QStringLiteral("repeatCount"), options.repeatCount);
    field(QStringLiteral("presetArray"), options.presetArray);
}

template <typename Fields, typename Options> void envelopeFields(Fields& field, Options& options)
{
    field(QStringLiteral("fontName"), options.fontName);
    field(QStringLiteral("fontSize"), options.fontSize);
    field(QStringLiteral("unitType"), options.unitType);
    field(QStringLiteral("margins"), options.margins);
    field(QStringLiteral("printSender"), options.printSender);
    field(QStringLiteral("printPhone"), options.printPhone);
    field(QStringLiteral("printCompany"), options.printCompany);
    field(QStringLiteral("printCountry"), options.printCountry);
    field(QStringLiteral("printDepartment"), options.printDepartment);
    field(QStringLiteral("printSpouse"), options.printSpouse);
    field(QStringLiteral("senderLabel"), options.senderLabel);
    field(QStringLiteral("senderLabelIndex"), options.senderLabelIndex);
}

template <typename Fields, typename Options> void hagakiFields(Fields& field, Options& options)
{
    field(QStringLiteral("fontName"), options.fontName);
    field(QStringLiteral("fontSize"), options.fontSize);
    field(QStringLiteral("topMargin"), options.topMargin);
    field(QStringLiteral("leftMargin"), options.leftMargin);
    field(QStringLiteral("showBackground"), options.showBackground);
    field(QStringLiteral("hagakiTypeArray"), options.hagakiTypeArray);
    field(QStringLiteral("hagakiType"), options.hagakiType);
    field(QStringLiteral("keishou"), options.keishou);
    field(QStringLiteral("printCompany"), options.printCompany);
    field(QStringLiteral("printSender"), options.printSender);
    field(QStringLiteral("printSpouse"), options.printSpouse);
    field(QStringLiteral("printChildren"), options.printChildren);
}

template <typename Fields, typename Options> void printOptionsFields(Fields& field, Options& options)
{
    field(QStringLiteral("Version"), options.version);
    field(QStringLiteral("printStyle"), options.printStyle);
    field(QStringLiteral("unitType"), options.unitType);
    field(AddressListKey, options.addressList);
    field(MailingLabelsKey, options.mailingLabels);
    field(EnvelopeKey, options.envelope);
    field(HagakiKey, options.hagaki);
}

/// Options read from a stored dictionary through their list of fields; keys the list does not name
/// are kept.
template <typename Options, typename ListFields> Options readOptions(const QVariantMap& map, ListFields listFields)
{
    FieldReader reader(map);
    Options options;
    listFields(reader, options);
    options.otherKeys = reader.rest();
    return options;
}

/// The stored dictionary of options through their list of fields.
template <typename Options, typename ListFields> QVariantMap writeOptions(const Options& options, ListFields listFields)
{
    FieldWriter writer(options.otherKeys);
    listFields(writer, options);
    return writer.map();
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
    AddressListOptions options =
        readOptions<AddressListOptions>(map, [](auto& fields, auto& options) { addressListFields(fields, options); });
    // An empty selection would print no labelled value at all; the accessory never stores one.
    if (options.selectedLabels.isEmpty())
        options.selectedLabels = {LabelText::All};
    return options;
}

QVariantMap AddressListOptions::toMap() const
{
    return writeOptions(*this, [](auto& fields, auto& options) { addressListFields(fields, options); });
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
    return readOptions<MailingLabelsOptions>(map,
                                             [](auto& fields, auto& options) { mailingLabelsFields(fields, options); });
}

QVariantMap MailingLabelsOptions::toMap() const
{
    return writeOptions(*this, [](auto& fields, auto& options) { mailingLabelsFields(fields, options); });
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
    return readOptions<EnvelopeOptions>(map, [](auto& fields, auto& options) { envelopeFields(fields, options); });
}

QVariantMap EnvelopeOptions::toMap() const
{
    return writeOptions(*this, [](auto& fields, auto& options) { envelopeFields(fields, options); });
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
    return readOptions<HagakiOptions>(map, [](auto& fields, auto& options) { hagakiFields(fields, options); });
}

QVariantMap HagakiOptions::toMap() const
{
    return writeOptions(*this, [](auto& fields, auto& options) { hagakiFields(fields, options); });
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
    return readOptions<PrintOptions>(map, [](auto& fields, auto& options) { printOptionsFields(fields, options); });
}

QVariantMap PrintOptions::toMap() const
{
    return writeOptions(*this, [](auto& fields, auto& options) { printOptionsFields(fields, options); });
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
