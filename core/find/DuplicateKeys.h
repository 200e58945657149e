#pragma once

#include <QSet>
#include <QString>

namespace Quillary {

/// The keys under which two contacts count as probably the same person: texts folded so that
/// spellings of one value written differently fall together.
class DuplicateKeys
{
public:
    /// Uses the calling codes shipped with the application.
    DuplicateKeys();
    /// Uses the given calling codes (digits only, "81", "1", "1242", ...).
    explicit DuplicateKeys(QSet<QString> callingCodes);

    /// An e-mail address without surrounding blanks, case folded; "" without an "@".
    [[nodiscard]] static QString emailKey(const QString& address);
    /// The national significant digits of a phone number: an international number ("+81 …" or
    /// "0081 …") loses its calling code, and the trunk prefix ("0") goes, so "+81 90-1111-2222"
    /// and "090 1111 2222" both give "9011112222". An extension is left out. "" for numbers of
    /// fewer than 6 such digits, which are too short to tell people apart.
    [[nodiscard]] QString phoneKey(const QString& number) const;
    /// A name part with case, character width and kana folded and blanks removed: "ｱﾝﾄﾞｳ",
    /// "アンドウ" and "あんどう" give the same key.
    [[nodiscard]] static QString foldedName(const QString& text);
    /// First and last name in either order; "" unless both are there.
    [[nodiscard]] static QString nameKey(const QString& firstName, const QString& lastName);

private:
    QSet<QString> m_callingCodes;
};

} // namespace Quillary
