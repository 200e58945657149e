#pragma once

#include "documents/ContactDocument.h"

#include <QString>

#include <map>
#include <memory>
#include <optional>

namespace Quillary::Ui {

/// Large vCard files being read on worker threads before their windows are made, by path: the
/// reading goes on while the windows are set up, and may start before the application object,
/// while the toolkit connects to the display.
class ReadAheads final
{
public:
    /// A document being read, and the task reading it (a child of the document).
    struct Reading
    {
        std::unique_ptr<ContactDocument> document;
        DocumentTask* task = nullptr;
    };

    ReadAheads() = default;
    ReadAheads(const ReadAheads&) = delete;
    ReadAheads& operator=(const ReadAheads&) = delete;
    ReadAheads(ReadAheads&&) noexcept = default;
    ReadAheads& operator=(ReadAheads&&) = delete;
    /// What nobody took is stopped where it is and dropped.
    ~ReadAheads();

    /// Starts reading a file in the encoding it is found to have, unless it is read already or is
    /// not a vCard file large enough to be read on a worker thread.
    void start(const QString& path);
    /// Takes a reading of another set (one started earlier), or starts one when it has none.
    void takeFrom(ReadAheads& other, const QString& path);
    /// The reading of a file, which the caller takes; none when it is not read ahead.
    [[nodiscard]] std::optional<Reading> take(const QString& path);

private:
    std::map<QString, Reading> m_readings;
};

} // namespace Quillary::Ui
