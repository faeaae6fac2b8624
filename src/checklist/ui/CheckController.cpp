#include "CheckController.h"

#include "app/ui/ListSaveReport.h"
#include "app/ui/ListSession.h"
#include "app/ui/WindowContext.h"
#include "checklist/CheckEntriesFile.h"
#include "listfile/SaveTarget.h"
#include "report/ReportParts.h"
#include "util/BackgroundJob.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

CheckController::CheckController(WindowContext &context, ListSession &session,
                                 const CheckWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_session(session)
    , m_w(widgets)
    , m_model(new CheckResultsModel(this))
    , m_job(new BackgroundJob(u"check"_s, this))
{
    if (m_w.mnuCheck)
        connect(m_w.mnuCheck, &QAction::triggered, this, &CheckController::showCheck);
    retranslate();
}

CheckController::~CheckController()
{
    delete m_dialog.data();
}

// -- the entries ---------------------------------------------------------------

QString CheckController::entriesText() const
{
    return m_text ? m_text->toPlainText() : m_pendingText;
}

void CheckController::setEntriesText(const QString &text)
{
    if (m_text)
        m_text->setPlainText(text);
    else
        m_pendingText = text;
}

void CheckController::openEntriesFile()
{
    const QString start = QFileInfo(m_session.CurrentListFile()).absolutePath();
    const QString path =
        m_context.prompts().openFile(m_dialog, m_context.langText(LangEntry::CheckOpenFile), start,
                                     m_context.langText(LangEntry::CheckFileFilter));
    if (!path.isEmpty())
        readEntriesFile(path);
}

bool CheckController::readEntriesFile(const QString &path)
{
    QStringList entries;
    QString error;
    if (!readCheckEntries(path, &entries, &error)) {
        m_context.prompts().warning(m_dialog ? static_cast<QWidget *>(m_dialog)
                                             : m_context.promptParent(),
                                    m_context.langText(LangEntry::CheckListUnreadable)
                                        .arg(QDir::toNativeSeparators(path), error),
                                    m_context.errorTitle(), false);
        return false;
    }
    setEntriesText(entries.join(u'\n'));
    return true;
}

// -- the check -----------------------------------------------------------------

void CheckController::runCheck()
{
    if (isChecking())
        return;
    const QString list = m_session.CurrentListFile();
    QWidget *parent = m_dialog ? static_cast<QWidget *>(m_dialog) : m_context.promptParent();
    if (list.isEmpty()) {
        m_context.prompts().message(parent, m_context.langText(LangEntry::CheckNoList),
                                    u"Corvane"_s, false);
        return;
    }
    const QStringList entries = checkEntries(entriesText());
    if (entries.isEmpty()) {
        m_context.prompts().beep();
        return;
    }
    if (m_progress) {
        m_progress->setValue(0);
        m_progress->show();
        m_stop->show();
        m_run->setEnabled(false);
        m_openFile->setEnabled(false);
    }
    m_job->start(
        [this, list, entries](const JobRun &run) {
            SearchOptions options;
            options.stop = run.stopFlag();
            options.progress = [this, &run](const SearchProgress &progress) {
                run.report([this, progress] { showProgress(progress); });
            };
            return checkList(list, entries, options);
        },
        [this, list, entries](const CheckOutcome &outcome) {
            m_checkedList = list;
            finishCheck(entries, outcome);
        });
}

void CheckController::stop()
{
    m_job->stop();
}

bool CheckController::isChecking() const
{
    return m_job->isRunning();
}

bool CheckController::waitForCheck(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (m_job->isRunning() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return !m_job->isRunning();
}

void CheckController::showProgress(const SearchProgress &progress)
{
    if (!m_progress || progress.bytesTotal <= 0)
        return;
    m_progress->setValue(
        int(double(progress.bytesDone) / double(progress.bytesTotal) * ProgressSteps));
}

void CheckController::finishCheck(const QStringList &entries, const CheckOutcome &outcome)
{
    if (m_progress) {
        m_progress->hide();
        m_stop->hide();
        m_run->setEnabled(true);
        m_openFile->setEnabled(true);
    }
    if (outcome.stopped)
        return; // the rows of the last check stay
    if (!outcome.complete()) {
        m_context.prompts().warning(m_dialog ? static_cast<QWidget *>(m_dialog)
                                             : m_context.promptParent(),
                                    m_context.langText(LangEntry::CheckFailed).arg(outcome.error),
                                    m_context.errorTitle(), false);
        return;
    }
    m_model->setResults(entries, outcome.results);
    showSummary();
    if (m_table && m_model->rowCount() > 0)
        m_table->selectRow(0);
    m_toKeep = entries;
    keepEntries();
}

void CheckController::showSummary()
{
    if (!m_summary)
        return;
    if (m_model->rowCount() == 0) {
        m_summary->clear();
    } else {
        const CheckSummary s = summarizeCheck(m_model->results());
        const auto n = [this](qint64 value) { return m_context.formatCountShown(value); };
        m_summary->setText(
            m_context.langText(LangEntry::CheckSummary)
                .arg(n(s.entries), n(s.recovered), n(s.partial), n(s.damaged), n(s.missing)));
    }
    updateButtons();
}

std::optional<ReportCheck> CheckController::reportCheck() const
{
    if (m_model->rowCount() == 0 || m_checkedList != m_session.CurrentListFile())
        return std::nullopt;
    const ReportWords words{[this](LangEntry entry) { return m_context.langText(entry); },
                            [this](qint64 n) { return m_context.formatCountShown(n); },
                            [this](ByteTotal size) { return m_context.formatSizeShown(size); }};
    return reportCheckOf(m_model->entries(), m_model->results(), words);
}

void CheckController::updateButtons()
{
    if (!m_dialog)
        return;
    const int row = currentRow();
    const bool found = row >= 0 && m_model->results()[row].matches > 0;
    m_showMatches->setEnabled(found);
    m_addToBasket->setEnabled(found);
    m_addAllFound->setEnabled(m_model->anyFound());
    m_save->setEnabled(m_model->rowCount() > 0);
}

int CheckController::currentRow() const
{
    if (!m_table)
        return -1;
    const QModelIndex current = m_table->currentIndex();
    return current.isValid() ? current.row() : -1;
}

// -- the rows' actions -----------------------------------------------------------

void CheckController::showMatchesOf(int row)
{
    if (row < 0 || row >= m_model->rowCount() || m_model->results()[row].matches == 0)
        return;
    Q_EMIT matchesRequested({m_model->entries()[row]}, false, QString());
}

void CheckController::openBestFolderOf(int row)
{
    if (row < 0 || row >= m_model->rowCount() || m_model->results()[row].matches == 0)
        return;
    Q_EMIT matchesRequested({m_model->entries()[row]}, false, m_model->results()[row].bestPath);
}

void CheckController::addRowToBasket(int row)
{
    if (row < 0 || row >= m_model->rowCount() || m_model->results()[row].matches == 0)
        return;
    Q_EMIT matchesRequested({m_model->entries()[row]}, true, QString());
}

void CheckController::addAllFoundToBasket()
{
    QStringList found;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_model->results()[row].matches > 0)
            found.append(m_model->entries()[row]);
    }
    if (!found.isEmpty())
        Q_EMIT matchesRequested(found, true, QString());
}

