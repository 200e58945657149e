#include "ContactActions.h"

#include "ContactPane.h"
#include "ExchangeCommands.h"
#include "WindowContactCommands.h"
#include "model/NormalizePhoneNumber.h"
#include "table/ContactCellDelegate.h"
#include "table/ContactsTableView.h"
#include "table/ContactsViewController.h"
#include "table/TableTextFinder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>

namespace Quillary::Ui {

namespace {

using Validate = ContactMenuValidation::Action;

/// The contact command each action is enabled by.
const QHash<ContactActions::Id, Validate>& contactRules()
{
    using Id = ContactActions::Id;
    static const QHash<Id, Validate> rules{
        {Id::AddContact, Validate::AddContact},
        {Id::DeleteContact, Validate::DeleteContact},
        {Id::DuplicateContact, Validate::DuplicateContact},
        {Id::Cut, Validate::Cut},
        {Id::Copy, Validate::Copy},
        {Id::CopyAsCSV, Validate::CopyAsCSV},
        {Id::CopyAsVCard, Validate::CopyAsVCard},
        {Id::Paste, Validate::Paste},
        {Id::ExportContactAsVCard, Validate::ExportToVCard},
        {Id::ExportContactsAsCSV, Validate::ExportContactsAsCSV},
        {Id::ExportContactsAsVCard, Validate::ExportContactsAsVCard},
    };
    return rules;
}

} // namespace

ContactActions::ContactActions(ContactPane* pane) : QObject(pane), m_pane(pane)
{
    createContactActions();
    createEditActions();
    createFindActions();
    for (QAction* action : std::as_const(m_actions))
        action->setShortcutContext(Qt::WindowShortcut);
    // The Delete key deletes contacts only while the table has the keyboard; elsewhere (the side
    // bar, a text field) it is the field's.
    QAction* remove = action(Id::DeleteContact);
    remove->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_pane->tableView()->addAction(remove);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { action(Id::Paste)->setEnabled(m_pane->contactCommands()->isEnabled(Validate::Paste)); });
}

ContactActions::~ContactActions() = default;

QAction* ContactActions::add(Id id, const QString& name, const QString& text, const QList<QKeySequence>& shortcuts)
{
    auto* action = new QAction(text, m_pane);
    action->setObjectName(name);
    action->setShortcuts(shortcuts);
    m_actions.insert(id, action);
    return action;
}

void ContactActions::createContactActions()
{
    WindowContactCommands* commands = m_pane->contactCommands();
    ExchangeCommands* files = m_pane->exchangeCommands();
    connect(add(Id::AddContact, QStringLiteral("addContactAction"), tr("Add New Contact"),
                {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N)}),
            &QAction::triggered, commands, &WindowContactCommands::addContact);
    connect(add(Id::DeleteContact, QStringLiteral("deleteContactAction"), tr("Delete Contact"), {QKeySequence::Delete}),
            &QAction::triggered, commands, [commands] { commands->deleteContact(); });
    connect(add(Id::DuplicateContact, QStringLiteral("duplicateContactAction"), tr("Duplicate Contact"),
                {QKeySequence(Qt::CTRL | Qt::Key_D)}),
            &QAction::triggered, commands, [commands] { commands->duplicateContact(); });
    connect(add(Id::ExportContactAsVCard, QStringLiteral("exportContactAsVCardAction"), tr("Export Contact as vCard…")),
            &QAction::triggered, files, [files] { files->exportContactAsVCard(-1); });
    connect(add(Id::ExportContactsAsCSV, QStringLiteral("exportContactsAsCsvAction"), tr("Export Contacts as CSV…")),
            &QAction::triggered, files, [files] { files->exportContactsAsCSV(-1); });
    connect(
        add(Id::ExportContactsAsVCard, QStringLiteral("exportContactsAsVCardAction"), tr("Export Contacts as vCard…")),
        &QAction::triggered, files, [files] { files->exportContactsAsVCard(-1); });
    for (const QString& title : NormalizePhoneNumber::layoutTitles()) {
        auto* action = new QAction(title, m_pane);
        action->setObjectName(QStringLiteral("phoneFormatAction"));
        connect(action, &QAction::triggered, commands, [commands, title] { commands->normalizePhoneNumbers(title); });
        m_phoneFormats.append(action);
    }
}

