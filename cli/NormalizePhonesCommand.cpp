// quillary-cli normalize-phones: rewrite every phone number of a contact file in one layout.

#include "CliCommand.h"

#include "model/FieldIdentifiers.h"
#include "model/NormalizePhoneNumber.h"

namespace Quillary::Cli {

namespace {

// Rewrites the phones of one contact; answers how many changed.
qsizetype normalizePhones(PersonDsc& person, NormalizePhoneNumber& normalizer, const QString& layoutTitle)
{
    qsizetype changed = 0;
    const LabeledValueList phones = person.phoneValues().toList(); // the contact changes on the way
    for (const LabeledValue& phone : phones) {
        const QString number = normalizer.normalizedNumber(phone.value, layoutTitle);
        if (number.isEmpty() || number == phone.value)
            continue;
        LabeledValue replacement = phone;
        replacement.value = number;
        replacement.setStringValue(number);
        if (person.replaceLabeledValue(replacement, Field::Phone))
            ++changed;
    }
    return changed;
}

int normalizePhonesCommand(const QCommandLineParser& parser)
{
    const QString layoutTitle = parser.value(QStringLiteral("layout"));
    if (!NormalizePhoneNumber::layoutForTitle(layoutTitle)) {
        err() << "Unknown --layout \"" << layoutTitle << "\"; one of: \""
              << NormalizePhoneNumber::layoutTitles().join(QStringLiteral("\", \"")) << "\".\n";
        return UsageError;
    }
    const QString output = parser.value(QStringLiteral("output"));
    if (output.isEmpty()) {
        err() << "Missing -o OUT.\n";
        return UsageError;
    }
    ContactFileReader::Result result;
    int exitCode = Success;
    if (!readContacts(parser, result, exitCode))
        return exitCode;

    NormalizePhoneNumber normalizer;
    qsizetype phones = 0;
    qsizetype changed = 0;
    for (const ContactEntryPtr& entry : result.contacts) {
        phones += entry->person->phoneValues().size();
        changed += normalizePhones(*entry->person, normalizer, layoutTitle);
    }
    const ZQVCard converter;
    const QByteArray data =
        converter.vCardsFromContacts(result.contacts, {WriteOption::Note, WriteOption::Photo}, result.groupTable);
    if (!writeFileAtomically(output, data))
        return Failure;
    out() << "phones=" << phones << " changed=" << changed << '\n';
    return Success;
}

const CommandRegistration normalizePhonesRegistration{
    {"normalize-phones", "FILE --layout \"(12) 3456-7890\" -o OUT: rewrite every phone number in one layout",
     [](QCommandLineParser& parser) {
         addEncodingOption(parser);
         parser.addOption({QStringLiteral("layout"),
                           QStringLiteral("Layout, named by its sample: ")
                               + NormalizePhoneNumber::layoutTitles().join(QStringLiteral(" | ")),
                           QStringLiteral("SAMPLE")});
         parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                           QStringLiteral("File to write."),
                           QStringLiteral("OUT")});
         parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("vCard file"));
     },
     normalizePhonesCommand}};

} // namespace

} // namespace Quillary::Cli
