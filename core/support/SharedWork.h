#pragma once

#include <QFuture>
#include <QList>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <atomic>

namespace Quillary {

/// Runs `work(index)` for every index from 0 to `count` on all cores: on threads of the global pool
/// and on the calling thread, which first runs `meanwhile` (reading the next batch, writing the last
/// one) and then takes its share instead of only waiting. Indexes are handed out `chunk` at a time
/// from one counter, so that no core waits while another still has work queued for it, and a thread
/// that the system leaves on a busy core cannot hold the others back.
template <typename Work, typename Meanwhile>
void shareWork(qsizetype count, qsizetype chunk, const Work& work, const Meanwhile& meanwhile)
{
    std::atomic<qsizetype> next{0};
    const auto takeShare = [&] {
        for (qsizetype begin = next.fetch_add(chunk, std::memory_order_relaxed); begin < count;
             begin = next.fetch_add(chunk, std::memory_order_relaxed)) {
            const qsizetype end = std::min(begin + chunk, count);
            for (qsizetype index = begin; index < end; ++index)
                work(index);
        }
    };
    // The calling thread is the last of the workers; work of one share (a card pasted) needs no other.
    const int helpers = count > chunk ? std::max(1, QThread::idealThreadCount() - 1) : 0;
    QList<QFuture<void>> helping;
    helping.reserve(helpers);
    for (int i = 0; i < helpers; ++i)
        helping.append(QtConcurrent::run(takeShare));
    meanwhile();
    takeShare();
    for (QFuture<void>& helper : helping)
        helper.waitForFinished();
}

} // namespace Quillary
