#include "CheckController.h"

#include "app/ui/ListSaveReport.h"
#include "app/ui/ListSession.h"
#include "app/ui/WindowContext.h"
#include "checklist/CheckEntriesFile.h"
#include "listfile/SaveTarget.h"
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

namespace {

constexpr int ProgressSteps = 1000;

template<class W> W *named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

// The first local file among what is dragged, if any.
QString droppedFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    for (const QUrl &url : mime->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

} // namespace

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

// -- the window ----------------------------------------------------------------

void CheckController::showCheck()
{
    if (!m_dialog)
        buildDialog();
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
    m_text->setFocus();
}

void CheckController::buildDialog()
{
    auto *dialog = named(new QDialog(m_context.promptParent()), u"CheckDialog"_s);
    m_dialog = dialog;
    dialog->setModal(false);
    dialog->resize(900, 600);
    auto *rows = new QVBoxLayout(dialog);

    m_hint = named(new QLabel(dialog), u"CheckHint"_s);
    m_hint->setTextFormat(Qt::PlainText);
    m_hint->setWordWrap(true);
    rows->addWidget(m_hint);
    m_text = named(new QPlainTextEdit(dialog), u"CheckEntriesText"_s);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setMaximumBlockCount(0);
    m_text->setPlainText(m_pendingText);
    m_text->installEventFilter(this);
    m_text->viewport()->installEventFilter(this);
    rows->addWidget(m_text, 1);

    auto *actions = new QHBoxLayout;
    rows->addLayout(actions);
    m_openFile = named(new QPushButton(dialog), u"CheckOpenFile"_s);
    m_run = named(new QPushButton(dialog), u"CheckRun"_s);
    m_run->setDefault(true);
    m_progress = named(new QProgressBar(dialog), u"CheckProgress"_s);
    m_progress->setRange(0, ProgressSteps);
    m_progress->hide();
    m_stop = named(new QPushButton(dialog), u"CheckStop"_s);
    m_stop->hide();
    actions->addWidget(m_openFile);
    actions->addWidget(m_run);
    actions->addWidget(m_progress, 1);
    actions->addWidget(m_stop);
    actions->addStretch();

    m_summary = named(new QLabel(dialog), u"CheckSummary"_s);
    m_summary->setTextFormat(Qt::PlainText);
    rows->addWidget(m_summary);
    m_table = named(new QTableView(dialog), u"CheckResults"_s);
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(false);
    m_table->horizontalHeader()->setSectionResizeMode(CheckResultsModel::BestColumn,
                                                      QHeaderView::Stretch);
    m_table->setColumnWidth(CheckResultsModel::VerdictColumn, 140);
    m_table->setColumnWidth(CheckResultsModel::MatchesColumn, 90);
    m_table->setColumnWidth(CheckResultsModel::EntryColumn, 200);
    m_table->setColumnWidth(CheckResultsModel::StatusColumn, 120);
    rows->addWidget(m_table, 2);

    auto *rowActions = new QHBoxLayout;
    rows->addLayout(rowActions);
    m_showMatches = named(new QPushButton(dialog), u"CheckShowMatches"_s);
    m_addToBasket = named(new QPushButton(dialog), u"CheckAddToBasket"_s);
    m_addAllFound = named(new QPushButton(dialog), u"CheckAddAllFound"_s);
    m_save = named(new QPushButton(dialog), u"CheckSaveResults"_s);
    m_close = named(new QPushButton(dialog), u"CheckClose"_s);
    rowActions->addWidget(m_showMatches);
    rowActions->addWidget(m_addToBasket);
    rowActions->addWidget(m_addAllFound);
    rowActions->addStretch();
    rowActions->addWidget(m_save);
    rowActions->addWidget(m_close);
    for (QPushButton *button :
         {m_openFile, m_stop, m_showMatches, m_addToBasket, m_addAllFound, m_save, m_close})
        button->setAutoDefault(false);

    connect(m_openFile, &QPushButton::clicked, this, &CheckController::openEntriesFile);
    connect(m_run, &QPushButton::clicked, this, &CheckController::runCheck);
    connect(m_stop, &QPushButton::clicked, this, &CheckController::stop);
    connect(m_showMatches, &QPushButton::clicked, this, [this] { showMatchesOf(currentRow()); });
    connect(m_addToBasket, &QPushButton::clicked, this, [this] { addRowToBasket(currentRow()); });
    connect(m_addAllFound, &QPushButton::clicked, this, &CheckController::addAllFoundToBasket);
    connect(m_save, &QPushButton::clicked, this, &CheckController::saveResults);
    connect(m_close, &QPushButton::clicked, dialog, &QDialog::close);
    connect(m_table, &QTableView::clicked, this,
            [this](const QModelIndex &index) { showMatchesOf(index.row()); });
    connect(m_table, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { openBestFolderOf(index.row()); });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CheckController::updateButtons);
    retranslate();
}

