// The basket bar's figures: what is chosen, measured on the target (on a
// worker thread for a large choice), the room bar and the warnings with
// their files.

#include "BasketController.h"
#include "app/ui/CommandLock.h"
#include "app/ui/ListSaveReport.h"
#include "app/ui/ListSession.h"
#include "app/ui/ReadableColours.h"
#include "app/ui/WindowContext.h"
#include "basket/ChosenFiles.h"
#include "basket/LineMapping.h"
#include "browse/FileGridModel.h"
#include "browse/FolderListing.h"
#include "browse/ui/FolderTreeModel.h"
#include "listfile/ListLine.h"
#include "listfile/ListSaver.h"
#include "listfile/OpenCommand.h"
#include "report/ReportParts.h"
#include "util/BackgroundJob.h"
#include "util/PlainText.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// The files a warning lists at most.
using basket::FileSystem;

constexpr qsizetype ListedFiles = 10000;

} // namespace

// -- the figures -------------------------------------------------------------

void BasketController::updateFigures()
{
    m_figuresTimer->stop();
    const quint64 run = ++m_figuresRun;
    if (m_basket.isEmpty()) {
        m_figuresJob->abandon();
        m_room.reset();
        showFigures();
        return;
    }
    const FileSystem fs = targetFileSystem();
    const qint64 capacity = targetCapacity().value_or(OneTerabyte);
    const qsizetype rootLength = m_session.RootPrefix().size();
    const LoadedList &opened = m_session.openedList();
    if (m_basket.count() <= MeasuredAtOnce) {
        m_figuresJob->abandon();
        m_room = basket::measure(opened, m_basket, fs, capacity, rootLength);
        showFigures();
        return;
    }
    // The opened list stays while the job runs: listAboutToGo waits for it.
    m_figuresJob->start(
        // Given up as soon as the choice changes again or the list goes.
        [list = &opened, chosen = m_basket, fs, capacity, rootLength](const JobRun &job) {
            return basket::measure(*list, chosen, fs, capacity, rootLength, *job.stopFlag());
        },
        [this, run](const std::optional<basket::RoomOnTarget> &room) {
            if (run != m_figuresRun || !room)
                return;
            m_room = room;
            showFigures();
        });
}

void BasketController::showFigures()
{
    const bool any = !m_basket.isEmpty();
    m_chosenPart->setVisible(any);
    m_save->setVisible(any);
    m_empty->setVisible(any);
    m_figures->setVisible(any);
    if (!any) {
        m_figures->clear();
        return;
    }
    const auto size = [this](qint64 bytes) {
        return m_context.formatSizeShown(ByteTotal::fromBytes(bytes).value_or(ByteTotal()));
    };
    const basket::RoomOnTarget r = room();
    // Files and bytes as chosen now; the rest as last measured.
    m_figures->setText(
        m_context.langText(LangEntry::BasketChosen)
            .arg(m_context.formatCountShown(m_basket.count()), size(r.bytes()), size(r.largest())));
    // Cut where the bar is narrow: the whole of it on the pointer.
    m_figures->setToolTip(plainToolTip(m_figures->text()));
    const std::optional<qint64> capacity = targetCapacity();
    const bool unreadable = !capacity && !m_capacity->text().trimmed().isEmpty();
    m_capacity->setToolTip(unreadable ? m_context.langText(LangEntry::BasketCapacityHint)
                                      : QString());
    {
        QPalette p = m_capacity->palette();
        p.setColor(QPalette::Text,
                   unreadable ? QColor(0xB0, 0, 0) : m_bar->palette().color(QPalette::Text));
        m_capacity->setPalette(p);
    }
    if (capacity) {
        const double share = double(r.onDisk()) / double(*capacity);
        m_roomBar->setValue(int(std::clamp(share, 0.0, 1.0) * BasketRoomBarSteps));
        m_roomBar->setFormat(
            m_context.langText(LangEntry::BasketOnDrive).arg(size(r.onDisk()), size(*capacity)));
    } else if (unreadable) {
        // Said where the figure would be, not only in the tooltip.
        m_roomBar->setValue(0);
        m_roomBar->setFormat(m_context.langText(LangEntry::BasketCapacityHint));
    } else {
        m_roomBar->setValue(0);
        m_roomBar->setFormat(
            m_context.langText(LangEntry::BasketOnDriveNoTarget).arg(size(r.onDisk())));
    }
    {
        // The bar turns red when the choice does not fit.
        QPalette p = m_roomBar->palette();
        p.setColor(QPalette::Highlight, capacity && !r.fits()
                                            ? QColor(0xC0, 0x1C, 0x1C)
                                            : m_bar->palette().color(QPalette::Highlight));
        m_roomBar->setPalette(p);
    }
    m_noFit->setVisible(capacity && !r.fits());
    if (capacity && !r.fits())
        m_noFit->setText(m_context.langText(LangEntry::BasketNoFit).arg(size(r.moreNeeded())));
    m_tooBig->setVisible(r.tooBigForFileSystem() > 0);
    m_tooBig->setText(m_context.langText(LangEntry::BasketTooBig)
                          .arg(m_context.formatCountShown(r.tooBigForFileSystem()),
                               basket::fileSystemName(targetFileSystem())));
    m_longPaths->setVisible(r.pathsTooLong() > 0);
    m_longPaths->setText(m_context.langText(LangEntry::BasketLongPaths)
                             .arg(m_context.formatCountShown(r.pathsTooLong())));
}

