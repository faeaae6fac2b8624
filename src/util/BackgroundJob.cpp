#include "BackgroundJob.h"

#include <algorithm>

namespace corvane {

BackgroundJob::BackgroundJob(QString threadName, QObject *parent)
    : QObject(parent), m_threadName(std::move(threadName))
{}

BackgroundJob::~BackgroundJob()
{
    m_current = nullptr;
    for (const Thread &t : m_threads) {
        *t.stop = true;
        t.thread->disconnect(this);
    }
    for (const Thread &t : m_threads) {
        t.thread->wait();
        delete t.thread;
    }
}

void BackgroundJob::begin(QThread *thread, std::shared_ptr<std::atomic<bool>> stop)
{
    thread->setObjectName(m_threadName);
    m_current = thread;
    m_stop = stop;
    m_threads.push_back({thread, std::move(stop)});
    thread->start();
}

// A run's thread has ended: true when the run was still current (it is not
// any more).
bool BackgroundJob::ended(QThread *thread, quint64 generation)
{
    std::erase_if(m_threads, [thread](const Thread &t) { return t.thread == thread; });
    thread->deleteLater();
    if (thread != m_current || generation != m_generation)
        return false;
    m_current = nullptr;
    m_stop.reset();
    return true;
}

void BackgroundJob::stop()
{
    if (m_stop)
        *m_stop = true;
}

void BackgroundJob::abandon()
{
    if (!m_current)
        return;
    stop();
    m_current = nullptr;
    m_stop.reset();
    ++m_generation;
}

void BackgroundJob::waitForAll()
{
    for (const Thread &t : m_threads)
        t.thread->wait();
}

} // namespace corvane