void ContactActions::createEditActions()
{
    WindowContactCommands* commands = m_pane->contactCommands();
    connect(add(Id::Cut, QStringLiteral("cutAction"), tr("Cu&t"), QKeySequence::keyBindings(QKeySequence::Cut)),
            &QAction::triggered, commands, &WindowContactCommands::cut);
    connect(add(Id::Copy, QStringLiteral("copyAction"), tr("&Copy"), QKeySequence::keyBindings(QKeySequence::Copy)),
            &QAction::triggered, commands, &WindowContactCommands::copy);
    connect(add(Id::CopyAsCSV, QStringLiteral("copyAsCsvAction"), tr("Copy as CSV"),
                {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)}),
            &QAction::triggered, commands, &WindowContactCommands::copyAsCSV);
    connect(add(Id::CopyAsVCard, QStringLiteral("copyAsVCardAction"), tr("Copy as vCard"),
                {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C)}),
            &QAction::triggered, commands, &WindowContactCommands::copyAsVCard);
    connect(add(Id::Paste, QStringLiteral("pasteAction"), tr("&Paste"), QKeySequence::keyBindings(QKeySequence::Paste)),
            &QAction::triggered, commands, &WindowContactCommands::paste);
    using Kind = TextTransforms::Kind;
    const std::initializer_list<std::tuple<Id, const char*, QString, Kind>> transforms{
        {Id::Uppercase, "uppercaseAction", tr("Make Upper Case"), Kind::Uppercase},
        {Id::Lowercase, "lowercaseAction", tr("Make Lower Case"), Kind::Lowercase},
        {Id::Capitalize, "capitalizeAction", tr("Capitalize"), Kind::Capitalize},
    };
    for (const auto& [id, name, title, kind] : transforms)
        connect(add(id, QString::fromLatin1(name), title), &QAction::triggered, commands,
                [commands, transform = kind] { commands->transformText(transform); });
}

void ContactActions::createFindActions()
{
    TableTextFinder* finder = m_pane->textFinder();
    using Action = TableTextFinder::Action;
    connect(add(Id::Find, QStringLiteral("findAction"), tr("Find…"), {QKeySequence(Qt::CTRL | Qt::Key_F)}),
            &QAction::triggered, finder, [finder] { finder->performAction(finder->actionForFind()); });
    connect(add(Id::FindAndReplace, QStringLiteral("findAndReplaceAction"),
                DocumentMenuValidation::findAndReplaceTitle(), {QKeySequence(Qt::CTRL | Qt::Key_H)}),
            &QAction::triggered, finder, [finder] { finder->performAction(finder->actionForFindAndReplace()); });
    connect(add(Id::FindNext, QStringLiteral("findNextAction"), tr("Find Next"),
                {QKeySequence(Qt::Key_F3), QKeySequence(Qt::CTRL | Qt::Key_G)}),
            &QAction::triggered, finder, [finder] { finder->performAction(Action::NextMatch); });
    connect(add(Id::FindPrevious, QStringLiteral("findPreviousAction"), tr("Find Previous"),
                {QKeySequence(Qt::SHIFT | Qt::Key_F3), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G)}),
            &QAction::triggered, finder, [finder] { finder->performAction(Action::PreviousMatch); });
    connect(add(Id::UseSelectionForFind, QStringLiteral("useSelectionForFindAction"), tr("Use Selection for Find"),
                {QKeySequence(Qt::CTRL | Qt::Key_E)}),
            &QAction::triggered, this, &ContactActions::useSelectionForFind);
}

