// The kinds window: its table, the bar of the classes, following the tree.

#include "KindsController.h"

#include "app/ui/ListSession.h"
#include "app/ui/WindowContext.h"
#include "app/ui/WindowParts.h"
#include "browse/paint/StatusColours.h"
#include "report/ReportTexts.h"
#include "util/BackgroundJob.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// The recovery column: the files of each class side by side, in the
// classes' colours, as wide as their shares.
class ClassBarDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        opt.text.clear();
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        const QVariantList files = index.data(KindsModel::ClassFilesRole).toList();
        qint64 all = 0;
        for (const QVariant &n : files)
            all += n.toLongLong();
        const QRect bar = option.rect.adjusted(3, 3, -3, -3);
        if (all <= 0 || bar.width() < 2 || bar.height() < 2)
            return;
        painter->save();
        qint64 before = 0;
        for (qsizetype c = 0; c < files.size(); ++c) {
            const int x0 = bar.left() + int(before * bar.width() / all);
            before += files[c].toLongLong();
            const int x1 = bar.left() + int(before * bar.width() / all);
            if (x1 > x0)
                painter->fillRect(QRect(x0, bar.top(), x1 - x0, bar.height()),
                                  statusClassColour(StatusClass(c)));
        }
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawRect(bar.adjusted(0, 0, -1, -1));
        painter->restore();
    }
};

} // namespace

