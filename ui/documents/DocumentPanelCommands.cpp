#include "DocumentPanelCommands.h"

#include "ContactPane.h"
#include "WindowContactCommands.h"
#include "documents/ContactOwner.h"
#include "editors/MergePanelController.h"
#include "find/DuplicateFinderDialog.h"
#include "find/FindMenus.h"
#include "find/FindPanel.h"
#include "find/FindPanelModel.h"
#include "table/ContactsViewController.h"

#include <QAction>

namespace Quillary::Ui {

DocumentPanelCommands::DocumentPanelCommands(ContactPane* pane)
    : QObject(pane), m_pane(pane), m_findPanel(new QAction(tr("Find Panel…"), pane)),
      m_merge(new QAction(tr("Merge Contacts…"), pane)), m_findDuplicates(new QAction(tr("Find Duplicates…"), pane))
{
    m_findPanel->setObjectName(QStringLiteral("findPanelAction"));
    m_findPanel->setShortcut(QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F));
    m_merge->setObjectName(QStringLiteral("mergeContactsAction"));
    m_findDuplicates->setObjectName(QStringLiteral("findDuplicatesAction"));
    connect(m_findPanel, &QAction::triggered, this, &DocumentPanelCommands::showFindPanel);
    connect(m_merge, &QAction::triggered, this, &DocumentPanelCommands::mergeContacts);
    connect(m_findDuplicates, &QAction::triggered, this, &DocumentPanelCommands::findDuplicates);
}

DocumentPanelCommands::~DocumentPanelCommands() = default;

void DocumentPanelCommands::panelOpened(QDialog* panel)
{
    m_panel = panel;
    panel->setAttribute(Qt::WA_DeleteOnClose);
    connect(panel, &QObject::destroyed, this, &DocumentPanelCommands::validate, Qt::QueuedConnection);
    panel->open();
    validate();
}

void DocumentPanelCommands::showFindPanel()
{
    if (m_panel)
        return;
    ContactOwner* document = m_pane->owner();
    auto* panel = new FindPanel(m_pane);
    FindPanelModel& model = panel->model();
    model.setSearchString(FindPanel::lastSearchString());
    model.setContacts(document->collection().contactTable);
    // The table's columns are what is searched at first; columns that are not fields are left out.
    const QStringList fields = FindMenus::itemEntries({});
    QStringList columns;
    for (const QString& column : m_pane->tableController()->tableIdentfiers()) {
        if (fields.contains(column))
            columns.append(column);
    }
    model.setSelectedItems(columns);
    model.setLabels(FindMenus::labelEntriesForOpener());
    model.setEditable(!document->isInViewingMode());
    model.setEditState(m_pane->editState());
    model.setDelegate(&document->undoRegistry());
    panel->start();
    panelOpened(panel);
}

void DocumentPanelCommands::mergeContacts()
{
    const ContactTable contacts = m_pane->tableController()->selectedContacts();
    if (m_panel || contacts.size() < 2)
        return;
    ContactOwner* document = m_pane->owner();
    auto* panel = new MergePanelController(m_pane);
    panel->setContextInfo(contacts, m_pane->editState() && !document->isInViewingMode(), m_pane->tableFont(),
                          !document->isInViewingMode());
    connect(panel, &QDialog::finished, this, [document, panel](int result) {
        if (result == QDialog::Accepted)
            document->undoRegistry().undoReplacePersonByContacts(panel->result(), panel->contacts());
    });
    panelOpened(panel);
}

void DocumentPanelCommands::findDuplicates()
{
    if (m_panel)
        return;
    ContactOwner* document = m_pane->owner();
    panelOpened(new DuplicateFinderDialog(*document, m_pane->editState() && !document->isInViewingMode(),
                                          m_pane->tableFont(), m_pane));
}

void DocumentPanelCommands::validate()
{
    const bool free = !m_panel;
    m_findPanel->setEnabled(free);
    m_findDuplicates->setEnabled(free);
    ContactMenuValidation::ContactMenuState state = m_pane->contactCommands()->menuState();
    state.panelsFree = free;
    m_merge->setEnabled(ContactMenuValidation::validate(ContactMenuValidation::Action::MergeContacts, state).enabled);
}

} // namespace Quillary::Ui