void CheckController::saveResults()
{
    if (m_model->rowCount() == 0)
        return;
    QWidget *parent = m_dialog ? static_cast<QWidget *>(m_dialog) : m_context.promptParent();
    const QFileInfo list(m_checkedList);
    const QString proposed = list.absoluteDir().filePath(
        list.completeBaseName() +
        fileNameSuffix(m_context.langText(LangEntry::CheckResultsSuffix)) + u".csv"_s);
    const QString path =
        m_context.prompts().saveFile(parent, m_context.langText(LangEntry::CheckSaveResults),
                                     proposed, m_context.langText(LangEntry::CheckResultsFilter));
    if (path.isEmpty())
        return;
    const QString shown = QDir::toNativeSeparators(path);
    const auto failed = [&](const QString &why) {
        m_context.prompts().warning(
            parent, m_context.langText(LangEntry::CheckResultsNotSaved).arg(shown, why),
            m_context.errorTitle(), false);
    };
    // Never over the list the results are of.
    if (isSameFile(path, m_checkedList) || isSameFile(path, m_session.CurrentListFile())) {
        failed(u"this is the list itself"_s);
        return;
    }
    const SaveTarget target = resolveSaveTarget(path);
    if (!target.ok()) {
        failed(target.refusal(shown));
        return;
    }
    QSaveFile file(target.path);
    const QByteArray bytes = checkResultsCsv(m_model->entries(), m_model->results());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        failed(file.errorString());
        return;
    }
    m_context.prompts().message(parent, m_context.langText(LangEntry::CheckResultsSaved).arg(shown),
                                u"Corvane"_s, false);
}

// -- the list ------------------------------------------------------------------

void CheckController::listFingerprintKnown(const QString &sha256)
{
    m_sha = sha256;
    if (!m_toKeep.isEmpty()) {
        keepEntries();
        return;
    }
    const CheckEntriesRead kept = loadCheckEntries(m_context.dataFolder(), sha256);
    if (kept.problem == StateFileProblem::None && !kept.damaged &&
        entriesText().trimmed().isEmpty())
        setEntriesText(kept.entries.join(u'\n'));
    else if (kept.problem != StateFileProblem::None && kept.problem != StateFileProblem::Missing)
        m_context.ReportIgnoredStateFile(checkEntriesFilePath(m_context.dataFolder(), sha256),
                                         kept.problem);
}

void CheckController::listOpened()
{
    m_job->abandon();
    if (m_progress) {
        m_progress->hide();
        m_stop->hide();
        m_run->setEnabled(true);
        m_openFile->setEnabled(true);
    }
    m_sha.clear();
    m_toKeep.clear();
    m_checkedList.clear();
    m_model->clear();
    showSummary();
}

void CheckController::keepEntries()
{
    if (m_sha.isEmpty() || m_toKeep.isEmpty())
        return;
    QString error;
    // Entries that cannot be kept stay in the window; nothing else is lost.
    saveCheckEntries(m_context.dataFolder(), m_sha, m_toKeep, &error);
    m_toKeep.clear();
}

} // namespace corvane
