#include "CompareController.h"

#include "util/BackgroundJob.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

CompareController::CompareController(const CompareWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_w(widgets)
    , m_model(new DifferencesModel(this))
    , m_job(new BackgroundJob(u"corvane-compare"_s, this))
{
    if (m_w.grid)
        m_w.grid->setModel(m_model);
    if (m_w.progress)
        m_w.progress->setRange(0, ProgressSteps);
    if (m_w.stop)
        connect(m_w.stop, &QPushButton::clicked, this, &CompareController::stop);
    showRunning(false);
}

CompareController::~CompareController() = default;

void CompareController::compare(std::shared_ptr<const LoadedList> oldList,
                                std::shared_ptr<const LoadedList> newList)
{
    m_oldList = std::move(oldList);
    m_newList = std::move(newList);
    m_model->setComparison(nullptr);
    if (!m_oldList || !m_newList) {
        m_job->abandon();
        showRunning(false);
        return;
    }
    showRunning(true);
    m_job->start(
        [this, o = m_oldList, n = m_newList](const JobRun &run) {
            CompareOptions options;
            options.stop = run.stopFlag();
            options.progress = [this, &run](const ComparisonProgress &progress) {
                run.report([this, progress] { showProgress(progress); });
            };
            auto result = std::make_shared<ComparedLists>();
            result->oldList = o;
            result->newList = n;
            result->comparison = compareLists(*o, *n, options);
            return std::shared_ptr<const ComparedLists>(std::move(result));
        },
        [this](const std::shared_ptr<const ComparedLists> &result) {
            showRunning(false);
            if (result->comparison.stopped) {
                Q_EMIT stopped();
                return;
            }
            m_model->setComparison(result);
            Q_EMIT comparisonReady();
        });
}

void CompareController::swapLists()
{
    compare(m_newList, m_oldList);
}

void CompareController::stop()
{
    m_job->stop();
}

void CompareController::clear()
{
    m_job->abandon();
    showRunning(false);
    m_model->setComparison(nullptr);
    m_oldList.reset();
    m_newList.reset();
}

bool CompareController::isComparing() const
{
    return m_job->isRunning();
}

bool CompareController::waitForComparison(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (m_job->isRunning() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return !m_job->isRunning();
}

SaveListResult CompareController::saveDifferences(const QString &path, DifferenceFormat format,
                                                  const QStringList &keep) const
{
    const std::shared_ptr<const ComparedLists> &c = compared();
    if (!c) {
        SaveListResult nothing;
        nothing.error = u"there is no comparison to save"_s;
        return nothing;
    }
    const DifferenceFilter filter = [this](const ListDifference &d) { return m_model->accepts(d); };
    if (format == DifferenceFormat::Csv)
        return saveDifferencesCsv(c->comparison, *c->oldList, *c->newList, path, keep, filter);
    return saveDifferencesList(c->comparison, *c->newList, path, keep, filter);
}

void CompareController::showRunning(bool running)
{
    if (m_w.progress) {
        m_w.progress->setValue(0);
        m_w.progress->setVisible(running);
    }
    if (m_w.stop)
        m_w.stop->setVisible(running);
}

void CompareController::showProgress(const ComparisonProgress &progress)
{
    if (progress.linesTotal > 0 && m_w.progress)
        m_w.progress->setValue(int(progress.linesDone * ProgressSteps / progress.linesTotal));
    Q_EMIT progressed(progress.linesDone, progress.linesTotal);
}

} // namespace corvane
