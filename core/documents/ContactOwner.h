#pragma once

#include "ContactCollection.h"
#include "ContactExchange.h"
#include "Preferences.h"
#include "UndoRegistry.h"
#include "ViewTypes.h"

#include <QString>

namespace Quillary {

/// What the windows and the commands on contacts ask of the owner of a contact collection: a
/// contact document or the user's address book. Each owner keeps its contacts and groups, the undo
/// registry every edit goes through, its exports and import, edit mode and its group commands.
class ContactOwner
{
public:
    [[nodiscard]] virtual ContactCollection& collection() = 0;
    [[nodiscard]] virtual const ContactCollection& collection() const = 0;
    [[nodiscard]] virtual UndoRegistry& undoRegistry() = 0;
    [[nodiscard]] QUndoStack* undoStack() { return undoRegistry().undoStack(); }
    [[nodiscard]] virtual ContactExchange& exchange() = 0;
    /// An export or import is running (or its panel is open): no second one starts.
    [[nodiscard]] virtual bool isExporting() const = 0;
    void setExporting(bool exporting) { exchange().setExporting(exporting); }
    /// Adds contacts read from a file to the selected group, as one undo step.
    void importContacts(const ContactTable& contacts) { exchange().importContacts(undoRegistry(), contacts); }

    /// Whether the contacts can only be looked at (a CSV document; an address book that another
    /// process writes): edit mode stays off.
    [[nodiscard]] virtual bool isInViewingMode() const = 0;
    [[nodiscard]] virtual bool editState() const = 0;
    virtual void setEditState(bool on) = 0;
    [[nodiscard]] virtual bool isModified() const = 0;
    /// Changes that leave no undo step (groups, a deletion that cannot be undone) mark the owner.
    virtual void setAddressBookDirty(bool dirty) = 0;

    /// The user's address book, whose window has rules of its own (revert only with changes, the view
    /// kept while an export runs).
    [[nodiscard]] virtual bool isAddressBook() const { return false; }
    /// Whether the contacts may be exported as CSV (a CSV document's are shown as read, not exported again).
    [[nodiscard]] virtual bool exportsCsv() const { return true; }
    /// The name of the file an export suggests, with the extension ("csv", "vcf").
    [[nodiscard]] virtual QString exportFileName(const QString& extension) const = 0;
    /// The view types the owner offers when none are stored.
    [[nodiscard]] virtual ViewTypeDict builtInViewTypes() const = 0;
    /// The view types offered, in the order they are offered.
    [[nodiscard]] virtual QStringList viewTypeNames(const ViewTypeDict& dict) const = 0;
    /// The view type shown for the stored name.
    [[nodiscard]] virtual QString viewTypeToShow(const QString& stored, const ViewTypeDict& dict) const = 0;
    /// The setting the chosen view type is kept in.
    [[nodiscard]] virtual Preferences::Key viewTypeKey() const = 0;

    // The group commands, by the owner's rules; none of them is undoable.
    [[nodiscard]] virtual bool canAddGroup() const = 0;
    [[nodiscard]] virtual bool canDeleteGroup() const = 0;
    /// Adds a group and selects it; null when the owner's rules do not allow it.
    virtual GroupEntryPtr addGroup() = 0;
    /// Deletes the group; the owner's top group is selected then.
    virtual bool deleteGroup(const GroupEntryPtr& group) = 0;
    virtual bool renameGroup(const GroupEntryPtr& group, const QString& name) = 0;

protected:
    ~ContactOwner() = default;
};

} // namespace Quillary
