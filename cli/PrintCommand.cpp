// quillary-cli print: every contact of a file as an address list in a PDF.

#include "CliCommand.h"
#include "output/PrintView.h"

#include <QBuffer>
#include <QPageSize>

namespace Quillary::Cli {

namespace {

const QString DefaultItems = QStringLiteral("Phone,Email,Address");

std::optional<QPageSize> pageSize(const QString& name)
{
    if (name.compare(u"A4", Qt::CaseInsensitive) == 0)
        return QPageSize(QPageSize::A4);
    if (name.compare(u"Letter", Qt::CaseInsensitive) == 0)
        return QPageSize(QPageSize::Letter);
    return std::nullopt;
}

// Prints the listed fields in the order given, right after the name, and no others. False (with the
// reason printed) when a field is not one the address list can print.
bool chooseItems(PrintItemList& items, const QString& list)
{
    const auto find = [](const PrintItemList& in, const QString& title) {
        return std::find_if(in.cbegin(), in.cend(),
                            [&](const PrintItem& item) { return item.title.compare(title, Qt::CaseInsensitive) == 0; });
    };
    PrintItemList chosen{items.first()}; // the name, always printed
    for (const QString& part : list.split(u',', Qt::SkipEmptyParts)) {
        const QString title = part.trimmed();
        const auto it = find(items, title);
        if (it == items.cend()) {
            QStringList known;
            for (const PrintItem& item : std::as_const(items).sliced(1))
                known.append(item.title);
            err() << "Unknown item " << title << "; expected some of " << known.join(u", ") << ".\n";
            return false;
        }
        if (find(chosen, title) == chosen.cend())
            chosen.append({it->title, true, it->enabled});
    }
    for (const PrintItem& item : std::as_const(items)) {
        if (find(chosen, item.title) == chosen.cend())
            chosen.append({item.title, false, item.enabled});
    }
    items = chosen;
    return true;
}

int print(const QCommandLineParser& parser)
{
    const QString output = parser.value(QStringLiteral("output"));
    if (output.isEmpty()) {
        err() << "Missing -o OUT.pdf.\n";
        return UsageError;
    }
    const auto paper = pageSize(parser.value(QStringLiteral("paper")));
    if (!paper) {
        err() << "Unknown paper " << parser.value(QStringLiteral("paper")) << "; expected A4 or Letter.\n";
        return UsageError;
    }
    // The user's own print options are left out, so that the same command always prints the same.
    PrintOptions options = PrintOptions::defaults();
    if (!chooseItems(options.addressList.itemTable, parser.value(QStringLiteral("items"))))
        return UsageError;
    ContactFileReader::Result result;
    int exitCode = Success;
    if (!readContacts(parser, result, exitCode))
        return exitCode;

    PrintView view(result.contacts, PaperInfo::fromSize(paper->size(QPageSize::Point)), options);
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    if (!view.writePdf(pdf, *paper)) {
        err() << "Couldn't lay out the PDF.\n";
        return Failure;
    }
    if (!writeFileAtomically(output, pdf.data()))
        return Failure;
    out() << result.contacts.size() << " contacts on " << view.pages() << (view.pages() == 1 ? " page\n" : " pages\n");
    return Success;
}

const CommandRegistration printCommand{
    {"print", "FILE -o OUT.pdf [--paper A4|Letter] [--items Phone,Email,...]: every contact as an address list",
     [](QCommandLineParser& parser) {
         addEncodingOption(parser);
         parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                           QStringLiteral("PDF file to write."),
                           QStringLiteral("OUT.pdf")});
         parser.addOption({QStringLiteral("paper"), QStringLiteral("Paper size: A4 or Letter."),
                           QStringLiteral("PAPER"), QStringLiteral("A4")});
         parser.addOption(
             {QStringLiteral("items"),
              QStringLiteral("Fields printed under each name, in this order (default %1).").arg(DefaultItems),
              QStringLiteral("LIST"), DefaultItems});
         parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("vCard file"));
     },
     print, true}};

} // namespace

} // namespace Quillary::Cli
