// The comparison's dialog: its controls as they are built, and their texts
// in the language in use.

#include "CompareWindow.h"
#include "app/ui/WindowContext.h"
#include "app/ui/WindowParts.h"
#include "util/BackgroundJob.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

void CompareWindow::buildDialog()
{
    auto *dialog = named(new QDialog(m_context.promptParent()), u"CompareDialog"_s);
    m_dialog = dialog;
    dialog->setModal(false);
    dialog->resize(1100, 640);
    auto *rows = new QVBoxLayout(dialog);

    auto *names = new QHBoxLayout;
    rows->addLayout(names);
    m_oldName = named(new QLabel(dialog), u"CompareOldName"_s);
    m_newName = named(new QLabel(dialog), u"CompareNewName"_s);
    for (QLabel *label : {m_oldName, m_newName}) {
        label->setTextFormat(Qt::PlainText);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    m_swap = named(new QPushButton(dialog), u"CompareSwap"_s);
    m_choose = named(new QPushButton(dialog), u"CompareChoose"_s);
    names->addWidget(m_oldName, 1);
    names->addWidget(m_swap);
    names->addWidget(m_newName, 1);
    names->addWidget(m_choose);

    auto *running = new QHBoxLayout;
    rows->addLayout(running);
    m_summary = named(new QLabel(dialog), u"CompareSummary"_s);
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setWordWrap(true);
    m_progress = named(new QProgressBar(dialog), u"CompareProgress"_s);
    m_stop = named(new QPushButton(dialog), u"CompareStop"_s);
    running->addWidget(m_summary, 1);
    running->addWidget(m_progress);
    running->addWidget(m_stop);

    auto *split = named(new QSplitter(Qt::Horizontal, dialog), u"CompareSplitter"_s);
    split->setChildrenCollapsible(false);
    auto *left = new QWidget(split);
    auto *leftRows = new QVBoxLayout(left);
    leftRows->setContentsMargins(0, 0, 0, 0);
    m_foldersTitle = new QLabel(left);
    m_foldersTitle->setTextFormat(Qt::PlainText);
    m_tree = named(new QTreeView(left), u"CompareFolders"_s);
    m_tree->setModel(m_folders);
    m_tree->setHeaderHidden(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setUniformRowHeights(true);
    leftRows->addWidget(m_foldersTitle);
    leftRows->addWidget(m_tree, 1);
    m_grid = named(new QTableView(split), u"CompareGrid"_s);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    split->addWidget(left);
    split->addWidget(m_grid);
    split->setStretchFactor(1, 1);
    split->setSizes({320, 780});
    rows->addWidget(split, 1);

    m_compare = new CompareController({m_progress, m_stop, m_grid}, this);
    m_grid->horizontalHeader()->setSectionResizeMode(DifferencesModel::PathColumn,
                                                     QHeaderView::Stretch);

    auto *actions = new QHBoxLayout;
    rows->addLayout(actions);
    m_showLabel = new QLabel(dialog);
    m_filter = named(new QComboBox(dialog), u"CompareFilter"_s);
    m_saveCsv = named(new QPushButton(dialog), u"CompareSaveCsv"_s);
    m_saveList = named(new QPushButton(dialog), u"CompareSaveList"_s);
    m_browseNew = named(new QPushButton(dialog), u"CompareBrowseNew"_s);
    m_close = named(new QPushButton(dialog), u"CompareClose"_s);
    actions->addWidget(m_showLabel);
    actions->addWidget(m_filter);
    actions->addStretch();
    actions->addWidget(m_saveCsv);
    actions->addWidget(m_saveList);
    actions->addWidget(m_browseNew);
    actions->addWidget(m_close);
    for (QPushButton *button :
         {m_swap, m_choose, m_stop, m_saveCsv, m_saveList, m_browseNew, m_close})
        button->setAutoDefault(false);

    connect(m_choose, &QPushButton::clicked, this, &CompareWindow::chooseOtherList);
    connect(m_swap, &QPushButton::clicked, this, &CompareWindow::swapLists);
    connect(m_stop, &QPushButton::clicked, this, [this] {
        if (m_reader->isRunning()) {
            m_reader->abandon();
            m_progress->hide();
            m_stop->hide();
            showSummary();
        }
        m_compare->stop();
    });
    connect(m_filter, &QComboBox::activated, this, &CompareWindow::setFilterRow);
    connect(m_saveCsv, &QPushButton::clicked, this,
            [this] { saveDifferences(DifferenceFormat::Csv); });
    connect(m_saveList, &QPushButton::clicked, this,
            [this] { saveDifferences(DifferenceFormat::LabList); });
    connect(m_browseNew, &QPushButton::clicked, this, [this] {
        if (m_newPath.isEmpty())
            return;
        m_dialog->close();
        Q_EMIT openRequested(m_newPath);
    });
    connect(m_close, &QPushButton::clicked, dialog, &QDialog::close);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (!current.isValid())
                    return;
                // A folder shows the differences below it, as its counts count them.
                const int item = current.data(Qt::UserRole).toInt();
                m_compare->showBelow(item == 0 ? -1 : item);
            });
    connect(m_compare, &CompareController::comparisonReady, this, &CompareWindow::showComparison);
    connect(m_compare, &CompareController::stopped, this, &CompareWindow::showSummary);
    retranslate();
    showNames();
    showSummary();
}

void CompareWindow::retranslate()
{
    const auto text = [this](LangEntry entry) { return m_context.langText(entry); };
    if (m_action)
        m_action->setText(text(LangEntry::CompareOpen));
    if (!m_dialog)
        return;
    m_dialog->setWindowTitle(text(LangEntry::CompareTitle));
    m_swap->setText(text(LangEntry::CompareSwap));
    m_choose->setText(text(LangEntry::CompareChoose));
    m_stop->setText(text(LangEntry::SearchStop));
    m_foldersTitle->setText(text(LangEntry::CompareFolders));
    m_showLabel->setText(text(LangEntry::CompareShow));
    m_saveCsv->setText(text(LangEntry::CompareSaveCsv));
    m_saveList->setText(text(LangEntry::CompareSaveList));
    m_browseNew->setText(text(LangEntry::CompareShowNew));
    m_close->setText(text(LangEntry::CheckClose));
    const int row = std::max(0, m_filter->currentIndex());
    m_filter->clear();
    for (const LangEntry entry :
         {LangEntry::CompareAllChanges, LangEntry::CompareAdded, LangEntry::CompareRemoved,
          LangEntry::CompareStatusChanged, LangEntry::CompareSizeChanged,
          LangEntry::CompareBecameBad, LangEntry::CompareBecameGood})
        m_filter->addItem(text(entry));
    m_filter->setCurrentIndex(row);
    m_compare->model()->setTexts(
        {text(LangEntry::CompareAdded), text(LangEntry::CompareRemoved),
         text(LangEntry::CompareStatusChanged), text(LangEntry::CompareSizeChanged)},
        {text(LangEntry::ComparePathColumn), text(LangEntry::CompareChangeColumn),
         text(LangEntry::CompareOldStatusColumn), text(LangEntry::CompareNewStatusColumn),
         text(LangEntry::CompareOldSizeColumn), text(LangEntry::CompareNewSizeColumn)});
    m_compare->model()->setNumbers(m_context.numberLocale());
    showNames();
    showSummary();
    if (m_compare->compared())
        fillFolders();
}

} // namespace corvane
