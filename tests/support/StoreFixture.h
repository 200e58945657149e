#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

namespace Quillary::Test {

/// An address-book store in a temporary folder, with sample cards to put into it.
class StoreFixture
{
public:
    StoreFixture();

    [[nodiscard]] QString root() const { return m_dir.filePath(QStringLiteral("store")); }
    [[nodiscard]] QString path(const QString& relative) const;
    /// Writes a file under the root (folders are made), CR LF line ends put in for LF.
    void write(const QString& relative, const QByteArray& text) const;
    [[nodiscard]] QByteArray read(const QString& relative) const;
    /// The names of the files of a folder under the root, sorted ("" for none).
    [[nodiscard]] QStringList files(const QString& folder) const;
    /// Every ".vcf" file under the root with its content.
    [[nodiscard]] QMap<QString, QByteArray> cards() const;

    /// A local account with Ann (in the group Friends, with a property no field holds), Bob, and
    /// the group Friends (with a member whose card is not there); and an account "Work" in the
    /// folder "work" with Carol.
    void writeTwoAccounts() const;

    /// A card with a name, a unique id and optional further lines (LF line ends).
    [[nodiscard]] static QByteArray card(const QString& uid, const QString& first, const QString& last,
                                         const QByteArray& more = {});

private:
    QTemporaryDir m_dir;
};

} // namespace Quillary::Test
