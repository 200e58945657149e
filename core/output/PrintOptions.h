#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

namespace Quillary {

/// The ways a selection of contacts can be printed.
enum class PrintStyle : quint8 { AddressList, MailingLabels, Envelope, Hagaki };

namespace PrintStyles {
/// "Address List", "Mailing Labels", "Envelope" or "Hagaki": the stored name and the tab's identifier.
[[nodiscard]] const QString& name(PrintStyle style);
[[nodiscard]] std::optional<PrintStyle> fromName(QStringView name);
/// Every style, in the order of the accessory's tabs.
[[nodiscard]] const QList<PrintStyle>& all();
/// The style's name as the user reads it.
[[nodiscard]] QString localizedName(PrintStyle style);
} // namespace PrintStyles

/// The print job setting that carries the chosen style's name.
inline const QString PrintTypeKey = QStringLiteral("TessaryPrintType");

/// The four margins of a style, in points.
struct PrintMargins
{
    double top = 0;
    double left = 0;
    double right = 0;
    double bottom = 0;

    friend bool operator==(const PrintMargins&, const PrintMargins&) = default;
};

/// One row of the address list's item table: a field and whether it is printed.
struct PrintItem
{
    QString title; ///< field identifier
    bool state = false; ///< printed
    bool enabled = true; ///< the user may switch it

    friend bool operator==(const PrintItem&, const PrintItem&) = default;
};

using PrintItemList = QList<PrintItem>;

/// A named label size of the mailing-label presets, in points.
struct LabelPreset
{
    QString name;
    double labelWidth = 0;
    double labelHeight = 0;
    double hGap = 0;
    double vGap = 0;

    friend bool operator==(const LabelPreset&, const LabelPreset&) = default;
};

/// Options of the "Address List" style.
struct AddressListOptions
{
    QString fontName;
    int fontSize = 0;
    PrintMargins margins;
    bool printFrame = false;
    bool alternatingRow = false;
    bool printCountry = false;
    PrintItemList itemTable;
    QStringList selectedLabels;
    QVariantMap otherKeys; ///< keys this version does not use, kept as they were

    [[nodiscard]] static AddressListOptions defaults(const QString& fontName);
    [[nodiscard]] static AddressListOptions fromMap(const QVariantMap& map);
    [[nodiscard]] QVariantMap toMap() const;
    /// Whether values with that label are printed ("All" passes every label).
    [[nodiscard]] bool isLabelSelected(const QString& label) const;

    friend bool operator==(const AddressListOptions&, const AddressListOptions&) = default;
};

/// Options of the "Mailing Labels" style.
struct MailingLabelsOptions
{
    QString fontName;
    int fontSize = 0;
    QString unitType;
    PrintMargins margins;
    QString printFormat;
    QStringList printFormatTitles;
    QMap<QString, QStringList> printFormatDictionary;
    double labelHeight = 0;
    double labelWidth = 0;
    double vGap = 0;
    double hGap = 0;
    double topOffset = 0; ///< stored only when set
    double leftOffset = 0; ///< stored only when set
    bool printPhone = false;
    bool printCompany = false;
    bool printCountry = false;
    bool printDepartment = false;
    bool printFrame = false;
    int repeatCount = 0;
    QList<LabelPreset> presetArray;
    QVariantMap otherKeys;

    [[nodiscard]] static MailingLabelsOptions defaults(const QString& fontName);
    [[nodiscard]] static MailingLabelsOptions fromMap(const QVariantMap& map);
    [[nodiscard]] QVariantMap toMap() const;

    friend bool operator==(const MailingLabelsOptions&, const MailingLabelsOptions&) = default;
};

/// Options of the "Envelope" style.
struct EnvelopeOptions
{
    QString fontName;
    int fontSize = 0;
    QString unitType;
    PrintMargins margins;
    bool printSender = false;
    bool printPhone = false;
    bool printCompany = false;
    bool printCountry = false;
    bool printDepartment = false;
    bool printSpouse = false;
    QString senderLabel;
    int senderLabelIndex = 0;
    QVariantMap otherKeys;

    [[nodiscard]] static EnvelopeOptions defaults(const QString& fontName);
    [[nodiscard]] static EnvelopeOptions fromMap(const QVariantMap& map);
    [[nodiscard]] QVariantMap toMap() const;

    friend bool operator==(const EnvelopeOptions&, const EnvelopeOptions&) = default;
};

/// Options of the "Hagaki" (Japanese postcard) style.
struct HagakiOptions
{
    QString fontName;
    int fontSize = 0;
    double topMargin = 0;
    double leftMargin = 0;
    bool showBackground = false;
    QStringList hagakiTypeArray;
    QString hagakiType;
    QString keishou; ///< the honorific printed after the recipient's name
    bool printCompany = false;
    bool printSender = false;
    bool printSpouse = false;
    bool printChildren = false;
    QVariantMap otherKeys;

    [[nodiscard]] static HagakiOptions defaults();
    [[nodiscard]] static HagakiOptions fromMap(const QVariantMap& map);
    [[nodiscard]] QVariantMap toMap() const;

    friend bool operator==(const HagakiOptions&, const HagakiOptions&) = default;
};

/// Everything the print accessory lets the user choose, for every style. Persisted as one dictionary
/// whose keys are the member names (the styles' options under "<style> Options"); a value missing
/// from a stored dictionary reads as 0, false or empty, and numbers may be stored as texts.
struct PrintOptions
{
    static constexpr int CurrentVersion = 3;

    int version = CurrentVersion;
    QString printStyle;
    QString unitType; ///< "points", "inches" or "mm": the unit lengths are shown in
    AddressListOptions addressList;
    MailingLabelsOptions mailingLabels;
    EnvelopeOptions envelope;
    HagakiOptions hagaki;
    QVariantMap otherKeys; ///< e.g. "paperWidth" and "paperHeight" when the caller sets the paper

    /// The options of a first run, with the platform's default font.
    [[nodiscard]] static PrintOptions defaults();
    /// The same with a given font family for the first three styles.
    [[nodiscard]] static PrintOptions defaults(const QString& fontName);
    [[nodiscard]] static PrintOptions fromMap(const QVariantMap& map);
    [[nodiscard]] QVariantMap toMap() const;

    /// The style "printStyle" names; none for an unknown name.
    [[nodiscard]] std::optional<PrintStyle> style() const { return PrintStyles::fromName(printStyle); }

    /// The family of the platform's general font; "Sans Serif" without a GUI application.
    [[nodiscard]] static QString defaultFontName();
    /// The item table of a first run: "Name" (always printed), then every other field, unprinted.
    [[nodiscard]] static PrintItemList defaultItemTable();

    friend bool operator==(const PrintOptions&, const PrintOptions&) = default;
};

} // namespace Quillary