KindsController::KindsController(WindowContext &context, ListSession &session,
                                 const KindsWidgets &widgets, ReportSources sources,
                                 QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_session(session)
    , m_w(widgets)
    , m_sources(std::move(sources))
    , m_model(new KindsModel(this))
    , m_job(new BackgroundJob(u"corvane-report"_s, this))
{
    if (m_w.mnuKinds)
        connect(m_w.mnuKinds, &QAction::triggered, this, &KindsController::showKinds);
    if (m_w.mnuReport)
        connect(m_w.mnuReport, &QAction::triggered, this, &KindsController::saveReport);
    if (m_w.mnuPrintReport)
        connect(m_w.mnuPrintReport, &QAction::triggered, this, &KindsController::printReport);
    connect(&m_session, &ListSession::aboutToReplace, this, &KindsController::listAboutToGo);
    connect(&m_session, &ListSession::replaced, this, &KindsController::listReplaced);
    connect(&m_session, &ListSession::loaded, this, [this](ListSession::LoadKind kind) {
        if (kind != ListSession::LoadKind::Opened)
            return;
        if (m_openedFile != m_session.CurrentListFile())
            m_sha.clear();
        m_openedFile = m_session.CurrentListFile();
        m_opened = QDateTime::currentDateTime();
    });
    retranslate();
}

KindsController::~KindsController() = default;

void KindsController::showKinds()
{
    if (!m_dialog)
        buildDialog();
    refresh();
    bringToFront(m_dialog);
    m_table->setFocus();
}

void KindsController::buildDialog()
{
    auto *dialog = named(new QDialog(m_context.promptParent()), u"KindsDialog"_s);
    m_dialog = dialog;
    dialog->setModal(false);
    dialog->resize(900, 420);
    auto *rows = new QVBoxLayout(dialog);
    m_hint = named(new QLabel(dialog), u"KindsHint"_s);
    m_hint->setTextFormat(Qt::PlainText);
    m_hint->setWordWrap(true);
    rows->addWidget(m_hint);
    m_table = named(new QTableView(dialog), u"KindsTable"_s);
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->setSortingEnabled(true);
    m_table->horizontalHeader()->setSortIndicatorShown(true);
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setItemDelegateForColumn(KindsModel::RecoveryColumn, new ClassBarDelegate(m_table));
    m_table->horizontalHeader()->setSectionResizeMode(KindsModel::RecoveryColumn,
                                                      QHeaderView::Stretch);
    m_table->setColumnWidth(KindsModel::KindColumn, 150);
    // The numbers as wide as they are (a dozen rows at most); the bar takes the rest.
    for (int column = KindsModel::FilesColumn; column < KindsModel::RecoveryColumn; ++column)
        m_table->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setMinimumSectionSize(60);
    rows->addWidget(m_table, 1);

    auto *actions = new QHBoxLayout;
    rows->addLayout(actions);
    m_save = named(new QPushButton(dialog), u"KindsSaveReport"_s);
    m_print = named(new QPushButton(dialog), u"KindsPrintReport"_s);
    m_close = named(new QPushButton(dialog), u"KindsClose"_s);
    actions->addWidget(m_save);
    actions->addWidget(m_print);
    actions->addStretch();
    actions->addWidget(m_close);
    for (QPushButton *button : {m_save, m_print, m_close})
        button->setAutoDefault(false);
    connect(m_save, &QPushButton::clicked, this, &KindsController::saveReport);
    connect(m_print, &QPushButton::clicked, this, &KindsController::printReport);
    connect(m_close, &QPushButton::clicked, dialog, &QDialog::close);
    // A click or Enter on a number shows those files.
    connect(m_table, &QTableView::clicked, this,
            [this](const QModelIndex &index) { showFilesOf(index.row(), index.column()); });
    connect(m_table, &QTableView::activated, this,
            [this](const QModelIndex &index) { showFilesOf(index.row(), index.column()); });
    retranslate();
}

void KindsController::retranslate()
{
    const auto text = [this](LangEntry entry) { return m_context.langText(entry); };
    if (m_w.mnuKinds)
        m_w.mnuKinds->setText(text(LangEntry::KindsOpen));
    if (m_w.mnuReport)
        m_w.mnuReport->setText(text(LangEntry::ReportSave));
    if (m_w.mnuPrintReport)
        m_w.mnuPrintReport->setText(text(LangEntry::ReportPrint));
    KindsModel::Texts t;
    for (int k = 0; k < FileKindCount; ++k)
        t.kindNames[size_t(k)] = fileKindName(FileKind(k), text);
    t.allKinds = text(LangEntry::KindsAll);
    t.headers = {text(LangEntry::KindsKindColumn), text(LangEntry::KindsFilesColumn),
                 text(LangEntry::KindsSizeColumn), text(LangEntry::ClassGood),
                 text(LangEntry::ClassPartial),    text(LangEntry::ClassBad),
                 text(LangEntry::ClassUnknown),    text(LangEntry::KindsRecoveryColumn)};
    t.count = [this](qint64 n) { return m_context.formatCountShown(n); };
    t.size = [this](ByteTotal size) { return m_context.formatSizeShown(size); };
    t.collation = m_context.numberLocale();
    m_model->setTexts(std::move(t));
    if (!m_dialog)
        return;
    m_hint->setText(text(LangEntry::KindsHint));
    m_save->setText(text(LangEntry::ReportSave));
    m_print->setText(text(LangEntry::ReportPrint));
    m_close->setText(text(LangEntry::CheckClose));
    refresh();
}

void KindsController::followFolder(int item)
{
    m_item = std::max(0, item);
    refresh();
}

void KindsController::listAboutToGo()
{
    // The report's pass reads the list: it ends before the list goes.
    if (m_job->isRunning()) {
        m_job->abandon();
        m_job->waitForAll();
    }
    m_model->clear();
}

void KindsController::listReplaced()
{
    m_item = std::max(0, int(m_session.CurrentFolderItem()));
    refresh();
}

void KindsController::refresh()
{
    const LoadedList &list = m_session.loadedList();
    const FolderTree &tree = list.SftTree1;
    if (m_item >= tree.count())
        m_item = 0;
    if (!m_dialog)
        return; // filled when the window opens
    m_model->setTotals(tree.isEmpty() ? KindTotals() : list.kinds.of(tree, m_item));
    const QString folder = tree.isEmpty() ? QString() : tree.text(m_item);
    m_dialog->setWindowTitle(m_context.langText(LangEntry::KindsTitle).arg(folder));
}

void KindsController::showFilesOf(int row, int column)
{
    const std::optional<FileKind> kind = m_model->kindOf(row);
    const FolderTree &tree = m_session.loadedList().SftTree1;
    if (!kind || tree.isEmpty() || m_item >= tree.count())
        return;
    const std::optional<StatusClass> statusClass = KindsModel::classOf(column);
    if (statusClass && m_model->countOf(row).filesOf(*statusClass) == 0)
        return; // nothing to show
    Q_EMIT filesRequested(tree.keyBelowRoot(m_item), *kind, statusClass ? int(*statusClass) : -1);
}

void KindsController::listFingerprintKnown(const QString &sha256)
{
    m_sha = sha256;
    m_openedFile = m_session.CurrentListFile();
}

} // namespace corvane
