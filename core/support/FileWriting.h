#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;
class QSaveFile;

// Writing files so that a failure says why.
namespace Quillary::FileWriting {

/// Why writing to an open file failed, in the system's words ("No space left on device"). Qt has
/// none to give when the disk took only part of a write; writing once more then tells. Ask before
/// cancelling a save file: that replaces the reason.
[[nodiscard]] QString failureReason(QFileDevice& file);

/// Writes what is buffered and replaces the target with the save file; false with the reason when
/// that fails, and then the old file is left as it was.
bool commit(QSaveFile& file, QString* reason);

/// Writes data to a file atomically; false with the reason when that fails.
bool writeAtomically(const QString& path, const QByteArray& data, QString* reason);

} // namespace Quillary::FileWriting
