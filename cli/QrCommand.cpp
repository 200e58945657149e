// quillary-cli qr: one contact of a file as a QR code, with the panel's first ticks.

#include "CliCommand.h"
#include "output/QRCodeImage.h"
#include "output/QRCodePayload.h"
#include "output/QRCodeSelection.h"

namespace Quillary::Cli {

namespace {

// The contact numbered from 1; prints the reason and sets `exitCode` when there is none.
ContactEntryPtr chosenContact(const QCommandLineParser& parser, const ContactTable& contacts, int& exitCode)
{
    bool ok = false;
    const qsizetype number = parser.value(QStringLiteral("contact")).toLongLong(&ok);
    if (!ok || number < 1) {
        err() << "--contact expects a number from 1.\n";
        exitCode = UsageError;
        return {};
    }
    if (number > contacts.size()) {
        err() << "The file has " << contacts.size() << " contacts; there is no contact " << number << ".\n";
        exitCode = Failure;
        return {};
    }
    return contacts.at(number - 1);
}

struct TickType
{
    const char* name;
    FieldId type;
};

constexpr TickType TickTypes[] = {{"phone", FieldId::Phone},
                                  {"email", FieldId::Email},
                                  {"address", FieldId::Address},
                                  {"url", FieldId::URL}};

// Ticks rows as "--tick phone:2,email:1" says: a type named there gets exactly the listed rows
// (numbered from 1 within the type), the others keep the first ticks. "--org" ticks company and
// department, "--title" the job title. False (with the reason printed) for a row the contact lacks.
bool applyTicks(const QCommandLineParser& parser, QRCodeSelection& selection)
{
    QHash<FieldId, QList<qsizetype>> chosen;
    for (const QString& part : parser.value(QStringLiteral("tick")).split(u',', Qt::SkipEmptyParts)) {
        const QString name = part.section(u':', 0, 0).trimmed();
        bool ok = false;
        const qsizetype number = part.section(u':', 1).trimmed().toLongLong(&ok);
        const auto type = std::find_if(std::begin(TickTypes), std::end(TickTypes), [&](const TickType& tick) {
            return name.compare(QLatin1StringView(tick.name), Qt::CaseInsensitive) == 0;
        });
        if (type == std::end(TickTypes) || !ok) {
            err() << "--tick expects TYPE:N,... with TYPE phone, email, address or url; not " << part << ".\n";
            return false;
        }
        const QList<qsizetype> rows = selection.rowsOf(type->type);
        if (number < 1 || number > rows.size()) {
            err() << "The contact has " << rows.size() << " " << type->name << " rows; there is no " << part << ".\n";
            return false;
        }
        chosen[type->type].append(rows.at(number - 1));
    }
    for (auto it = chosen.cbegin(); it != chosen.cend(); ++it) {
        for (qsizetype row = 0; row < selection.size(); ++row) {
            if (selection.at(row).type == it.key())
                selection.setSelected(row, it->contains(row));
        }
    }
    for (qsizetype row = 0; row < selection.size(); ++row) {
        const FieldId type = selection.at(row).type;
        if ((parser.isSet(QStringLiteral("org")) && (type == FieldId::Company || type == FieldId::Department))
            || (parser.isSet(QStringLiteral("title")) && type == FieldId::JobTitle))
            selection.setSelected(row, true);
    }
    return true;
}

int qr(const QCommandLineParser& parser)
{
    const QString output = parser.value(QStringLiteral("output"));
    const bool printPayload = parser.isSet(QStringLiteral("payload"));
    if (output.isEmpty() && !printPayload) {
        err() << "Missing -o OUT.png (or --payload).\n";
        return UsageError;
    }
    const auto format = QRCodeFormats::fromTitle(parser.value(QStringLiteral("format")));
    if (!format) {
        err() << "Unknown format " << parser.value(QStringLiteral("format")) << "; expected one of "
              << QRCodeFormats::titles().join(QStringLiteral(", ")) << ".\n";
        return UsageError;
    }
    ContactFileReader::Result result;
    int exitCode = Success;
    if (!readContacts(parser, result, exitCode))
        return exitCode;
    const ContactEntryPtr contact = chosenContact(parser, result.contacts, exitCode);
    if (!contact)
        return exitCode;

    QRCodeSelection selection(*contact->person);
    if (!applyTicks(parser, selection))
        return UsageError;
    const QString payload = QRCodePayload::payload(*format, *contact->person, selection);
    if (payload.isEmpty()) {
        err() << "The contact has nothing to encode as " << QRCodeFormats::title(*format) << ".\n";
        return Failure;
    }
    if (printPayload)
        out() << payload;
    if (output.isEmpty())
        return Success;
    const QByteArray png = QRCodeImage::pngData(QRCodeImage::render(payload));
    if (png.isEmpty()) {
        err() << "The payload (" << payload.toUtf8().size() << " bytes) does not fit in a QR code.\n";
        return Failure;
    }
    return writeFileAtomically(output, png) ? Success : Failure;
}

const CommandRegistration qrCommand{
    {"qr",
     "FILE [--contact N] [--format F] [--tick phone:2,email:1,...] [--org] [--title] -o OUT.png | --payload: "
     "one contact as a QR code",
     [](QCommandLineParser& parser) {
         addEncodingOption(parser);
         parser.addOption({QStringLiteral("contact"), QStringLiteral("Number of the contact in the file, from 1."),
                           QStringLiteral("N"), QStringLiteral("1")});
         parser.addOption({QStringLiteral("format"),
                           QStringLiteral("Payload format: %1.").arg(QRCodeFormats::titles().join(u", ")),
                           QStringLiteral("F"), QRCodeFormats::title(QRCodeFormat::VCard)});
         parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                           QStringLiteral("PNG file to write."),
                           QStringLiteral("OUT.png")});
         parser.addOption({QStringLiteral("tick"),
                           QStringLiteral("Rows to put in, numbered from 1 per type: phone:2,email:1,address:1,url:1 "
                                          "(a type not named keeps its first row)."),
                           QStringLiteral("LIST")});
         parser.addOption({QStringLiteral("org"), QStringLiteral("Put company and department in (vCard).")});
         parser.addOption({QStringLiteral("title"), QStringLiteral("Put the job title in (vCard).")});
         parser.addOption({QStringLiteral("payload"), QStringLiteral("Print the payload text, exactly as encoded.")});
         parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("vCard file"));
     },
     qr}};

} // namespace

} // namespace Quillary::Cli
