// quillary-cli print: every contact of a file as an address list, labels, envelopes or postcards in a PDF.

#include "CliCommand.h"
#include "output/PrintPaper.h"
#include "output/PrintView.h"

#include <QBuffer>
#include <QPageSize>

namespace Quillary::Cli {

namespace {

const QString DefaultItems = QStringLiteral("Phone,Email,Address");

struct StyleName
{
    const char* name;
    PrintStyle style;
};

constexpr StyleName Styles[] = {{"list", PrintStyle::AddressList},
                                {"labels", PrintStyle::MailingLabels},
                                {"envelope", PrintStyle::Envelope},
                                {"hagaki", PrintStyle::Hagaki}};

std::optional<PrintStyle> styleOf(const QString& name)
{
    for (const StyleName& style : Styles) {
        if (name.compare(QLatin1StringView(style.name), Qt::CaseInsensitive) == 0)
            return style.style;
    }
    return std::nullopt;
}

// The sender numbered from 1; none when not asked for. False (with the reason printed) for a number
// the file does not have.
bool chooseSender(const QCommandLineParser& parser, const ContactTable& contacts, ContactEntryPtr& sender)
{
    if (!parser.isSet(QStringLiteral("sender")))
        return true;
    bool ok = false;
    const qsizetype number = parser.value(QStringLiteral("sender")).toLongLong(&ok);
    if (!ok || number < 1 || number > contacts.size()) {
        err() << "--sender expects a contact number from 1 to " << contacts.size() << ".\n";
        return false;
    }
    sender = contacts.at(number - 1);
    return true;
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
    const auto style = styleOf(parser.value(QStringLiteral("style")));
    if (!style) {
        err() << "Unknown style " << parser.value(QStringLiteral("style"))
              << "; expected list, labels, envelope or hagaki.\n";
        return UsageError;
    }
    const auto paper = PrintPaper::fromName(parser.value(QStringLiteral("paper")));
    if (!paper) {
        err() << "Unknown paper " << parser.value(QStringLiteral("paper")) << "; expected one of "
              << PrintPaper::names().join(u", ") << ".\n";
        return UsageError;
    }
    // The user's own print options are left out, so that the same command always prints the same.
    PrintOptions options = PrintOptions::defaults();
    options.printStyle = PrintStyles::name(*style);
    if (!chooseItems(options.addressList.itemTable, parser.value(QStringLiteral("items"))))
        return UsageError;
    ContactFileReader::Result result;
    int exitCode = Success;
    if (!readContacts(parser, result, exitCode))
        return exitCode;

    ContactEntryPtr sender;
    if (!chooseSender(parser, result.contacts, sender))
        return UsageError;

    // Envelopes and postcards take their own paper unless one of their sizes is given.
    const QPageLayout layout =
        PrintPaper::layoutForStyle(*style, QPageLayout(*paper, QPageLayout::Portrait, QMarginsF(), QPageLayout::Point));
    PrintView view(result.contacts, PaperInfo::fromPageLayout(layout), options);
    view.setSender(sender);
    view.setShowsBackground(parser.isSet(QStringLiteral("show-background")));
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    if (!view.writePdf(pdf, layout.pageSize(), layout.orientation())) {
        err() << "Couldn't lay out the PDF.\n";
        return Failure;
    }
    if (!writeFileAtomically(output, pdf.data()))
        return Failure;
    const qsizetype count = result.contacts.size();
    out() << count << (count == 1 ? " contact on " : " contacts on ") << view.pages()
          << (view.pages() == 1 ? " page\n" : " pages\n");
    return Success;
}

const CommandRegistration printCommand{
    {"print",
     "FILE -o OUT.pdf [--style list|labels|envelope|hagaki] [--paper P] [--sender N] [--items Phone,Email,...]: "
     "every contact printed in a style",
     [](QCommandLineParser& parser) {
         addEncodingOption(parser);
         parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                           QStringLiteral("PDF file to write."),
                           QStringLiteral("OUT.pdf")});
         parser.addOption({QStringLiteral("style"), QStringLiteral("list (default), labels, envelope or hagaki."),
                           QStringLiteral("STYLE"), QStringLiteral("list")});
         parser.addOption({QStringLiteral("paper"),
                           QStringLiteral("Paper: %1 (envelopes default to DL, hagaki to the postcard).")
                               .arg(PrintPaper::names().join(u", ")),
                           QStringLiteral("PAPER"), QStringLiteral("A4")});
         parser.addOption({QStringLiteral("sender"),
                           QStringLiteral("Number of the contact (from 1) printed as sender."), QStringLiteral("N")});
         parser.addOption({QStringLiteral("show-background"),
                           QStringLiteral("Draw the postcard's printed boxes too, as the preview shows them.")});
         parser.addOption(
             {QStringLiteral("items"),
              QStringLiteral("Fields printed under each name, in this order (default %1).").arg(DefaultItems),
              QStringLiteral("LIST"), DefaultItems});
         parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("vCard file"));
     },
     print, true}};

} // namespace

} // namespace Quillary::Cli
