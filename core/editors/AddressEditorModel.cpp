#include "AddressEditorModel.h"

#include "EditorValues.h"
#include "model/AddressFormats.h"
#include "support/CoreTr.h"

#include <QJsonArray>

namespace Quillary {

namespace {

/// What Japan Post lists for codes that have no town areas of their own.
const QString NoTownAreaPlaceholder = QStringLiteral("以下に掲載がない場合");

const QStringList& editedParts()
{
    static const QStringList parts{Field::ZIP, Field::State, Field::City, Field::Street};
    return parts;
}

QString countryName(const AddressFormatEntry& entry)
{
    const QString localized =
        entry.fields.value(QStringLiteral("Country.") + AddressFormats::userLanguage()).toString();
    return localized.isEmpty() ? entry.country : localized;
}

QStringList stringList(const QJsonValue& value)
{
    QStringList result;
    for (const QJsonValue item : value.toArray())
        result.append(item.toString());
    return result;
}

/// The state names of a format entry: in the user's language, else in English, else in any language.
QStringList stateNames(const AddressFormatEntry& entry)
{
    const QJsonObject& fields = entry.fields;
    QStringList names = stringList(fields.value(QStringLiteral("States.") + AddressFormats::userLanguage()));
    if (names.isEmpty())
        names = stringList(fields.value(QStringLiteral("States")));
    for (auto it = fields.constBegin(); names.isEmpty() && it != fields.constEnd(); ++it) {
        if (it.key().startsWith(QLatin1StringView("States.")))
            names = stringList(it.value());
    }
    return names;
}

QString digitsOf(const QString& zip)
{
    QString digits;
    for (const QChar c : zip) {
        if (c.isDigit())
            digits.append(c);
    }
    return digits;
}

} // namespace

AddressEditorModel::AddressEditorModel(const EditorContext& context, const QString& defaultCountryCode)
    : m_value(EditorValues::valueToEdit(context)), m_defaultCountryCode(defaultCountryCode.toUpper())
{
    recompose();
}

QString AddressEditorModel::doneTitle(bool editEnabled) const
{
    if (!editEnabled)
        return Tr::tr("Done");
    return isNew() ? Tr::tr("Add") : Tr::tr("Change");
}

QString AddressEditorModel::selectedCountryCode() const
{
    const QString own = m_value.address.countryCode().toUpper();
    if (!own.isEmpty() || m_value.address.country().isEmpty())
        return own;
    return AddressFormats::predictCountryCode(m_value.address.country());
}

QString AddressEditorModel::effectiveCountryCode() const
{
    const QString selected = selectedCountryCode();
    return selected.isEmpty() ? m_defaultCountryCode : selected;
}

QString AddressEditorModel::defaultCountryTitle() const
{
    return Tr::tr("Default (%1)").arg(m_defaultCountryCode);
}

QString AddressEditorModel::countryMenuTitle() const
{
    const QString own = m_value.address.countryCode().toUpper();
    if (own.isEmpty())
        return defaultCountryTitle();
    const QHash<QString, AddressFormatEntry> formats = AddressFormats::addressFormatDict();
    const auto it = formats.constFind(own);
    return it == formats.constEnd() ? own : QStringLiteral("%1 (%2)").arg(own, countryName(*it));
}

QList<CountryMenuSection> AddressEditorModel::countryMenu()
{
    QList<CountryMenuSection> sections;
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter)
        sections.append({QChar(letter), {}});
    for (const AddressFormatEntry& entry : AddressFormats::addressFormatTable()) {
        const QString code = entry.countryCode.toUpper();
        if (code.isEmpty() || code.front() < u'A' || code.front() > u'Z')
            continue;
        sections[code.front().unicode() - u'A'].entries.append(
            {code, QStringLiteral("%1 (%2)").arg(code, countryName(entry))});
    }
    sections.removeIf([](const CountryMenuSection& section) { return section.entries.isEmpty(); });
    return sections;
}

