#pragma once

// Small pieces every part of the window builds its controls with.

#include <QString>
#include <QWidget>

namespace corvane {

// A control under the name it is found by (tests find it with findChild).
template<class W> W *named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

// A window of its own beside the main one, in front and given the keyboard.
inline void bringToFront(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace corvane
