#pragma once

#include "DocumentError.h"
#include "DocumentTask.h"
#include "formats/ZQVCard.h"

#include <QSaveFile>

#include <functional>

// Writing contact files: what a document's save and the exports of both owners share. Files are
// written into a save file that replaces the old one only when all went well.
namespace Quillary::DocumentWriting {

/// Writes contacts as a vCard stream into a save file, the cards as they are made. Nothing replaces
/// the old file here: the caller commits the save file once all went well.
DocumentError writeContacts(QSaveFile& file, const ContactTable& contacts, const GroupTable& groupTable,
                            const ZQVCard::ProgressHandler& progress, const std::function<bool()>& cancelled);
/// Writes table rows as CSV into a save file, a batch of lines at a time so that the export can
/// report progress and stop. The caller commits.
DocumentError writeCsv(QSaveFile& file, const CsvRows& rows, QPromise<void>& promise);
DocumentError commit(QSaveFile& file);
/// What an export writes: each contact once, deleted ones left out.
[[nodiscard]] ContactTable exportableContacts(const ContactTable& contacts);

/// Contacts and groups as they are now, for writing on a worker thread while the owner goes on
/// being read and edited: the worker gets descriptors and records of its own, sharing their texts.
struct WritingSnapshot
{
    ContactTable contacts;
    GroupTable groups;
};
[[nodiscard]] WritingSnapshot snapshotForWriting(const ContactTable& contacts, const GroupTable& groupTable);

/// Progress of a conversion as a percentage of its length.
[[nodiscard]] ZQVCard::ProgressHandler progressOf(QPromise<void>& promise, qsizetype total, bool stoppable);

/// Writes a file on a worker thread; it replaces the old file only when the task ends without
/// having been cancelled, on the main thread, and then `committed` runs.
using FileWriter = std::function<DocumentError(QSaveFile& file, QPromise<void>& promise)>;
DocumentTask* startWriting(const QString& path, const FileWriter& write, const std::function<void()>& committed,
                           QObject* parent);

} // namespace Quillary::DocumentWriting
