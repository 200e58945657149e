#include "DuplicateFinderDialog.h"

#include "documents/ContactOwner.h"
#include "editors/MergePanelController.h"
#include "find/DuplicateFinder.h"
#include "support/MessageBox.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Quillary::Ui {

namespace {

constexpr int ContactRole = Qt::UserRole + 1;

QString reasonTitle(DuplicateReason reason)
{
    switch (reason) {
    case DuplicateReason::Email:
        return DuplicateFinderDialog::tr("same e-mail address");
    case DuplicateReason::Phone:
        return DuplicateFinderDialog::tr("same phone number");
    case DuplicateReason::Name:
        return DuplicateFinderDialog::tr("same name");
    }
    return {};
}

/// "same e-mail address anna@example.com; same name Anna Smith"
QString reasonsOf(const DuplicateGroup& group)
{
    QStringList parts;
    for (const DuplicateMatch& match : group.matches)
        parts.append(reasonTitle(match.reason) + QStringLiteral(" “") + match.text + QStringLiteral("”"));
    return parts.join(QStringLiteral("; "));
}

/// A contact's line: its name with its first e-mail address or phone number.
QString contactLine(const PersonDsc& person)
{
    const QString name = person.compositeName().isEmpty() ? NoNameText : person.compositeName();
    const LabeledValueSpan emails = person.emailValues();
    const LabeledValueSpan phones = person.phoneValues();
    const QString detail = !emails.isEmpty() ? emails.first().value
        : !phones.isEmpty()                  ? phones.first().value
                                             : QString();
    return detail.isEmpty() ? name : name + QStringLiteral(" — ") + detail;
}

} // namespace

DuplicateFinderDialog::DuplicateFinderDialog(ContactOwner& document, bool editable, const QFont& font, QWidget* parent)
    : QDialog(parent), m_document(document), m_editable(editable), m_font(font), m_list(new QTreeWidget(this)),
      m_summary(new QLabel(this)), m_mergeButton(new QPushButton(tr("Merge…"), this))
{
    setObjectName(QStringLiteral("duplicateFinder"));
    setWindowTitle(tr("Find Duplicates"));
    setWindowModality(Qt::WindowModal);
    m_list->setObjectName(QStringLiteral("duplicateGroups"));
    m_list->setAccessibleName(tr("Probable duplicates"));
    m_list->setHeaderHidden(true);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setFont(font);
    m_summary->setObjectName(QStringLiteral("duplicateSummary"));
    m_mergeButton->setObjectName(QStringLiteral("mergeButton"));
    m_mergeButton->setAccessibleName(tr("Merge the chosen contacts"));
    m_mergeButton->setToolTip(tr("Choose two contacts of a group"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(m_mergeButton, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_mergeButton, &QPushButton::clicked, this, &DuplicateFinderDialog::mergeChosen);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &DuplicateFinderDialog::updateButtons);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (chosenContacts().size() == 2)
            mergeChosen();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(640, 480);
    refresh();
}

DuplicateFinderDialog::~DuplicateFinderDialog() = default;

void DuplicateFinderDialog::refresh()
{
    const ContactTable& contacts = m_document.collection().contactTable;
    const QList<DuplicateGroup> groups = DuplicateFinder().findGroups(contacts);
    m_list->clear();
    for (const DuplicateGroup& group : groups) {
        auto* groupItem = new QTreeWidgetItem(m_list, {reasonsOf(group)});
        groupItem->setToolTip(0, groupItem->text(0));
        for (const qsizetype member : group.members) {
            auto* item = new QTreeWidgetItem(groupItem, {contactLine(*contacts.at(member)->person)});
            item->setData(0, ContactRole, member);
        }
    }
    m_list->expandAll();
    m_summary->setText(groups.isEmpty() ? tr("No probable duplicates.")
                           : groups.size() == 1
                           ? tr("1 group of contacts that are probably the same person.")
                           : tr("%1 groups of contacts that are probably the same person.").arg(groups.size()));
    updateButtons();
}

ContactTable DuplicateFinderDialog::chosenContacts() const
{
    const ContactTable& contacts = m_document.collection().contactTable;
    QList<qsizetype> members;
    for (const QTreeWidgetItem* item : m_list->selectedItems()) {
        if (item->parent()) {
            members.append(item->data(0, ContactRole).toLongLong());
        } else {
            for (int child = 0; child < item->childCount(); ++child)
                members.append(item->child(child)->data(0, ContactRole).toLongLong());
        }
    }
    std::sort(members.begin(), members.end());
    members.erase(std::unique(members.begin(), members.end()), members.end());
    if (members.size() != 2)
        return {};
    return {contacts.value(members.first()), contacts.value(members.last())};
}

void DuplicateFinderDialog::updateButtons()
{
    m_mergeButton->setEnabled(chosenContacts().size() == 2 && !m_mergePanel);
}

void DuplicateFinderDialog::mergeChosen()
{
    const ContactTable chosen = chosenContacts();
    if (chosen.size() != 2 || !chosen.first() || !chosen.last() || m_mergePanel)
        return;
    m_mergePanel = new MergePanelController(this);
    m_mergePanel->setAttribute(Qt::WA_DeleteOnClose);
    m_mergePanel->setContextInfo(chosen, m_editable, m_font, !m_document.isInViewingMode());
    connect(m_mergePanel, &QDialog::finished, this, &DuplicateFinderDialog::mergeFinished);
    m_mergePanel->open();
    updateButtons();
}

void DuplicateFinderDialog::mergeFinished(int result)
{
    MergePanelController* panel = m_mergePanel;
    if (!panel || result != QDialog::Accepted) {
        updateButtons();
        return;
    }
    // Known before the contacts take the copies' values, which leaves nothing to compare with.
    const ContactEntryPtr emptied = panel->model().emptiedContact();
    UndoRegistry& registry = m_document.undoRegistry();
    registry.undoReplacePersonByContacts(panel->result(), panel->contacts());
    // The user moved everything out of one of them: offer the ordinary Delete, which can be undone.
    if (emptied) {
        const QString name = emptied->person->compositeName();
        if (MessageBox::confirm(this, tr("Do you want to remove the contact?"),
                                tr("“%1” has no values left but its name. This operation can be undone.").arg(name)))
            registry.undoDeleteContacts({emptied}, m_document.collection().topGroup(), true, false);
    }
    m_mergePanel = nullptr;
    refresh();
}

} // namespace Quillary::Ui
