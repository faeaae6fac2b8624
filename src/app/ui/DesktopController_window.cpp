// The window as the last run left it: its size and place on the screens of
// now, maximised or not, the splitter between tree and grid, and the file
// grid's column widths and sort, kept in the settings file. And the labels'
// own colours kept readable on whatever palette the desktop gives.

#include "DesktopController.h"
#include "FileGridColumns.h"
#include "ReadableColours.h"
#include "app/desktop/WindowPlacement.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QWidget>

#include <algorithm>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// The settings are a few dozen short lines; anything far bigger is not ours.
constexpr qint64 SettingsMaxBytes = 1024 * 1024;

// Settings keys.
const QString GeometryKey = u"Window/Geometry"_s;
const QString MaximizedKey = u"Window/Maximized"_s;
const QString SplitterKey = u"Window/TreeGridSplitter"_s;
const QString ColumnWidthsKey = u"FileGrid/ColumnWidths"_s;
const QString SortColumnKey = u"FileGrid/SortColumn"_s;
const QString SortOrderKey = u"FileGrid/SortOrder"_s;
const QString SortShownKey = u"FileGrid/SortShown"_s;

// A list of whole numbers as the settings file holds it; empty when any
// element is not one.
QList<int> readInts(const QVariant &value)
{
    QList<int> numbers;
    const QStringList texts = value.toStringList();
    for (const QString &text : texts) {
        bool ok = false;
        const int n = text.trimmed().toInt(&ok);
        if (!ok)
            return {};
        numbers.append(n);
    }
    return numbers;
}

QVariantList toVariants(const QList<int> &numbers)
{
    QVariantList values;
    for (int n : numbers)
        values.append(n);
    return values;
}

// A rectangle written as four numbers "x y width height"; QRect() when it is
// anything else.
QRect readRect(const QVariant &value)
{
    const QList<int> n = readInts(value);
    if (n.size() != 4 || n[2] <= 0 || n[3] <= 0 || n[2] > 100000 || n[3] > 100000 ||
        std::abs(n[0]) > 1000000 || std::abs(n[1]) > 1000000)
        return {};
    return QRect(n[0], n[1], n[2], n[3]);
}

bool readBool(const QVariant &value, bool fallback)
{
    const QString text = value.toString().trimmed().toLower();
    if (text == u"true"_s)
        return true;
    if (text == u"false"_s)
        return false;
    return fallback;
}

} // namespace

// The default size, or what the screen holds of it (a small screen, a large
// scale factor), the title bar of the frame counted in; a size remembered
// from the last run comes after.
void DesktopController::fitToScreen()
{
    QWidget *window = m_w.window;
    const QSize wanted = window->size();
    const QRect screen = availableScreens().value(0);
    const QSize first = firstWindowSize(
        wanted, screen, QSize(0, window->style()->pixelMetric(QStyle::PM_TitleBarHeight)),
        window->minimumSizeHint());
    if (first != wanted) {
        window->resize(first);
        window->move(screen.topLeft());
    }
}

// The labels drawn in a colour of their own keep that colour where it can be
// read on the window's background, and get a lighter or darker one of the same
// hue where it cannot (dark red or black on a dark desktop).
void DesktopController::followPalette()
{
    const QColor background = m_w.window->palette().color(QPalette::Window);
    for (QLabel *label : {m_w.lblEmail, m_w.Label25, m_w.lblLink}) {
        const char *designed = "corvaneDesignedColour";
        QVariant wanted = label->property(designed);
        if (!wanted.isValid()) {
            wanted = label->palette().color(QPalette::WindowText);
            label->setProperty(designed, wanted);
        }
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, readableColour(wanted.value<QColor>(), background));
        label->setPalette(p);
    }
}

StateFileProblem DesktopController::CheckSettingsFile() const
{
    if (!remembers())
        return StateFileProblem::Missing;
    const StateFileProblem problem = checkStateFile(m_settings.settingsFile, SettingsMaxBytes);
    ReportIgnoredStateFile(m_settings.settingsFile, problem);
    return problem;
}