void ContactActions::useSelectionForFind()
{
    // The text selected in the cell being edited, else the text of the current cell.
    ContactsTableView* view = m_pane->tableView();
    QString text;
    if (auto* editor = qobject_cast<QLineEdit*>(view->cellDelegate()->activeEditor()))
        text = editor->selectedText();
    const QModelIndex index = view->currentIndex();
    if (text.isEmpty() && index.isValid())
        text = m_pane->tableController()->cell(index.row(), index.column()).text;
    m_pane->textFinder()->useSelectionForFind(text.section(u'\n', 0, 0));
}

void ContactActions::addClipboardItems(QMenu* menu) const
{
    for (const Id id : {Id::Cut, Id::Copy, Id::CopyAsCSV, Id::CopyAsVCard, Id::Paste})
        menu->addAction(action(id));
}

QMenu* ContactActions::findMenu(QWidget* parent) const
{
    auto* menu = new QMenu(tr("Find"), parent);
    menu->setObjectName(QStringLiteral("findMenu"));
    for (const Id id : {Id::Find, Id::FindAndReplace, Id::FindNext, Id::FindPrevious, Id::UseSelectionForFind})
        menu->addAction(action(id));
    return menu;
}

QMenu* ContactActions::transformationsMenu(QWidget* parent) const
{
    auto* menu = new QMenu(tr("Transformations"), parent);
    menu->setObjectName(QStringLiteral("transformationsMenu"));
    for (const Id id : {Id::Uppercase, Id::Lowercase, Id::Capitalize})
        menu->addAction(action(id));
    return menu;
}

QMenu* ContactActions::contactMenu(QWidget* parent) const
{
    auto* menu = new QMenu(tr("&Contact"), parent);
    menu->setObjectName(QStringLiteral("contactMenu"));
    for (const Id id : {Id::AddContact, Id::DeleteContact, Id::DuplicateContact})
        menu->addAction(action(id));
    menu->addSeparator();
    for (const Id id : {Id::ExportContactAsVCard, Id::ExportContactsAsCSV, Id::ExportContactsAsVCard})
        menu->addAction(action(id));
    menu->addSeparator();
    QMenu* formats = menu->addMenu(tr("Phone Format"));
    formats->setObjectName(QStringLiteral("phoneFormatMenu"));
    formats->addActions(m_phoneFormats);
    return menu;
}

void ContactActions::validate(const DocumentMenuValidation::DocumentMenuState& state)
{
    const ContactMenuValidation::ContactMenuState contacts = m_pane->contactCommands()->menuState();
    for (auto it = contactRules().cbegin(); it != contactRules().cend(); ++it) {
        const ContactMenuValidation::Validation validation = ContactMenuValidation::validate(it.value(), contacts);
        action(it.key())->setEnabled(validation.enabled);
        action(it.key())->setToolTip(validation.toolTip.isEmpty() ? action(it.key())->text() : validation.toolTip);
    }
    const bool phones = ContactMenuValidation::validate(Validate::NormalizePhoneNumber, contacts).enabled;
    for (QAction* format : std::as_const(m_phoneFormats))
        format->setEnabled(phones);
    using DocumentMenuValidation::Action;
    for (const auto& [id, rule] :
         {std::pair(Id::Uppercase, Action::UppercaseWord), std::pair(Id::Lowercase, Action::LowercaseWord),
          std::pair(Id::Capitalize, Action::CapitalizeWord)}) {
        DocumentMenuValidation::DocumentMenuItem item;
        item.action = rule;
        action(id)->setEnabled(DocumentMenuValidation::validateMenuItem(item, state).enabled);
    }
    for (const Id id : {Id::Find, Id::FindAndReplace, Id::FindNext, Id::FindPrevious, Id::UseSelectionForFind}) {
        DocumentMenuValidation::DocumentMenuItem item;
        item.action = Action::PerformTextFinderAction;
        item.title = action(id)->text();
        action(id)->setEnabled(DocumentMenuValidation::validateMenuItem(item, state).enabled);
    }
}

} // namespace Quillary::Ui
