#pragma once

// Work that runs off the window's thread: the one way the program does it.
//
// A BackgroundJob runs one piece of work at a time on a thread of its own.
// The work gets a JobRun: its stop flag, and report() to send something back
// (progress) while it runs. Its result is handed to the done function on the
// job's thread, queued, once the work has returned, and only while that run
// is the job's current one: starting again or abandon() makes a run's result
// and its reports go unseen. A result nobody takes is freed on a pool thread
// (a list of millions of lines takes a moment to free). When the job goes
// (with the object that owns it), every run still going is told to stop and
// waited for, so nothing is delivered to an object that is gone.

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThread>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

namespace corvane {

// Lets go of value on a pool thread; value is left as a new, empty T.
template<class T> void releaseInBackground(T &value)
{
    auto old = std::make_shared<T>(std::move(value));
    value = T();
    QThreadPool::globalInstance()->start([old = std::move(old)]() mutable { old.reset(); });
}

class BackgroundJob;

// What the work of one run sees of its job.
class JobRun
{
public:
    bool stopRequested() const { return m_stop->load(); }
    // For callees that take a stop flag (the loader, the searches).
    const std::atomic<bool> *stopFlag() const { return m_stop.get(); }

    // Runs f() on the job's thread, queued, if this run is still the job's
    // current one by then. Callable from the work's thread.
    template<class F> void report(F f) const;

private:
    friend class BackgroundJob;
    JobRun(BackgroundJob *job, quint64 generation, std::shared_ptr<std::atomic<bool>> stop)
        : m_job(job), m_generation(generation), m_stop(std::move(stop))
    {}
    BackgroundJob *m_job;
    quint64 m_generation;
    std::shared_ptr<std::atomic<bool>> m_stop;
};

class BackgroundJob : public QObject
{
public:
    // threadName names the worker threads (seen in a debugger or top -H).
    explicit BackgroundJob(QString threadName, QObject *parent = nullptr);
    ~BackgroundJob() override;
    BackgroundJob(const BackgroundJob &) = delete;
    BackgroundJob &operator=(const BackgroundJob &) = delete;

    // Starts work(const JobRun &) and returns at once; a run still going is
    // abandoned first. done(result) runs later on this object's thread.
    template<class Work, class Done> void start(Work work, Done done);

    // A run is current: started and its result not yet delivered.
    bool isRunning() const { return m_current != nullptr; }
    // The current run is asked to stop; its result is still delivered.
    void stop();
    // The current run is asked to stop and is no longer current: its result
    // and its reports are dropped, and isRunning() is false at once.
    void abandon();
    // Waits until every run, current or abandoned, has ended (results not
    // delivered yet are delivered later, as always).
    void waitForAll();

private:
    friend class JobRun;
    struct Thread
    {
        QThread *thread;
        std::shared_ptr<std::atomic<bool>> stop;
    };
    void begin(QThread *thread, std::shared_ptr<std::atomic<bool>> stop);
    bool ended(QThread *thread, quint64 generation);

    QString m_threadName;
    quint64 m_generation = 0;
    QThread *m_current = nullptr;
    std::shared_ptr<std::atomic<bool>> m_stop;
    std::vector<Thread> m_threads; // every run not yet ended
};

template<class F> void JobRun::report(F f) const
{
    // The job waits for its threads before it goes, so it is there while
    // the work runs.
    QMetaObject::invokeMethod(
        m_job,
        [job = m_job, generation = m_generation, f = std::move(f)]() mutable {
            if (job->m_current && job->m_generation == generation)
                f();
        },
        Qt::QueuedConnection);
}

template<class Work, class Done> void BackgroundJob::start(Work work, Done done)
{
    using Result = std::invoke_result_t<Work &, const JobRun &>;
    abandon();
    const quint64 generation = ++m_generation;
    auto stop = std::make_shared<std::atomic<bool>>(false);
    auto result = std::make_shared<std::optional<Result>>();
    QThread *thread = QThread::create([run = JobRun(this, generation, stop), work = std::move(work),
                                       result]() mutable { result->emplace(work(run)); });
    connect(thread, &QThread::finished, this,
            [this, thread, generation, result, done = std::move(done)]() mutable {
                if (ended(thread, generation) && result->has_value()) {
                    done(std::move(**result));
                    return;
                }
                releaseInBackground(*result);
            });
    begin(thread, std::move(stop));
}

} // namespace corvane