void DesktopController::saveWindowState() const
{
    if (!remembers())
        return;
    // QSettings saves through a link to wherever it points: a settings file
    // that is not a plain file of ours is left as it is.
    const StateFileProblem problem = CheckSettingsFile();
    if (problem != StateFileProblem::None && problem != StateFileProblem::Missing)
        return;
    if (!ensureStateFolder(QFileInfo(m_settings.settingsFile).absolutePath(), {}))
        return;
    QSettings store(m_settings.settingsFile, QSettings::IniFormat);
    const QWidget *window = m_w.window;
    const QRect normal = window->isMaximized() || window->isFullScreen() ? window->normalGeometry()
                                                                         : window->geometry();
    store.setValue(GeometryKey,
                   toVariants({normal.x(), normal.y(), normal.width(), normal.height()}));
    store.setValue(MaximizedKey, window->isMaximized());
    store.setValue(SplitterKey, toVariants(m_w.TreeGridSplitter->sizes()));
    // Only the widths the user set by hand are kept (0: sized to its
    // contents); the others follow the contents of whatever list is shown.
    QList<int> widths;
    QHeaderView *header = m_w.iGrid2->horizontalHeader();
    const QMap<int, int> userWidths = m_w.fileGridColumns->userWidths();
    for (int c = 0; c < header->count(); ++c)
        widths.append(userWidths.value(c, 0));
    store.setValue(ColumnWidthsKey, toVariants(widths));
    store.setValue(SortColumnKey, header->sortIndicatorSection());
    store.setValue(SortOrderKey, header->sortIndicatorOrder() == Qt::DescendingOrder
                                     ? u"descending"_s
                                     : u"ascending"_s);
    store.setValue(SortShownKey, header->isSortIndicatorShown());
    // A settings file that cannot be written is left as it is: the next run
    // starts with what it holds, or with the defaults.
    store.sync();
}

QList<QRect> DesktopController::availableScreens() const
{
    if (m_settings.screens)
        return m_settings.screens();
    QList<QRect> screens;
    if (QScreen *primary = QGuiApplication::primaryScreen())
        screens.append(primary->availableGeometry());
    const QList<QScreen *> all = QGuiApplication::screens();
    for (QScreen *screen : all) {
        if (screen != QGuiApplication::primaryScreen())
            screens.append(screen->availableGeometry());
    }
    return screens;
}

void DesktopController::restoreWindowState()
{
    if (CheckSettingsFile() != StateFileProblem::None)
        return;
    const QSettings store(m_settings.settingsFile, QSettings::IniFormat);
    QWidget *window = m_w.window;
    // Whatever a damaged file holds, each value is checked on its own and a
    // value that makes no sense leaves the default in place.
    const QRect saved = readRect(store.value(GeometryKey));
    if (saved.isValid()) {
        const QRect placed = placeOnScreens(saved, availableScreens(), window->minimumSizeHint());
        if (placed.isValid())
            window->setGeometry(placed);
    }
    if (readBool(store.value(MaximizedKey), false))
        window->setWindowState(window->windowState() | Qt::WindowMaximized);

    const QList<int> splitter = readInts(store.value(SplitterKey));
    if (splitter.size() == m_w.TreeGridSplitter->count() &&
        std::all_of(splitter.cbegin(), splitter.cend(), [](int n) { return n > 0; }))
        m_w.TreeGridSplitter->setSizes(splitter);

    QHeaderView *header = m_w.iGrid2->horizontalHeader();
    const QList<int> widths = readInts(store.value(ColumnWidthsKey));
    if (widths.size() == header->count() &&
        std::all_of(widths.cbegin(), widths.cend(), [](int w) { return w >= 0 && w <= 4000; }))
        m_rememberedColumnWidths = widths;
    // The hidden column stays so; a width of 0 was sized to its contents.
    QMap<int, int> userWidths;
    for (int c = 0; c < widths.size() && c < header->count(); ++c) {
        if (!header->isSectionHidden(c) && widths[c] >= 16 && widths[c] <= 4000)
            userWidths.insert(c, widths[c]);
    }
    if (!userWidths.isEmpty())
        m_w.fileGridColumns->setUserWidths(userWidths);
    bool ok = false;
    const int sortColumn = store.value(SortColumnKey).toString().toInt(&ok);
    if (ok && sortColumn >= 0 && sortColumn < header->count() &&
        !header->isSectionHidden(sortColumn)) {
        const QString order = store.value(SortOrderKey).toString();
        header->setSortIndicator(sortColumn, order == u"descending"_s ? Qt::DescendingOrder
                                                                      : Qt::AscendingOrder);
        header->setSortIndicatorShown(readBool(store.value(SortShownKey), false));
    }
}

} // namespace corvane
