#pragma once

// Internal to the table's sorting: work over many rows cut into pieces that the calling thread and
// threads of the global pool take in turn.

#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>

namespace Quillary::Pieces {

/// From this many items work is cut into pieces: below, waking other threads costs more than
/// they save.
constexpr size_t ParallelFrom = 4096;

/// How many pieces `items` items make: one below ParallelFrom, else enough that the calling thread
/// does the rest when the other threads are busy elsewhere.
inline size_t countFor(size_t items, size_t most = 16)
{
    return items < ParallelFrom ? 1 : std::min(most, items / ParallelFrom + 1);
}

/// The first item of a piece; piece `count` gives the end.
inline size_t begin(size_t items, size_t piece, size_t count)
{
    return items * piece / count;
}

/// Runs work(piece) for every piece and returns when all are done. The calling thread takes pieces
/// too and never waits for a thread that has not started: it only waits for pieces under way.
/// Pieces must touch disjoint data.
template <typename Work> void run(size_t count, const Work& work)
{
    if (count <= 1) {
        if (count == 1)
            work(size_t(0));
        return;
    }
    struct Shared
    {
        std::function<void(size_t)> work;
        size_t count;
        std::atomic<size_t> next{0};
        std::atomic<size_t> done{0};

        void take()
        {
            for (size_t piece = next++; piece < count; piece = next++) {
                work(piece);
                if (++done == count)
                    done.notify_all();
            }
        }
    };
    // A helper that starts late finds no piece left and touches only the shared state it keeps.
    auto shared = std::make_shared<Shared>();
    shared->work = [&work](size_t piece) { work(piece); };
    shared->count = count;
    const int helpers = std::min(int(count) - 1, QThread::idealThreadCount() - 1);
    for (int i = 0; i < helpers; ++i)
        QThreadPool::globalInstance()->start([shared] { shared->take(); });
    shared->take();
    for (size_t done = shared->done; done < count; done = shared->done)
        shared->done.wait(done);
}

} // namespace Quillary::Pieces
