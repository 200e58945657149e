#include "DocumentWriting.h"

#include "ContactDocument.h"

#include "support/CoreTr.h"
#include "support/FileWriting.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>

namespace Quillary::DocumentWriting {

DocumentError writeContacts(QSaveFile& file, const ContactTable& contacts, const GroupTable& groupTable,
                            const ZQVCard::ProgressHandler& progress, const std::function<bool()>& cancelled)
{
    if (!file.open(QIODevice::WriteOnly))
        return DocumentError::application(DocumentError::FileWriteUnknown, file.errorString());
    const qint64 written =
        ZQVCard().writeVCards(file, contacts, {WriteOption::Note, WriteOption::Photo}, groupTable, progress);
    const bool stopped = cancelled && cancelled();
    if (written <= 0 || stopped) {
        const QString reason = stopped || written == 0 ? QString() : FileWriting::failureReason(file);
        file.cancelWriting();
        if (stopped)
            return DocumentError::application(DocumentError::UserCancelled, QString());
        if (written == 0)
            return DocumentError::application(DocumentError::SaveProducedNothing, ContactDocument::saveFailedMessage());
        return DocumentError::application(DocumentError::FileWriteUnknown, reason);
    }
    return {};
}

DocumentError writeCsv(QSaveFile& file, const CsvRows& rows, QPromise<void>& promise)
{
    constexpr qsizetype Batch = 2000;
    if (!file.open(QIODevice::WriteOnly))
        return DocumentError::application(DocumentError::FileWriteUnknown, file.errorString());
    // Every batch comes with the header line; only the first one is kept.
    const QByteArray header = CsvWriter::headerLine().toUtf8();
    bool written = file.write(header) == header.size();
    for (qsizetype start = 0; written && start < rows.size() && !promise.isCanceled(); start += Batch) {
        const QByteArray lines = CsvWriter::csvFromSubContacts(rows.mid(start, Batch)).sliced(header.size());
        written = file.write(lines) == lines.size();
        promise.setProgressValue(int(qMin(rows.size(), start + Batch) * 100 / rows.size()));
    }
    if (promise.isCanceled() || !written) {
        const QString reason = promise.isCanceled() ? QString() : FileWriting::failureReason(file);
        file.cancelWriting();
        return promise.isCanceled() ? DocumentError::application(DocumentError::UserCancelled, QString())
                                    : DocumentError::application(DocumentError::FileWriteUnknown, reason);
    }
    return {};
}

DocumentError commit(QSaveFile& file)
{
    QString reason;
    if (!FileWriting::commit(file, &reason))
        return DocumentError::application(DocumentError::FileWriteUnknown, reason);
    return {};
}

ContactTable exportableContacts(const ContactTable& contacts)
{
    ContactTable result;
    result.reserve(contacts.size());
    QSet<const ContactEntry*> seen;
    for (const ContactEntryPtr& contact : contacts) {
        if (contact && !contact->deleted && !seen.contains(contact.get())) {
            seen.insert(contact.get());
            result.append(contact);
        }
    }
    return result;
}

WritingSnapshot snapshotForWriting(const ContactTable& contacts, const GroupTable& groupTable)
{
    WritingSnapshot snapshot;
    snapshot.contacts.reserve(contacts.size());
    for (const ContactEntryPtr& contact : contacts) {
        auto copy = std::make_shared<ContactEntry>(*contact);
        if (contact->person)
            copy->person = std::make_shared<PersonDsc>(contact->person->independentCopy());
        snapshot.contacts.append(std::move(copy));
    }
    snapshot.groups.reserve(groupTable.size());
    for (const GroupEntryPtr& group : groupTable) {
        auto copy = std::make_shared<GroupEntry>(*group);
        copy->contactTable.clear();
        snapshot.groups.append(std::move(copy));
    }
    return snapshot;
}

ZQVCard::ProgressHandler progressOf(QPromise<void>& promise, qsizetype total, bool stoppable)
{
    return [&promise, total, stoppable](bool& stop, qsizetype position) {
        if (total > 0)
            promise.setProgressValue(int(qMin<qsizetype>(100, position * 100 / total)));
        if (stoppable && promise.isCanceled())
            stop = true;
    };
}

DocumentTask* startWriting(const QString& path, const FileWriter& write, const std::function<void()>& committed,
                           QObject* parent)
{
    // The worker only borrows the save file; the task's completion owns it, and with it goes the
    // unfinished file of a task that failed or was cancelled.
    auto file = std::make_shared<QSaveFile>(path);
    const std::weak_ptr<QSaveFile> borrowed = file;
    return new DocumentTask(
        Tr::tr("Writing the file: %1").arg(QFileInfo(path).fileName()),
        [borrowed, write](QPromise<void>& promise) {
            const std::shared_ptr<QSaveFile> target = borrowed.lock();
            return target ? write(*target, promise) : DocumentError::application(DocumentError::UserCancelled, {});
        },
        [file, committed] {
            const DocumentError error = commit(*file);
            if (!error.isError() && committed)
                committed();
            return error;
        },
        parent);
}

} // namespace Quillary::DocumentWriting
