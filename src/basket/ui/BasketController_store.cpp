// The basket kept per list in the data folder: the list's SHA-256 is read
// on a worker thread once the list is shown; a basket kept under it comes
// back (added to whatever was ticked meanwhile), and every change is kept
// again shortly after it is made.

#include "BasketController.h"
#include "app/ui/ListSession.h"
#include "app/ui/WindowContext.h"
#include "basket/BasketFile.h"
#include "basket/ListFingerprint.h"
#include "util/BackgroundJob.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

void BasketController::startFingerprint()
{
    const QString path = m_session.CurrentListFile();
    m_fingerprintPath = path;
    if (path.isEmpty())
        return;
    m_fingerprintJob->start(
        [path](const JobRun &run) { return basket::listFingerprint(path, run.stopFlag()); },
        [this](const basket::ListFingerprint &print) {
            if (print.ok())
                restoreSaved(print.sha256);
        });
}

void BasketController::restoreSaved(const QString &sha)
{
    m_sha = sha;
    Q_EMIT listFingerprintKnown(sha);
    const QString folder = m_context.dataFolder();
    const basket::BasketLoadResult kept = basket::loadBasket(folder, sha, m_basket.lineCount());
    Prompts &prompts = m_context.prompts();
    switch (kept.problem) {
    case basket::BasketLoadProblem::None: {
        kept.stored->basket.forEachRun(
            [this](qsizetype first, qsizetype last) { m_basket.setRange(first, last, true); });
        const basket::BasketSettings &settings = kept.stored->settings;
        // What the user typed meanwhile stays.
        if (m_capacity->text().isEmpty())
            m_capacity->setText(settings.capacityText);
        if (const auto fs = basket::parseFileSystem(settings.fileSystem))
            m_fileSystem->setCurrentText(basket::fileSystemName(*fs));
        if (m_restoreListPath.isEmpty())
            m_restoreListPath = settings.restoreListPath;
        changed();
        return;
    }
    case basket::BasketLoadProblem::NotSaved:
        if (basket::changedSinceSaved(folder, m_fingerprintPath, sha)) {
            prompts.message(m_context.promptParent(),
                            m_context.langText(LangEntry::BasketListChanged), u"Corvane"_s, false);
        }
        break;
    case basket::BasketLoadProblem::Damaged:
    case basket::BasketLoadProblem::Unreadable:
    case basket::BasketLoadProblem::OtherList:
        // A link, a folder or a pipe at its name is said as of every own file.
        if (kept.fileProblem != StateFileProblem::None) {
            m_context.ReportIgnoredStateFile(basket::basketFilePath(folder, sha), kept.fileProblem);
            break;
        }
        prompts.warning(m_context.promptParent(),
                        m_context.langText(LangEntry::BasketDamaged)
                            .arg(QDir::toNativeSeparators(basket::basketFilePath(folder, sha))),
                        m_context.errorTitle(), false);
        break;
    }
    // Ticked before the fingerprint was known: kept now.
    if (!m_basket.isEmpty())
        scheduleSave();
}

// The list goes (another is opened, or the same again): what is chosen is
// kept first. Ticked before the fingerprint came, the fingerprint is taken
// here and now, so that a quick reload loses nothing.
void BasketController::keepBeforeListGoes()
{
    m_fingerprintJob->abandon();
    if (m_sha.isEmpty() && !m_basket.isEmpty() && !m_fingerprintPath.isEmpty()) {
        const basket::ListFingerprint print = basket::listFingerprint(m_fingerprintPath);
        if (print.ok())
            m_sha = print.sha256;
    }
    saveNow();
}

void BasketController::scheduleSave()
{
    if (!m_sha.isEmpty())
        m_saveTimer->start();
}

void BasketController::saveNow()
{
    m_saveTimer->stop();
    if (m_sha.isEmpty())
        return;
    const basket::BasketSettings settings{
        m_capacity->text(), basket::fileSystemName(targetFileSystem()), m_restoreListPath};
    // A basket that cannot be kept stays in the window and is said once (an
    // empty one loses nothing); the next change tries again.
    const basket::BasketSaveResult saved =
        basket::saveBasket(m_context.dataFolder(), m_sha, m_fingerprintPath, m_basket, settings);
    if (saved.ok) {
        m_saveFailureSaid = false;
    } else if (!m_saveFailureSaid && !m_basket.isEmpty()) {
        m_saveFailureSaid = true;
        m_context.prompts().warning(m_context.promptParent(),
                                    m_context.langText(LangEntry::BasketNotKept).arg(saved.error),
                                    m_context.errorTitle(), false);
    }
}

bool BasketController::waitForFingerprint(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (m_fingerprintJob->isRunning() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return !m_fingerprintJob->isRunning();
}

} // namespace corvane
