// quillary-cli table: the contacts table of a file as a user would see it, one line per row.

#include "CliCommand.h"
#include "documents/ContactDocument.h"
#include "documents/ViewTypes.h"
#include "table/ContactsViewController.h"

namespace Quillary::Cli {

namespace {

/// A cell's text on one line: line breaks would cut the row apart.
QString oneLine(QString text)
{
    return text.replace(u'\n', u' ').replace(u'\r', u' ').replace(u'\t', u' ');
}

bool selectGroup(ContactCollection& collection, const QString& name)
{
    for (const GroupEntryPtr& group : std::as_const(collection.groupTable)) {
        if (group->groupName == name || group->groupId == name) {
            collection.selectedGroupDict = group;
            return true;
        }
    }
    return false;
}

int table(const QCommandLineParser& parser)
{
    ContactDocument& document = documentForRun();
    int exitCode = Success;
    if (!readDocument(parser, document, exitCode))
        return exitCode;
    ContactCollection& collection = document.collection();
    if (parser.isSet(QStringLiteral("group")) && !selectGroup(collection, parser.value(QStringLiteral("group")))) {
        err() << "No group named " << parser.value(QStringLiteral("group")) << '\n';
        return UsageError;
    }
    if (parser.isSet(QStringLiteral("labels")))
        collection.selectedLabels = parser.value(QStringLiteral("labels")).split(u',', Qt::SkipEmptyParts);

    ContactsViewController controller(collection, &document.undoRegistry(), nullptr);
    const ViewTypeDict viewTypes = ViewTypes::documentViewTypes();
    const QString viewType = parser.value(QStringLiteral("view"));
    if (!viewTypes.contains(viewType)) {
        err() << "Unknown view type " << viewType << "; one of: " << viewTypes.names().join(QStringLiteral(", "))
              << '\n';
        return UsageError;
    }
    controller.setViewTypes(viewTypes, viewType);
    if (parser.isSet(QStringLiteral("show-name-in-all-rows")))
        controller.toggleShowNameInAllRows();
    const QString sortKey =
        parser.isSet(QStringLiteral("sort")) ? parser.value(QStringLiteral("sort")) : QStringLiteral("compositeName");
    controller.sortDescriptorsDidChange({sortKey, !parser.isSet(QStringLiteral("descending"))});
    controller.updateTable();

    out() << controller.tableIdentfiers().join(u'\t') << '\n';
    const int rows = int(controller.subContactTable().size());
    for (int row = 0; row < rows; ++row) {
        QStringList cells;
        for (int column = 0; column < controller.tableIdentfiers().size(); ++column)
            cells.append(oneLine(controller.cell(row, column).text));
        out() << cells.join(u'\t') << '\n';
    }
    if (controller.rowCount() > 0)
        out() << controller.summaryText() << '\n';
    return Success;
}

const CommandRegistration tableCommand{
    {"table", "FILE: print the contacts table, one tab-separated line per row",
     [](QCommandLineParser& parser) {
         addEncodingOption(parser);
         parser.addOption({QStringLiteral("view"), QStringLiteral("View type (default Email)."), QStringLiteral("TYPE"),
                           QStringLiteral("Email")});
         parser.addOption(
             {QStringLiteral("sort"), QStringLiteral("Sort key (default compositeName)."), QStringLiteral("KEY")});
         parser.addOption({QStringLiteral("descending"), QStringLiteral("Sort in descending order.")});
         parser.addOption({QStringLiteral("labels"), QStringLiteral("Show only values with these labels."),
                           QStringLiteral("home,work")});
         parser.addOption(
             {QStringLiteral("group"), QStringLiteral("Show the members of a group."), QStringLiteral("NAME")});
         parser.addOption({QStringLiteral("show-name-in-all-rows"), QStringLiteral("Repeat the name on every row.")});
         parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("vCard or CSV file"));
     },
     table}};

} // namespace

} // namespace Quillary::Cli
