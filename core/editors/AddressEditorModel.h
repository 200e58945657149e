#pragma once

#include "ZipDatabase.h"
#include "table/CellEditTypes.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Quillary {

/// One country of the address editor's country menu: "JP (Japan)".
struct CountryMenuEntry
{
    QString code;
    QString title;

    friend bool operator==(const CountryMenuEntry&, const CountryMenuEntry&) = default;
};

/// The countries whose code begins with one letter: a submenu of the country menu.
struct CountryMenuSection
{
    QChar letter;
    QList<CountryMenuEntry> entries;
};

/// The state menu of the address editor and its "Show Code" check box.
struct StateMenu
{
    QStringList entries; ///< state codes or names, as the check box chooses
    bool enabled = false; ///< there is something to choose
    bool showCodeEnabled = true;
    bool showCodeChecked = true;
};

/// The address editor without its window: the address being edited, its country and the order of
/// its parts, the state menu, the composed preview, and the postal-code lookup for Japanese
/// addresses. It changes only its own copy of the address; the editor hands that copy back.
class AddressEditorModel
{
public:
    /// The address of the context (its own value, the contact's value with its label index, or a
    /// new one with an empty postal code), shown with the given default country code.
    AddressEditorModel(const EditorContext& context, const QString& defaultCountryCode);

    [[nodiscard]] const LabeledValue& value() const { return m_value; }
    /// A new address: the editor adds it instead of changing one.
    [[nodiscard]] bool isNew() const { return m_value.labelIndex < 0; }
    /// The title of the editor's Done button: "Change" or "Add" while editing, else "Done".
    [[nodiscard]] QString doneTitle(bool editEnabled) const;

    void setLabel(const QString& label) { m_value.label = label; }

    // Country ------------------------------------------------------------------------------------
    [[nodiscard]] const QString& defaultCountryCode() const { return m_defaultCountryCode; }
    /// The address's own code in upper case, else the code predicted from its country name, else "".
    [[nodiscard]] QString selectedCountryCode() const;
    /// The code the address is laid out for: the selected one, else the default one.
    [[nodiscard]] QString effectiveCountryCode() const;
    /// "Default (US)": the first entry of the country menu.
    [[nodiscard]] QString defaultCountryTitle() const;
    /// What the country menu's button shows: the default entry for an address without a code of
    /// its own, else the address's country entry.
    [[nodiscard]] QString countryMenuTitle() const;
    /// The countries of the address format table by first letter, A to Z, in table order.
    [[nodiscard]] static QList<CountryMenuSection> countryMenu();
    /// Chooses a country by code; "" chooses the default country (the address loses its code).
    void chooseCountry(const QString& code);

    // Parts --------------------------------------------------------------------------------------
    /// "ZIP", "State", "City" and "Street" in the order the address's country writes them.
    [[nodiscard]] QStringList partOrder() const;
    [[nodiscard]] QString part(const QString& key) const { return m_value.address.part(key); }
    /// Sets one of "ZIP", "State", "City", "Street" or "Country" and recomposes the address text.
    void setPart(const QString& key, const QString& text);
    /// The address as its country writes it, one line per line of the country's format.
    [[nodiscard]] QString preview() const;

    // States -------------------------------------------------------------------------------------
    [[nodiscard]] StateMenu stateMenu() const;
    void setShowCode(bool on) { m_showCode = on; }

    // Postal-code lookup ----------------------------------------------------------------------------
    /// The Lookup button is there for Japanese addresses only.
    [[nodiscard]] bool lookupVisible() const;
    /// It can be pressed while editing, from three characters of code on.
    [[nodiscard]] bool lookupEnabled(const QString& zipText, bool editEnabled) const;
    /// Takes a record that was looked up: its prefecture (when it has one), city and town area
    /// ("" for the placeholder of codes without town areas). A record found by a shorter code
    /// also gives the address its full code.
    void applyZipAddress(const ZipAddress& found);
    /// How a record is offered when a code matches several: code, prefecture, city, town area,
    /// and the business's name for business records.
    [[nodiscard]] static QString choiceText(const ZipAddress& address);

private:
    void recompose();

    LabeledValue m_value;
    QString m_defaultCountryCode;
    bool m_showCode = true;
};

} // namespace Quillary
