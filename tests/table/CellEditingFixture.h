#pragma once

// A small document shown in a contacts table with the cell editing on top, for the cell-editing
// tests. Rows by name: Alice Archer (two rows: phones 111 home and 222 work), Bob Baker (333),
// Carol Clark (no phone), Dave Dunn (444). Other tests give a file of tests/data/table of their own.

#include "TestSupport.h"
#include "documents/ContactDocument.h"
#include "table/CellEditing.h"
#include "table/ContactsViewController.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace Quillary::Test {

class CellEditingFixture
{
public:
    explicit CellEditingFixture(const QStringList& columns, const QString& file = QStringLiteral("edit-contacts.vcf"))
    {
        // A copy, so that nothing can ever write to the file in the source tree.
        const QString path = m_dir.filePath(file);
        QFile::copy(dataPath(u"table/" + file), path);
        document.setAutosaveDelay(0);
        // Every test needs the file: a run that cannot read it stops here.
        if (document.read(path).isError())
            qFatal("cannot read %s", qPrintable(file));
        controller = std::make_unique<ContactsViewController>(document.collection(), &document.undoRegistry(), nullptr);
        document.setView(controller.get());
        controller->updateColumnsInTableView(columns);
        controller->setEditState(true);
        controller->updateTable();
        editing = std::make_unique<CellEditing>(*controller);
        editing->setConfirmationHandler([this](const Confirmation& confirmation) {
            asked.append(confirmation);
            return answer;
        });
        editing->setReplacePanelHandler([this](ReplaceAlertPanelModel& panel) {
            panels.append(panel);
            if (!panelAnswer)
                return false;
            panel.accept(panelText, panelLabel.isNull() ? panel.label() : panelLabel);
            return true;
        });
    }
    ~CellEditingFixture() { document.setView(nullptr); }
    Q_DISABLE_COPY_MOVE(CellEditingFixture)

    /// The table row of a contact's value position; -1 when there is none.
    [[nodiscard]] int row(const QString& name, int index = 0) const
    {
        const SubContactTable& rows = controller->subContactTable();
        for (int position = 0; position < rows.size(); ++position) {
            if (rows.at(position).person().compositeName() == name && rows.at(position).index == index)
                return position;
        }
        return -1;
    }
    [[nodiscard]] int column(const QString& identifier) const
    {
        return int(controller->tableIdentfiers().indexOf(identifier));
    }
    [[nodiscard]] PersonDsc& person(const QString& name) const
    {
        for (const ContactEntryPtr& contact : document.collection().contactTable) {
            if (contact->person->compositeName() == name)
                return *contact->person;
        }
        qFatal("no contact %s", qPrintable(name));
    }
    [[nodiscard]] QStringList texts(const QString& name, LabeledField field) const
    {
        QStringList result;
        for (const LabeledValue& value : person(name).labeledValues(field))
            result.append(value.stringValue());
        return result;
    }
    [[nodiscard]] QStringList labels(const QString& name, LabeledField field) const
    {
        QStringList result;
        for (const LabeledValue& value : person(name).labeledValues(field))
            result.append(value.label);
        return result;
    }
    [[nodiscard]] int undoSteps() { return document.undoStack()->count(); }
    void select(const QList<int>& rows) { controller->setSelectedIndexes(rows); }

    ContactDocument document;
    std::unique_ptr<ContactsViewController> controller;
    std::unique_ptr<CellEditing> editing;
    // How the window answers.
    QList<Confirmation> asked;
    bool answer = true;
    QList<ReplaceAlertPanelModel> panels;
    bool panelAnswer = true;
    QString panelText;
    QString panelLabel; ///< null: keep the panel's label

private:
    QTemporaryDir m_dir;
};

inline const QString Alice = QStringLiteral("Alice Archer");
inline const QString Bob = QStringLiteral("Bob Baker");
inline const QString Carol = QStringLiteral("Carol Clark");
inline const QString Dave = QStringLiteral("Dave Dunn");

} // namespace Quillary::Test
