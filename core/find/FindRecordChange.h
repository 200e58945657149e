#pragma once

#include "FindTypes.h"

#include <QUndoCommand>

#include <functional>

namespace Quillary {

class UndoRegistry;

/// What a find record holds at one moment: its text and occurrences, or for Birthday and Dates
/// records the date (an invalid date removes a birthday).
struct FindRecordState
{
    QString text;
    FindRanges ranges;
    DateComponents date;
};

/// One undo step of the find panel: new states for some records. Doing and undoing it puts the
/// states on the records and passes each change to the owner's undo registry, which changes the
/// contact and leaves a step of its own; all of them form one step there too.
class FindRecordChange final : public QUndoCommand
{
public:
    struct Change
    {
        FindRecordPtr record;
        FindRecordState before;
        FindRecordState after;
    };
    /// `changed` runs after every application, with the records that changed.
    FindRecordChange(const QString& text, QList<Change> changes, UndoRegistry* delegate,
                     std::function<void(const FindRecords&)> changed);

    void undo() override;
    void redo() override;

    /// The state a record has now: its text and occurrences, or the contact's date.
    [[nodiscard]] static FindRecordState currentState(const FindRecord& record);

private:
    void apply(bool forward);

    QList<Change> m_changes;
    UndoRegistry* m_delegate;
    std::function<void(const FindRecords&)> m_changed;
};

} // namespace Quillary
