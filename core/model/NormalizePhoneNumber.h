#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace Quillary {

/// One line of the calling-code table.
struct CountryNumber
{
    QString firstDigit; ///< the first character of `number`
    QString number; ///< the calling code's digits
    QString country; ///< the country's name in English
    QString japaneseCountry; ///< the country's name in Japanese (column "国名")
    QString areaName; ///< the area the country lies in (column "エリア名")

    friend bool operator==(const CountryNumber&, const CountryNumber&) = default;
};

using CountryNumberTable = QList<CountryNumber>;

/// The layouts a phone number can be rewritten in, each named by a sample.
namespace PhoneLayout {
inline const QString FourPlusFour = QStringLiteral("(12) 3456-7890");
inline const QString ThreePlusFour = QStringLiteral("(123) 456-7890");
inline const QString TwoPlusFour = QStringLiteral("(1234) 56-7890");
inline const QString QuadTwo = QStringLiteral("(12) 34 56 78 90");
} // namespace PhoneLayout

/// Rewrites one phone number in a fixed layout: strips punctuation, keeps an extension, recognises an
/// international calling code from the calling-code table and groups the remaining digits. The table
/// from the application's resources is read once per process and shared by every instance; an
/// instance itself is meant for one thread at a time.
class NormalizePhoneNumber
{
public:
    enum class Layout { FourPlusFour, ThreePlusFour, TwoPlusFour, QuadTwo };

    /// Uses the calling codes shipped with the application.
    NormalizePhoneNumber();
    /// Uses the given calling codes (tests, other tables).
    explicit NormalizePhoneNumber(CountryNumberTable countryNumbers);

    /// The calling-code table of the application's resources, parsed on first use.
    [[nodiscard]] static std::shared_ptr<const CountryNumberTable> sharedCountryNumbers();
    /// Reads a calling-code table: a header line, then "code,country,Japanese name,area" per line. A
    /// line with another number of fields gives an empty entry; lines shorter than 2 characters none.
    [[nodiscard]] static CountryNumberTable parseCountryNumbers(const QByteArray& csv);

    /// The table, ordered by code as text.
    [[nodiscard]] const CountryNumberTable& countryNumbers() const { return *m_countryNumbers; }

    /// Prepares a number for the layouts.
    void setPhoneNumber(const QString& text);
    [[nodiscard]] const QString& phoneNumber() const { return m_phoneNumber; }

    [[nodiscard]] QString fourPlusFour() const;
    [[nodiscard]] QString threePlusFour() const;
    [[nodiscard]] QString twoPlusFour() const;
    [[nodiscard]] QString quadTwo() const;
    /// The prepared number in a layout.
    [[nodiscard]] QString formatted(Layout layout) const;

    /// The calling code a "+" number begins with; "" when it has none from the table.
    [[nodiscard]] QString countryNumber(const QString& text) const;

    [[nodiscard]] static QString removeHyphenAndParenthesis(const QString& text);
    /// Writes an extension marker ("ext.", "ext", "x") as "x"; without one, keeps the leading "+" and
    /// digits and drops the trailing text. "" when there are no leading digits, or when dropping the
    /// trailing text would lose digits.
    [[nodiscard]] static QString normalizeExtension(const QString& text);

    /// The layout a menu title names; none for any other title.
    [[nodiscard]] static std::optional<Layout> layoutForTitle(QStringView title);
    /// The titles of the layouts in menu order.
    [[nodiscard]] static QStringList layoutTitles();
    /// A number in the layout a title names; "" for an unknown title or a number without digits.
    [[nodiscard]] QString normalizedNumber(const QString& number, QStringView layoutTitle);

private:
    std::shared_ptr<const CountryNumberTable> m_countryNumbers;
    QString m_phoneNumber;
};

} // namespace Quillary
