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

} // namespace corvane
