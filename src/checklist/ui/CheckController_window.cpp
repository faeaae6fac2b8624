// The check's own window: the entries' box (a dropped file read into it),
// Check and Stop with the progress, the summary, the rows and their actions.

#include "CheckController.h"
#include "app/ui/ListSaveReport.h"
#include "app/ui/ListSession.h"
#include "app/ui/WindowContext.h"
#include "app/ui/WindowParts.h"
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

// -- the window ----------------------------------------------------------------

void CheckController::showCheck()
{
    if (!m_dialog)
        buildDialog();
    bringToFront(m_dialog);
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

} // namespace corvane
