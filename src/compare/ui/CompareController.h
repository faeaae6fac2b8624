#pragma once

// "Compare with another list...": two lists compared on a worker thread,
// with progress and Stop, the differences in a grid (DifferencesModel) by
// folder and by kind of change, and "Save differences..." of what the grid
// shows. The controller is handed the lists (the shown one is OLD unless
// swapped) and the widgets it drives; what the window builds around them,
// and the texts, come from whoever wires it.
//
// Signals:
//   progressed(done, total)  lines of both lists merged so far
//   comparisonReady()        a comparison is in (compared() holds it)
//   stopped()                Stop ended it before; nothing is shown

#include "DifferencesModel.h"
#include "compare/DifferenceFile.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>

class QProgressBar;
class QPushButton;
class QTableView;

namespace corvane {

class BackgroundJob;

struct CompareWidgets
{
    QProgressBar *progress = nullptr; // shown while comparing
    QPushButton *stop = nullptr;      // shown while comparing; a click stops
    QTableView *grid = nullptr;       // given the model
};

enum class DifferenceFormat { Csv, LabList };

class CompareController : public QObject
{
    Q_OBJECT

public:
    explicit CompareController(const CompareWidgets &widgets, QObject *parent = nullptr);
    ~CompareController() override;

    // Compares oldList with newList (a comparison still going is dropped).
    void compare(std::shared_ptr<const LoadedList> oldList,
                 std::shared_ptr<const LoadedList> newList);
    // The same two lists the other way round.
    void swapLists();
    void stop();
    // Drops the comparison (a list was closed).
    void clear();
    bool isComparing() const;
    bool waitForComparison(int timeoutMs); // tests

    // The lists being or last compared, OLD first.
    std::shared_ptr<const LoadedList> oldList() const { return m_oldList; }
    std::shared_ptr<const LoadedList> newList() const { return m_newList; }
    // The last comparison that ended (none while the first runs or after Stop).
    const std::shared_ptr<const ComparedLists> &compared() const { return m_model->comparison(); }
    DifferencesModel *model() const { return m_model; }

    // The grid: the differences of one folder of NEW's tree (-1: all), of
    // one kind of change (none: all), of status changes to one class.
    void showFolder(int item) { m_model->showFolder(item); }
    void showBelow(int item) { m_model->showBelow(item); }
    void setFilter(std::optional<ListChange> only, std::optional<StatusClass> became = {})
    {
        m_model->setFilter(only, became);
    }

    // "Save differences...": the differences the filter lets through (all
    // folders), in the format asked for; keep names the files never written
    // over (the open lists).
    SaveListResult saveDifferences(const QString &path, DifferenceFormat format,
                                   const QStringList &keep) const;

Q_SIGNALS:
    void progressed(qint64 done, qint64 total);
    void comparisonReady();
    void stopped();

private:
    static constexpr int ProgressSteps = 1000;
    void showRunning(bool running);
    void showProgress(const ComparisonProgress &progress);

    CompareWidgets m_w;
    DifferencesModel *m_model;
    BackgroundJob *m_job;
    std::shared_ptr<const LoadedList> m_oldList;
    std::shared_ptr<const LoadedList> m_newList;
};

} // namespace corvane
