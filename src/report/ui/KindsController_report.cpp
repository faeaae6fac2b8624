// The recovery report of the opened list: gathered and written on a worker
// thread ("Save report..."), or gathered there and printed ("Print
// report...").

#include "KindsController.h"
#include "app/language/LanguageTable.h"
#include "app/ui/ListSaveReport.h"
#include "app/ui/ListSession.h"
#include "app/ui/WindowContext.h"
#include "approval/ApprovalMail.h"
#include "basket/ListFingerprint.h"
#include "report/ReportTexts.h"
#include "report/paint/ReportPaint.h"
#include "util/BackgroundJob.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPagedPaintDevice>
#include <QPushButton>
#include <QThread>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

ReportTexts KindsController::texts() const
{
    const auto text = [this](LangEntry entry) { return m_context.langText(entry); };
    return reportTexts(text, m_context.numberLocale(), m_context.sizeUnits(),
                       localeForLanguage(m_context.currentLanguage()).name().left(2));
}

ReportListInfo KindsController::listInfo() const
{
    ReportListInfo info;
    const QString zip = m_sources.zipArchivePath ? m_sources.zipArchivePath() : QString();
    info.fileName = QFileInfo(m_session.CurrentListFile()).fileName();
    if (!zip.isEmpty())
        info.zipName = QFileInfo(zip).fileName();
    info.opened = m_opened.isValid() ? m_opened : QDateTime::currentDateTime();
    if (m_openedFile == m_session.CurrentListFile())
        info.sha256 = m_sha;
    return info;
}

bool KindsController::isWritingReport() const
{
    return m_job->isRunning();
}

bool KindsController::waitForReport(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (m_job->isRunning() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return !m_job->isRunning();
}

bool KindsController::startReport(
    std::function<RecoveryReport(RecoveryReport, const std::atomic<bool> *)> work,
    std::function<void(const RecoveryReport &)> done)
{
    // While a list loads there is none to report on.
    if (m_session.isLoading()) {
        sayNoList();
        return false;
    }
    if (!hasListOrSays())
        return false;
    if (m_job->isRunning()) {
        m_context.prompts().beep();
        return false;
    }
    // What the other parts of the window know, taken now on this thread.
    RecoveryReport parts;
    parts.list = listInfo();
    parts.labAddress = approvalAddress();
    if (m_sources.approvalSubject)
        parts.subject = m_sources.approvalSubject();
    if (m_sources.basket)
        parts.basket = m_sources.basket();
    if (m_sources.check)
        parts.check = m_sources.check();
    const LoadedList *list = &m_session.openedList(); // stays while the job runs (listAboutToGo)
    const QString listFile = m_session.CurrentListFile();
    for (QPushButton *button : {m_save, m_print})
        if (button)
            button->setEnabled(false);
    if (m_hint)
        m_hint->setText(m_context.langText(LangEntry::ReportWriting));
    m_job->start(
        [list, listFile, parts = std::move(parts), work = std::move(work)](const JobRun &run) {
            RecoveryReport report = gatherReport(*list, parts.list, run.stopFlag());
            report.labAddress = parts.labAddress;
            report.subject = parts.subject;
            report.basket = parts.basket;
            report.check = parts.check;
            if (report.list.sha256.isEmpty() && !run.stopRequested()) {
                const basket::ListFingerprint fingerprint =
                    basket::listFingerprint(listFile, run.stopFlag());
                if (fingerprint.ok())
                    report.list.sha256 = fingerprint.sha256;
            }
            if (run.stopRequested())
                report.stopped = true;
            return work(std::move(report), run.stopFlag());
        },
        [this, done = std::move(done)](const RecoveryReport &report) {
            for (QPushButton *button : {m_save, m_print})
                if (button)
                    button->setEnabled(true);
            if (m_hint)
                m_hint->setText(m_context.langText(LangEntry::KindsHint));
            if (!report.stopped)
                done(report);
        });
    return true;
}

QWidget *KindsController::promptParent() const
{
    return m_dialog && m_dialog->isVisible() ? static_cast<QWidget *>(m_dialog)
                                             : m_context.promptParent();
}

bool KindsController::hasListOrSays() const
{
    if (!m_session.CurrentListFile().isEmpty() && m_session.openedList().lineCount > 0)
        return true;
    sayNoList();
    return false;
}

void KindsController::sayNoList() const
{
    m_context.prompts().message(promptParent(), m_context.langText(LangEntry::ReportNoList),
                                u"Corvane"_s, false);
}

void KindsController::saveReport()
{
    if (!hasListOrSays())
        return;
    QWidget *parent = promptParent();
    const QFileInfo list(m_session.CurrentListFile());
    const QString proposed = list.absoluteDir().filePath(
        list.completeBaseName() + fileNameSuffix(m_context.langText(LangEntry::ReportSuffix)) +
        u".pdf"_s);
    QString path =
        m_context.prompts().saveFile(parent, m_context.langText(LangEntry::ReportSave), proposed,
                                     m_context.langText(LangEntry::ReportFilter));
    if (path.isEmpty())
        return;
    const std::optional<ReportFormat> format = reportFormatOf(path);
    if (!format) {
        m_context.prompts().warning(parent, m_context.langText(LangEntry::ReportWrongEnding),
                                    m_context.errorTitle(), false);
        return;
    }
    QStringList keep = {m_session.CurrentListFile()};
    if (m_sources.zipArchivePath && !m_sources.zipArchivePath().isEmpty())
        keep.append(m_sources.zipArchivePath());
    const ReportTexts words = texts();
    const QPageSize pageSize = reportPageSize(m_context.userLocale());
    auto saved = std::make_shared<SaveListResult>();
    startReport(
        [words, format, path, keep, pageSize, saved](RecoveryReport report,
                                                     const std::atomic<bool> *) {
            if (!report.stopped)
                *saved = writeReport(report, words, *format, path, keep, pageSize);
            return report;
        },
        [this, path, saved](const RecoveryReport &) {
            QWidget *parent = promptParent();
            const QString shown = QDir::toNativeSeparators(path);
            if (saved->ok()) {
                m_context.prompts().message(parent,
                                            m_context.langText(LangEntry::ReportSaved).arg(shown),
                                            u"Corvane"_s, false);
                return;
            }
            const QString text = saved->outcome == SaveListResult::Outcome::WouldReplaceOpenFile
                                     ? m_context.langText(LangEntry::SaveOverOpenList).arg(shown)
                                     : m_context.langText(LangEntry::ReportNotSaved)
                                           .arg(shown, saveFailureReason(m_context, *saved));
            m_context.prompts().warning(parent, text, m_context.errorTitle(), false);
        });
}

void KindsController::printReport()
{
    const ReportTexts words = texts();
    startReport([](RecoveryReport report, const std::atomic<bool> *) { return report; },
                [this, words](const RecoveryReport &report) {
                    m_context.prompts().print(promptParent(),
                                              m_context.langText(LangEntry::ReportPrint),
                                              [&](QPagedPaintDevice *device) {
                                                  corvane::printReport(report, words, device);
                                              });
                });
}

} // namespace corvane
