#include "InternedText.h"

#include "UnsharedText.h"

#include <QMutex>

#include <algorithm>
#include <deque>

namespace Quillary {

const QString& internedText(const QString& text)
{
    // The thread's last text answers at once: contacts read one after the other share theirs.
    thread_local const QString* last = nullptr;
    if (last && *last == text)
        return *last;
    static QMutex mutex;
    static std::deque<QString> texts; // a few; adding one moves none, so references stay valid
    const QMutexLocker locker(&mutex);
    auto found = std::find(texts.cbegin(), texts.cend(), text);
    if (found == texts.cend())
        found = texts.insert(texts.cend(), unsharedCopy(text));
    last = &*found;
    return *last;
}

} // namespace Quillary
