#pragma once

#include <QString>

namespace Quillary {

/// A failure reported to the document's window: a domain, a code and the text to show.
struct DocumentError
{
    static constexpr int FileReadCorruptFile = 259; ///< the file holds no contact
    static constexpr int FileReadNoSuchFile = 260;
    static constexpr int FileReadInapplicableEncoding = 261;
    static constexpr int UserCancelled = 3072;
    static constexpr int SaveProducedNothing = 512;
    static constexpr int FileWriteUnknown = 512 + 1;

    QString domain;
    int code = 0;
    QString recoverySuggestion;

    [[nodiscard]] bool isError() const { return code != 0; }
    [[nodiscard]] bool isCancellation() const { return code == UserCancelled; }
    static DocumentError application(int code, const QString& recoverySuggestion)
    {
        return {QStringLiteral("Application"), code, recoverySuggestion};
    }
};

} // namespace Quillary
