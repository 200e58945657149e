#pragma once

#include <QString>

namespace Quillary {

/// A copy of text with data of its own. Contacts made on several threads at once that all copy one
/// shared string contend for its reference count; each thread copies this instead.
[[nodiscard]] inline QString unsharedCopy(const QString& text)
{
    return QString(text.constData(), text.size());
}

} // namespace Quillary
