#pragma once

// A contact document read from tests/data/table with the contacts table over it, for the table tests.

#include "TestSupport.h"
#include "documents/ContactDocument.h"
#include "documents/ViewTypes.h"
#include "table/ContactsViewController.h"

#include <QTest>

namespace Quillary::Test {

class TableTestDocument
{
public:
    /// Reads tests/data/table/`file`; the table shows the view type, or `columns` (after "Name")
    /// when given.
    explicit TableTestDocument(const QString& file, const QStringList& columns = {}, Preferences* preferences = nullptr,
                               const QString& viewType = ViewTypeName::Email)
        : controller(document.collection(), &document.undoRegistry(), preferences)
    {
        const DocumentError error = document.read(dataPath(QStringLiteral("table/") + file));
        readOk = !error.isError();
        if (!readOk)
            qWarning("cannot read %s: %s", qPrintable(file), qPrintable(error.recoverySuggestion));
        document.setView(&controller);
        controller.setViewTypes(ViewTypes::documentViewTypes(), viewType);
        if (!columns.isEmpty())
            controller.updateColumnsInTableView(columns);
        controller.updateTable();
    }

    [[nodiscard]] ContactCollection& collection() { return document.collection(); }

    [[nodiscard]] ContactEntryPtr contact(const QString& uniqueId) const
    {
        return document.collection().contact(uniqueId);
    }

    [[nodiscard]] GroupEntryPtr groupNamed(const QString& name) const
    {
        for (const GroupEntryPtr& group : document.collection().groupTable) {
            if (group->groupName == name)
                return group;
        }
        return {};
    }

    [[nodiscard]] int columnOf(const QString& identifier) const
    {
        return int(controller.tableIdentfiers().indexOf(identifier));
    }

    /// The text of every row (the summary row left out) in one column.
    [[nodiscard]] QStringList columnTexts(const QString& identifier) const
    {
        QStringList texts;
        for (int row = 0; row < controller.subContactTable().size(); ++row)
            texts.append(controller.cell(row, columnOf(identifier)).text);
        return texts;
    }

    /// The contact of every row, by unique id.
    [[nodiscard]] QStringList rowIds() const
    {
        QStringList ids;
        for (const SubContactRow& row : controller.subContactTable())
            ids.append(row.uniqueId());
        return ids;
    }

    /// The first row of a contact showing `text` in a column; -1 when there is none.
    [[nodiscard]] int rowShowing(const QString& identifier, const QString& text) const
    {
        return int(columnTexts(identifier).indexOf(text));
    }

    [[nodiscard]] int firstRowOf(const QString& uniqueId) const { return int(rowIds().indexOf(uniqueId)); }

    ContactDocument document;
    ContactsViewController controller;
    bool readOk = false;
};

} // namespace Quillary::Test
