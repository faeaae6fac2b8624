#pragma once

// Where a window goes that remembers where it was left: the screens may have
// changed since (a monitor unplugged, a smaller one, another resolution).

#include <QList>
#include <QRect>
#include <QSize>

namespace corvane {

// saved: the window's remembered normal geometry; screens: the available
// area of each screen now, the primary one first; minimum: the smallest size
// the window allows. A window that still lies mostly on one screen stays
// there; one whose screen is gone goes to the primary screen. Either way it
// is shrunk to fit its screen and moved until it lies wholly on it. An
// empty or invalid saved rectangle, or no screen, gives a null QRect: use
// the default placement.
QRect placeOnScreens(const QRect &saved, const QList<QRect> &screens, const QSize &minimum);

// The size a window first opens with: its own size, made smaller where the
// available area of its screen (less frame, the room a window manager's title
// bar and borders are expected to take) cannot hold it, but never below
// minimum. An empty screen leaves the size as it is.
QSize firstWindowSize(const QSize &wanted, const QRect &screen, const QSize &frame,
                      const QSize &minimum);

} // namespace corvane
