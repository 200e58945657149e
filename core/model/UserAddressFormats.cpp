#include "UserAddressFormats.h"

#include "AddressFormats.h"

#include <QFile>
#include <QJsonDocument>
#include <QStandardPaths>

namespace Quillary::UserAddressFormats {

QString path()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Quillary/AddressFormat.json");
}

Outcome apply(const QString& file)
{
    QFile input(file);
    if (!input.exists())
        return Outcome::NoFile;
    if (!input.open(QIODevice::ReadOnly))
        return Outcome::Unreadable;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(input.readAll(), &error);
    const QJsonArray entries = document.object().value(QStringLiteral("AddressFormat")).toArray();
    // Entries without a country code would replace nothing and only hide the table's mistakes.
    const bool usable = error.error == QJsonParseError::NoError && !entries.isEmpty()
        && std::all_of(entries.begin(), entries.end(), [](const QJsonValue& entry) {
                            return !entry.toObject().value(QStringLiteral("CountryCode")).toString().isEmpty();
                        });
    if (!usable)
        return Outcome::Unreadable;
    AddressFormats::setAddressFormatTable(entries);
    return Outcome::Applied;
}

} // namespace Quillary::UserAddressFormats