QStringList BasketController::reportLines() const
{
    const ReportWords words{[this](LangEntry entry) { return m_context.langText(entry); },
                            [this](qint64 n) { return m_context.formatCountShown(n); },
                            [this](ByteTotal size) { return m_context.formatSizeShown(size); }};
    return basketReportLines(m_basket.count(), room(), targetCapacity(), targetFileSystem(), words);
}

void BasketController::showWarningFiles(int which)
{
    const auto warning = basket::Warning(which);
    const LineStore &store = m_session.openedList().iGrid1;
    qint64 total = 0;
    std::vector<basket::ChosenFile> files;
    {
        BusyPointer busy;
        files = basket::warningFiles(store, m_basket, targetFileSystem(),
                                     m_session.RootPrefix().size(), warning, ListedFiles, &total);
    }
    QString title;
    switch (warning) {
    case basket::Warning::DoesNotFit:
        title = m_context.langText(LangEntry::BasketLargestFiles);
        break;
    case basket::Warning::TooBigForFileSystem:
        title = m_context.langText(LangEntry::BasketTooBigTitle)
                    .arg(basket::fileSystemName(targetFileSystem()));
        break;
    case basket::Warning::PathTooLong:
        title = m_context.langText(LangEntry::BasketLongPathsTitle);
        break;
    }
    QString text;
    for (const basket::ChosenFile &file : files) {
        const QString path = store.decode(lineFields(store.line(file.line)).path);
        if (warning == basket::Warning::PathTooLong)
            text += m_context.formatCountShown(file.pathLength);
        else
            text +=
                m_context.formatSizeShown(ByteTotal::fromBytes(file.size).value_or(ByteTotal()));
        text += u"\t"_s + path + u"\n"_s;
    }
    if (total > qint64(files.size())) {
        text += m_context.langText(LangEntry::BasketMoreFiles)
                    .arg(m_context.formatCountShown(total - qint64(files.size())));
    }
    if (!m_filesDialog) {
        m_filesDialog = new QDialog(m_context.promptParent());
        m_filesDialog->setObjectName(u"BasketFilesDialog"_s);
        m_filesDialog->resize(720, 420);
        auto *layout = new QVBoxLayout(m_filesDialog);
        auto *view = new QPlainTextEdit(m_filesDialog);
        view->setObjectName(u"BasketFilesText"_s);
        view->setReadOnly(true);
        view->setLineWrapMode(QPlainTextEdit::NoWrap);
        layout->addWidget(view);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, m_filesDialog);
        connect(buttons, &QDialogButtonBox::rejected, m_filesDialog, &QDialog::close);
        layout->addWidget(buttons);
    }
    m_filesDialog->setWindowTitle(title);
    if (auto *button =
            m_filesDialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Close))
        button->setText(m_context.langText(LangEntry::Close));
    m_filesDialog->findChild<QPlainTextEdit *>()->setPlainText(text);
    m_filesDialog->show();
    m_filesDialog->raise();
}

} // namespace corvane
