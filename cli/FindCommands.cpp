// quillary-cli find and duplicates: the find panel's search and Replace All, and the duplicate
// finder, over a contact file.

#include "CliCommand.h"

#include "documents/UndoRegistry.h"
#include "find/DuplicateFinder.h"
#include "find/FindMenus.h"
#include "find/FindPanelModel.h"

namespace Quillary::Cli {

namespace {

/// A field of a tab-separated line: tabs, line breaks and backslashes written as \t, \n, \\.
QString tsvField(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\')
            escaped += QStringLiteral("\\\\");
        else if (c == u'\t')
            escaped += QStringLiteral("\\t");
        else if (c == u'\n')
            escaped += QStringLiteral("\\n");
        else if (c != u'\r')
            escaped += c;
    }
    return escaped;
}

std::optional<SearchMode> modeNamed(const QString& name)
{
    if (name == u"insensitive")
        return SearchMode::CaseInsensitive;
    if (name == u"sensitive")
        return SearchMode::CaseSensitive;
    if (name == u"regex")
        return SearchMode::Regex;
    return std::nullopt;
}

/// The entries of a comma-separated option, each one of `allowed`; "All" when the option is unset.
bool listOption(const QCommandLineParser& parser, const QString& option, const QStringList& allowed,
                QStringList& entries)
{
    entries = {QStringLiteral("All")};
    if (!parser.isSet(option))
        return true;
    entries = parser.value(option).split(u',', Qt::SkipEmptyParts);
    for (QString& entry : entries) {
        entry = entry.trimmed();
        if (!allowed.contains(entry)) {
            err() << "Unknown --" << option << " entry \"" << entry << "\"; one of: " << allowed.join(u',') << '\n';
            return false;
        }
    }
    return !entries.isEmpty();
}

/// The panel's search set up from the options; false with the usage error printed.
bool configure(const QCommandLineParser& parser, FindPanelModel& panel)
{
    const std::optional<SearchMode> mode = modeNamed(parser.value(QStringLiteral("mode")));
    if (!mode) {
        err() << "Unknown --mode \"" << parser.value(QStringLiteral("mode"))
              << "\"; one of: insensitive, sensitive, regex.\n";
        return false;
    }
    if (parser.value(QStringLiteral("text")).isEmpty()) {
        err() << "Missing --text T.\n";
        return false;
    }
    panel.setUp();
    QStringList items, subItems, labels;
    if (!listOption(parser, QStringLiteral("items"), panel.items(), items)
        || !listOption(parser, QStringLiteral("sub-items"), panel.subItems(), subItems)
        || !listOption(parser, QStringLiteral("labels"), FindMenus::labelEntriesForOpener(), labels))
        return false;
    panel.setSelectedItems(items);
    panel.setSelectedSubItems(subItems);
    panel.setSelectedLabels(labels);
    panel.setSearchMode(*mode);
    panel.setSearchString(parser.value(QStringLiteral("text")));
    return true;
}

int findCommand(const QCommandLineParser& parser)
{
    const bool replacing = parser.isSet(QStringLiteral("replace"));
    const QString output = parser.value(QStringLiteral("output"));
    if (replacing && output.isEmpty()) {
        err() << "--replace needs -o OUT.\n";
        return UsageError;
    }
    ContactFileReader::Result result;
    int exitCode = Success;
    if (!readContacts(parser, result, exitCode))
        return exitCode;
    ContactCollection collection;
    collection.contactTable = result.contacts;
    collection.groupTable = result.groupTable;
    UndoRegistry registry(collection);
    FindPanelModel panel;
    panel.setContacts(collection.contactTable);
    panel.setDelegate(&registry);
    if (!configure(parser, panel))
        return UsageError;
    panel.setEditState(true);
    panel.updateTable();
    if (!panel.errorString().isEmpty()) {
        err() << "--text: " << panel.errorString() << '\n';
        return Failure;
    }
    if (!replacing) {
        for (const FindRecordPtr& record : panel.searchResults()) {
            out() << tsvField(record->name) << '\t' << record->item << '\t' << record->subItem << '\t'
                  << tsvField(record->label) << '\t' << tsvField(record->value) << '\n';
        }
        return Success;
    }
    const qsizetype records = panel.searchResults().size();
    const qsizetype replaced = panel.replaceAll(parser.value(QStringLiteral("replace")));
    const QByteArray data = ZQVCard().vCardsFromContacts(
        collection.contactTable, {WriteOption::Note, WriteOption::Photo}, collection.groupTable);
    if (!writeFileAtomically(output, data))
        return Failure;
    out() << "records=" << records << " replaced=" << replaced << '\n';
    return Success;
}

int duplicatesCommand(const QCommandLineParser& parser)
{
    ContactFileReader::Result result;
    int exitCode = Success;
    if (!readContacts(parser, result, exitCode))
        return exitCode;
    for (const DuplicateGroup& group : DuplicateFinder().findGroups(result.contacts)) {
        for (const qsizetype member : group.members)
            out() << (member + 1) << '\t';
        out() << tsvField(group.reasonText()) << '\n';
    }
    return Success;
}

const CommandRegistration findRegistration{
    {"find", "FILE --text T [--mode M] [--items I,J] [--labels L] [--replace R -o OUT]: search every field",
     [](QCommandLineParser& parser) {
         addEncodingOption(parser);
         parser.addOption({QStringLiteral("text"), QStringLiteral("Text or pattern to find."), QStringLiteral("T")});
         parser.addOption({QStringLiteral("mode"), QStringLiteral("insensitive (default), sensitive or regex."),
                           QStringLiteral("M"), QStringLiteral("insensitive")});
         parser.addOption({QStringLiteral("items"),
                           QStringLiteral("Fields to search (default: all), e.g. Phone,Email."),
                           QStringLiteral("I,J")});
         parser.addOption({QStringLiteral("sub-items"),
                           QStringLiteral("Parts to search, e.g. City or FirstName (default: all)."),
                           QStringLiteral("S")});
         parser.addOption({QStringLiteral("labels"), QStringLiteral("Labels to search, e.g. home,work (default: all)."),
                           QStringLiteral("L")});
         parser.addOption({QStringLiteral("replace"),
                           QStringLiteral("Replace every occurrence (\\1 … \\9 name groups in regex mode)."),
                           QStringLiteral("R")});
         parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                           QStringLiteral("vCard file to write the replaced contacts to."),
                           QStringLiteral("OUT")});
         parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("vCard or CSV file"));
     },
     findCommand}};

const CommandRegistration duplicatesRegistration{
    {"duplicates", "FILE: groups of contacts that share an e-mail address, a phone number or a name",
     [](QCommandLineParser& parser) {
         addEncodingOption(parser);
         parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("vCard or CSV file"));
     },
     duplicatesCommand}};

} // namespace

} // namespace Quillary::Cli
