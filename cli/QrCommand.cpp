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

    const QString payload = QRCodePayload::payload(*format, *contact->person, QRCodeSelection(*contact->person));
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
    {"qr", "FILE [--contact N] [--format F] -o OUT.png | --payload: one contact as a QR code",
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
         parser.addOption({QStringLiteral("payload"), QStringLiteral("Print the payload text, exactly as encoded.")});
         parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("vCard file"));
     },
     qr}};

} // namespace

} // namespace Quillary::Cli
