#pragma once

// The recovery map in the window: the map of one folder of the shown list,
// drawn with MapPainter at the screen's pixel ratio. A new size or folder is
// laid out and drawn again, on a worker thread when the last one took longer
// than a frame (the old picture stays, stretched, until the new one is
// there). The tile under the pointer is outlined and says what it holds in
// its tooltip; a click picks the tile's folder, a double-click goes into it,
// Backspace or Up asks for the shown folder's parent. Which folder is shown
// is the owner's to say (showFolder), so the map follows the tree.

#include "map/MapLayout.h"
#include "map/MapTooltip.h"

#include <QElapsedTimer>
#include <QImage>
#include <QString>
#include <QWidget>

namespace corvane {

class BackgroundJob;
struct LoadedList;

class MapView : public QWidget
{
    Q_OBJECT

public:
    explicit MapView(QWidget *parent = nullptr);
    ~MapView() override;

    // The list shown (with its folder totals) and the root prefix its folder
    // keys take; list must stay as it is until clearList() or the next
    // setList(). Shows its "Root".
    void setList(const LoadedList *list, const QString &rootPrefix);
    // Lets the list go: waits for a layout of it still running. Call it
    // before the list is replaced or freed.
    void clearList();
    // The folder tree item mapped (an item outside the tree: none).
    void showFolder(int item);
    int shownFolder() const { return m_item; }

    // The words of the tooltips (the language table's).
    void setTexts(const MapTexts &texts);

    // The map shown now, and the tile outlined (-1: none).
    const MapLayout &mapLayout() const { return m_map; }
    int outlinedTile() const { return m_outlined; }
    // Whether a layout runs on the worker thread.
    bool isLayingOut() const;
    // Waits until the map is laid out for the present size and folder (tests).
    void waitForLayout();

    // The folder tree item a tile stands for: its own for a folder tile,
    // its folder's for the others; -1 outside the map.
    int folderOfTile(int tile) const;

Q_SIGNALS:
    void folderPicked(int item);    // a click on a tile
    void folderEntered(int item);   // a double-click on a tile below the shown folder
    void parentRequested(int item); // Backspace or Up: the shown folder's parent

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    struct Drawn
    {
        MapLayout map;
        QImage image;
        QSize size;
        qreal ratio = 1;
        int item = -1;
        qint64 ms = 0;
    };
    static Drawn draw(const LoadedList &list, const QString &rootPrefix, int item,
                      const QSize &size, qreal ratio, const std::atomic<bool> *stop);
    void relayout();
    void take(Drawn drawn);
    void setOutlined(int tile);
    int tileAtPosition(const QPointF &position) const;

    const LoadedList *m_list = nullptr;
    QString m_rootPrefix;
    int m_item = -1;
    MapTexts m_texts;
    MapLayout m_map;
    QImage m_image; // the map drawn, without the outline
    QSize m_drawnSize;
    qreal m_drawnRatio = 0;
    int m_drawnItem = -1;
    int m_outlined = -1;
    qint64 m_lastMs = 0; // how long the last layout and drawing took
    BackgroundJob *m_job = nullptr;
};

} // namespace corvane
