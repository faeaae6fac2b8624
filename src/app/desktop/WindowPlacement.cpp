#include "WindowPlacement.h"

#include <algorithm>

namespace corvane {

QRect placeOnScreens(const QRect &saved, const QList<QRect> &screens, const QSize &minimum)
{
    if (!saved.isValid() || saved.isEmpty() || screens.isEmpty())
        return {};
    // The screen that holds most of the window; none: the primary one.
    qsizetype best = -1;
    qint64 bestArea = 0;
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const QRect overlap = screens.at(i).intersected(saved);
        const qint64 area = overlap.isValid() ? qint64(overlap.width()) * overlap.height() : 0;
        if (area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    const QRect screen = screens.at(best < 0 ? 0 : best);
    if (!screen.isValid() || screen.isEmpty())
        return {};

    const int width =
        std::clamp(saved.width(), std::min(minimum.width(), screen.width()), screen.width());
    const int height =
        std::clamp(saved.height(), std::min(minimum.height(), screen.height()), screen.height());
    QRect placed(saved.topLeft(), QSize(width, height));
    if (best < 0)
        placed.moveTopLeft(screen.topLeft());
    placed.moveLeft(std::clamp(placed.left(), screen.left(), screen.right() - width + 1));
    placed.moveTop(std::clamp(placed.top(), screen.top(), screen.bottom() - height + 1));
    return placed;
}

QSize firstWindowSize(const QSize &wanted, const QRect &screen, const QSize &frame,
                      const QSize &minimum)
{
    if (!screen.isValid() || screen.isEmpty())
        return wanted;
    const QSize room = (screen.size() - frame).expandedTo(QSize(1, 1));
    return wanted.boundedTo(room).expandedTo(minimum);
}

} // namespace corvane