void CheckController::retranslate()
{
    const auto text = [this](LangEntry entry) { return m_context.langText(entry); };
    if (m_w.mnuCheck)
        m_w.mnuCheck->setText(text(LangEntry::CheckOpen));
    m_model->setTexts({text(LangEntry::CheckRecovered), text(LangEntry::CheckPartial),
                       text(LangEntry::CheckDamaged), text(LangEntry::CheckMissing)},
                      {text(LangEntry::CheckVerdictColumn), text(LangEntry::CheckMatchesColumn),
                       text(LangEntry::CheckEntryColumn), text(LangEntry::CheckBestColumn),
                       text(LangEntry::CheckStatusColumn)},
                      [this](qint64 n) { return m_context.formatCountShown(n); });
    if (!m_dialog)
        return;
    m_dialog->setWindowTitle(text(LangEntry::CheckTitle));
    m_hint->setText(text(LangEntry::CheckHint));
    m_text->setPlaceholderText(text(LangEntry::CheckHint));
    m_openFile->setText(text(LangEntry::CheckOpenFile));
    m_run->setText(text(LangEntry::CheckRun));
    m_stop->setText(text(LangEntry::SearchStop));
    m_showMatches->setText(text(LangEntry::CheckShowMatches));
    m_addToBasket->setText(text(LangEntry::CheckAddToBasket));
    m_addAllFound->setText(text(LangEntry::CheckAddAllFound));
    m_save->setText(text(LangEntry::CheckSaveResults));
    m_close->setText(text(LangEntry::CheckClose));
    showSummary();
}

bool CheckController::eventFilter(QObject *watched, QEvent *event)
{
    // A file dropped on the box is read as the entries; dropped text is
    // pasted as always.
    if (m_text && (watched == m_text || watched == m_text->viewport())) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto *drag = static_cast<QDragMoveEvent *>(event);
            if (!droppedFile(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto *drop = static_cast<QDropEvent *>(event);
            const QString path = droppedFile(drop->mimeData());
            if (!path.isEmpty()) {
                drop->acceptProposedAction();
                readEntriesFile(path);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
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
    updateButtons();
    m_toKeep = entries;
    keepEntries();
}

void CheckController::showSummary()
{
    if (!m_summary)
        return;
    if (m_model->rowCount() == 0) {
        m_summary->clear();
        return;
    }
    const CheckSummary s = summarizeCheck(m_model->results());
    const auto n = [this](qint64 value) { return m_context.formatCountShown(value); };
    m_summary->setText(
        m_context.langText(LangEntry::CheckSummary)
            .arg(n(s.entries), n(s.recovered), n(s.partial), n(s.damaged), n(s.missing)));
    updateButtons();
}

void CheckController::updateButtons()
{
    if (!m_dialog)
        return;
    const int row = currentRow();
    const bool found = row >= 0 && m_model->results()[row].matches > 0;
    m_showMatches->setEnabled(found);
    m_addToBasket->setEnabled(found);
    const CheckSummary s = summarizeCheck(m_model->results());
    m_addAllFound->setEnabled(s.entries > s.missing);
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
    updateButtons();
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
