#pragma once

#include "MergeRows.h"
#include "documents/ContactCollection.h"
#include "table/CellEditTypes.h"

#include <QObject>

#include <memory>

class QUndoStack;

namespace Quillary {

class UndoRegistry;

/// The merge panel without pixels: two contacts side by side on private copies, one field per
/// row and aligned, with the moves and copies of values between them, edits in place, the photo,
/// and an undo stack of its own. Nothing of the collection changes until the owner takes the
/// result: both edited copies, which it puts in place of the two contacts as one undo step.
class MergePanelModel final : public QObject, private ContactTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MergePanelModel)

public:
    enum class Side { Left, Right };

    explicit MergePanelModel(QObject* parent = nullptr);
    ~MergePanelModel() override;

    /// Copies the first two contacts; `editable` says whether editing may be switched on, and
    /// turns it on.
    void setContacts(const ContactTable& contacts, bool editable);
    [[nodiscard]] bool hasContacts() const { return m_originals.size() == 2; }
    /// The contact of the collection that a side shows, and the panel's copy of it.
    [[nodiscard]] ContactEntryPtr original(Side side) const;
    [[nodiscard]] const ContactEntryPtr& copy(Side side) const;
    [[nodiscard]] const MergeRows& rows(Side side) const { return m_rows[int(side)]; }
    [[nodiscard]] qsizetype valueCount(const QString& identifier) const { return m_valueCounts.value(identifier, 1); }
    /// What a side's name field shows: the composite name, or "No name".
    [[nodiscard]] QString displayName(Side side) const;

    // State ------------------------------------------------------------------------------------
    /// The changes made and not undone.
    [[nodiscard]] int changeCount() const;
    [[nodiscard]] bool isEditable() const { return m_editable; }
    [[nodiscard]] bool editState() const { return m_editState; }
    /// Switches editing; it stays on while there are changes.
    void setEditState(bool on);
    [[nodiscard]] bool isDoneEnabled() const { return !m_editState || changeCount() > 0; }
    [[nodiscard]] QString doneTitle() const;
    [[nodiscard]] QUndoStack* undoStack() const;

    // Dragging -----------------------------------------------------------------------------------
    /// The text a dragged row carries: "label: value".
    [[nodiscard]] QString dragText(Side side, int row) const;
    /// Whether a row dragged from one side may be dropped on (or, for labelled fields, above) a
    /// row of the other side.
    [[nodiscard]] bool canDrop(Side source, int sourceRow, int targetRow, bool above) const;
    /// Moves the dragged value to the other contact, or copies it; false when nothing changed.
    bool drop(Side source, int sourceRow, int targetRow, bool above, bool copy);

    // Editing -------------------------------------------------------------------------------------
    /// Whether a row's value is typed in place (names, texts of labelled fields, string fields).
    [[nodiscard]] bool isTextEditable(Side side, int row) const;
    bool setText(Side side, int row, const QString& text);
    /// The choices of a row's label menu: name ordering, name display, or the field's labels.
    [[nodiscard]] QStringList labelChoices(Side side, int row) const;
    bool setLabel(Side side, int row, const QString& label);
    /// The context a field editor opens with for a row (a date, an address, an instant message, a
    /// text value): the panel's copy of the contact, never the collection's.
    [[nodiscard]] EditorContext editorContext(Side side, int row) const;
    /// Applies what a field editor opened with `editorContext` closed with, as one change.
    bool applyEditor(const EditorContext& closed);
    /// Sets a side's photo, scaled to at most 512 pixels; a null image removes it.
    bool setPhoto(Side side, const QImage& image);
    /// Sets a side's photo from image data as a file holds it (see PhotoData); empty removes it.
    bool setPhotoData(Side side, const QByteArray& data);

    /// The edited copies, left then right, when anything changed; empty otherwise.
    [[nodiscard]] QList<std::shared_ptr<PersonDsc>> result() const;
    /// The contact of the collection that the merge leaves without any value but its name: the one
    /// to offer for deletion. Null when there is none. Asked before the result is applied.
    [[nodiscard]] ContactEntryPtr emptiedContact() const;

Q_SIGNALS:
    /// The rows of both sides were rebuilt.
    void rowsReloaded();
    /// The number of changes or the edit state changed.
    void stateChanged();

private:
    // ContactTableView: the registry asks the panel to reload after each change.
    void updateTable() override { reload(); }
    void updateTableForContact(const ContactEntryPtr&) override { reload(); }
    void updateTableThenSelectByUniquId(const QString&) override { reload(); }
    void updateTableThenSelectByUniquIds(const QStringList&) override { reload(); }
    [[nodiscard]] QStringList uniqueIdsOfSelectedContacts() const override { return {}; }
    [[nodiscard]] ContactTable selectedContacts() const override { return {}; }
    [[nodiscard]] ContactTable contactsForIndexes(const QList<int>&) const override { return {}; }

    void reload();
    [[nodiscard]] const MergeRow* rowAt(Side side, int row) const;
    [[nodiscard]] static Side other(Side side) { return side == Side::Left ? Side::Right : Side::Left; }
    void moveOrCopy(const MergeRow& dragged, Side source, const MergeRow& target, bool above, bool copy);
    void moveLabeled(const MergeRow& dragged, Side source, const MergeRow& target, bool above, bool copy);

    ContactTable m_originals;
    ContactCollection m_copies;
    std::unique_ptr<UndoRegistry> m_registry;
    MergeRows m_rows[2];
    QHash<QString, qsizetype> m_valueCounts;
    bool m_editable = false;
    bool m_editState = false;
};

} // namespace Quillary
