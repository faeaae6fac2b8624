#pragma once

// What the main window is built with: where its files are, the user's
// locale, and the pieces tests replace (the date, the loader, the screens).

#include "listfile/ListLoader.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QRect>
#include <QString>

#include <functional>

namespace corvane {

struct WindowSettings
{
    QString programFolder;              // read only: lang.fil is looked up here
    QString dataFolder;                 // per-user, writable; created on first use
    QLocale locale = QLocale::system(); // the user's locale: language pick, dates, number habits
    std::function<QDate()> today;       // empty: the real date
    // The window's size, place and columns; the lists opened last go to
    // dataFolder. Empty: nothing of either is remembered from run to run.
    QString settingsFile;
    // The loader run on the worker thread (empty: loadList).
    std::function<LoadedList(const QString &, const LoadOptions &)> loadList;
    // The area a window may take on each screen, the primary one first
    // (empty: the screens' own available geometry).
    std::function<QList<QRect>()> screens;
};

} // namespace corvane
