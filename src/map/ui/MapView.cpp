#include "MapView.h"

#include "listfile/ListLoader.h"
#include "map/paint/MapPainter.h"
#include "util/BackgroundJob.h"
#include "util/PlainText.h"

#include <QCoreApplication>
#include <QCursor>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// A layout and drawing that took longer than this goes to the worker thread
// the next time.
constexpr qint64 FrameMs = 16;

} // namespace

MapView::MapView(QWidget *parent) : QWidget(parent), m_job(new BackgroundJob(u"MapLayout"_s, this))
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(32, 32);
}

MapView::~MapView()
{
    clearList();
}

void MapView::setList(const LoadedList *list, const QString &rootPrefix)
{
    clearList();
    m_list = list;
    m_rootPrefix = rootPrefix;
    m_item = list && !list->SftTree1.isEmpty() ? 0 : -1;
    relayout();
}

void MapView::clearList()
{
    m_job->abandon();
    m_job->waitForAll();
    m_list = nullptr;
    m_item = -1;
    m_map = MapLayout();
    m_image = QImage();
    m_drawnItem = -1;
    m_drawnSize = QSize();
    m_outlined = -1;
    update();
}

void MapView::showFolder(int item)
{
    if (!m_list || item < 0 || item >= m_list->SftTree1.count())
        item = -1;
    if (item == m_item && item == m_drawnItem)
        return;
    m_item = item;
    relayout();
}

void MapView::setTexts(const MapTexts &texts)
{
    m_texts = texts;
}

bool MapView::isLayingOut() const
{
    return m_job->isRunning();
}

void MapView::waitForLayout()
{
    m_job->waitForAll();
    // The result is delivered queued, on this thread.
    QCoreApplication::sendPostedEvents(m_job);
}

int MapView::folderOfTile(int tile) const
{
    if (tile < 0 || tile >= m_map.count())
        return -1;
    return m_map.tile(tile).item;
}

MapView::Drawn MapView::draw(const LoadedList &list, const QString &rootPrefix, int item,
                             const QSize &size, qreal ratio, const std::atomic<bool> *stop)
{
    QElapsedTimer timer;
    timer.start();
    Drawn drawn;
    drawn.size = size;
    drawn.ratio = ratio;
    drawn.item = item;
    MapLayoutOptions options;
    options.stop = stop;
    drawn.map =
        MapLayout::build(list, rootPrefix, item, QRectF(QPointF(0, 0), QSizeF(size)), options);
    if (!(stop && stop->load()))
        drawn.image = MapPainter::render(drawn.map, list, size, ratio);
    drawn.ms = timer.elapsed();
    return drawn;
}

void MapView::relayout()
{
    const QSize size = this->size();
    const qreal ratio = devicePixelRatioF();
    if (!m_list || m_item < 0 || size.isEmpty()) {
        m_job->abandon();
        m_map = MapLayout();
        m_image = QImage();
        m_drawnItem = m_item;
        m_drawnSize = size;
        m_outlined = -1;
        update();
        return;
    }
    if (m_drawnItem == m_item && m_drawnSize == size && m_drawnRatio == ratio &&
        !m_job->isRunning())
        return;
    if (m_lastMs <= FrameMs && !m_job->isRunning()) {
        take(draw(*m_list, m_rootPrefix, m_item, size, ratio, nullptr));
        return;
    }
    const LoadedList *list = m_list;
    const QString prefix = m_rootPrefix;
    const int item = m_item;
    m_job->start(
        [list, prefix, item, size, ratio](const JobRun &run) {
            return draw(*list, prefix, item, size, ratio, run.stopFlag());
        },
        [this](Drawn drawn) {
            take(std::move(drawn));
            // Asked for again while it ran: the size or the folder moved on.
            relayout();
        });
}

void MapView::take(Drawn drawn)
{
    m_lastMs = drawn.ms;
    m_map = std::move(drawn.map);
    m_image = std::move(drawn.image);
    m_drawnSize = drawn.size;
    m_drawnRatio = drawn.ratio;
    m_drawnItem = drawn.item;
    m_outlined = -1;
    setOutlined(tileAtPosition(mapFromGlobal(QCursor::pos())));
    update();
}

int MapView::tileAtPosition(const QPointF &position) const
{
    if (!rect().contains(position.toPoint()) || m_drawnSize.isEmpty())
        return -1;
    // While a new layout is made, the old one is shown stretched.
    const QPointF p(position.x() * m_drawnSize.width() / std::max(width(), 1),
                    position.y() * m_drawnSize.height() / std::max(height(), 1));
    return m_map.tileAt(p);
}

void MapView::setOutlined(int tile)
{
    if (tile == m_outlined)
        return;
    m_outlined = tile;
    update();
}

bool MapView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int tile = tileAtPosition(help->pos());
        if (tile < 0 || !m_list) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        QToolTip::showText(help->globalPos(),
                           plainToolTip(mapTooltipText(m_map, tile, *m_list, m_texts, locale())),
                           this);
        return true;
    }
    return QWidget::event(event);
}

void MapView::paintEvent(QPaintEvent *)
{
    if (m_image.isNull() ? false : devicePixelRatioF() != m_drawnRatio)
        QMetaObject::invokeMethod(this, &MapView::relayout, Qt::QueuedConnection); // another screen
    QPainter painter(this);
    if (m_image.isNull()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    const bool stretched = m_drawnSize != size();
    if (stretched) {
        painter.fillRect(rect(), palette().window());
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(QRectF(rect()), m_image);
        painter.scale(double(width()) / m_drawnSize.width(),
                      double(height()) / m_drawnSize.height());
    } else {
        painter.drawImage(QPointF(0, 0), m_image);
    }
    MapPainter::paintOutline(painter, m_map, m_outlined);
}

void MapView::resizeEvent(QResizeEvent *)
{
    relayout();
}

void MapView::mouseMoveEvent(QMouseEvent *event)
{
    setOutlined(tileAtPosition(event->position()));
}

void MapView::leaveEvent(QEvent *)
{
    setOutlined(-1);
}

void MapView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const int item = folderOfTile(tileAtPosition(event->position()));
    if (item >= 0)
        Q_EMIT folderPicked(item);
}

void MapView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseDoubleClickEvent(event);
    const int item = folderOfTile(tileAtPosition(event->position()));
    if (item >= 0 && item != m_drawnItem)
        Q_EMIT folderEntered(item);
}

void MapView::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Up) &&
        event->modifiers() == Qt::NoModifier) {
        if (m_list && m_item > 0)
            Q_EMIT parentRequested(m_list->SftTree1.parent(m_item));
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace corvane