void AddressEditorModel::chooseCountry(const QString& code)
{
    const QString upper = code.toUpper();
    const QHash<QString, AddressFormatEntry> formats = AddressFormats::addressFormatDict();
    const auto it = formats.constFind(upper.isEmpty() ? m_defaultCountryCode : upper);
    m_value.address.setCountryCode(upper);
    m_value.address.setCountry(it == formats.constEnd() ? QString() : countryName(*it));
    recompose();
}

QStringList AddressEditorModel::partOrder() const
{
    const QStringList order = AddressFormats::addressFormatsOrder(effectiveCountryCode(), QString(), QString());
    QStringList parts;
    for (const QString& word : order.mid(1)) {
        if (editedParts().contains(word) && !parts.contains(word))
            parts.append(word);
    }
    for (const QString& part : editedParts()) {
        if (!parts.contains(part))
            parts.append(part);
    }
    return parts;
}

void AddressEditorModel::setPart(const QString& key, const QString& text)
{
    m_value.address.setPart(key, text);
    recompose();
}

void AddressEditorModel::recompose()
{
    updateAddressValue(m_value, m_defaultCountryCode);
}

QString AddressEditorModel::preview() const
{
    const QHash<QString, AddressFormatEntry> formats = AddressFormats::addressFormatDict();
    const auto it = formats.constFind(effectiveCountryCode());
    if (it == formats.constEnd() || it->formatString.isEmpty())
        return m_value.stringValue();
    QStringList lines;
    QString format = it->formatString;
    format.remove(QChar(0x200E));
    for (const QString& line : format.split(u'\n')) {
        QStringList words;
        for (const QString& word : line.split(u' ', Qt::SkipEmptyParts)) {
            const QString text = m_value.address.part(word);
            if (!text.isEmpty())
                words.append(text);
        }
        if (!words.isEmpty())
            lines.append(words.join(u' '));
    }
    return lines.join(u'\n');
}

StateMenu AddressEditorModel::stateMenu() const
{
    StateMenu menu;
    const QHash<QString, AddressFormatEntry> formats = AddressFormats::addressFormatDict();
    const auto it = formats.constFind(effectiveCountryCode());
    const QStringList codes = it == formats.constEnd() ? QStringList() : stringList(it->fields.value(u"StateCodes"));
    const QStringList names = it == formats.constEnd() ? QStringList() : stateNames(*it);
    menu.showCodeChecked = m_showCode;
    if (codes.isEmpty() && names.isEmpty()) {
        menu.showCodeChecked = false;
    } else if (names.isEmpty()) {
        menu.showCodeEnabled = false; // only codes to show, whatever the check box said before
        menu.showCodeChecked = true;
    } else if (codes.isEmpty()) {
        menu.showCodeEnabled = false;
        menu.showCodeChecked = false;
    }
    menu.entries = menu.showCodeChecked && !codes.isEmpty() ? codes : names;
    menu.enabled = !menu.entries.isEmpty();
    return menu;
}

bool AddressEditorModel::lookupVisible() const
{
    return effectiveCountryCode() == u"JP";
}

bool AddressEditorModel::lookupEnabled(const QString& zipText, bool editEnabled) const
{
    return editEnabled && lookupVisible() && zipText.trimmed().size() >= 3;
}

void AddressEditorModel::applyZipAddress(const ZipAddress& found)
{
    PostalAddress& address = m_value.address;
    if (!found.state.isEmpty())
        address.setState(found.state);
    address.setCity(found.city);
    address.setStreet(found.street == NoTownAreaPlaceholder ? QString() : found.street);
    // "100" finds every code that begins with it; the chosen record's code is the address's.
    if (digitsOf(address.zip()) != digitsOf(found.zip))
        address.setZip(found.zip);
    recompose();
}

QString AddressEditorModel::choiceText(const ZipAddress& address)
{
    QStringList parts{address.zip, address.state, address.city};
    if (address.street != NoTownAreaPlaceholder)
        parts.append(address.street);
    if (!address.company.isEmpty())
        parts.append(address.company);
    parts.removeAll(QString());
    return parts.join(u' ');
}

} // namespace Quillary
