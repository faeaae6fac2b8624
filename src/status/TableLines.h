#pragma once

// The lines of the program's data tables (the status classes, the kinds of
// file): UTF-8 text, one entry a line.

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

namespace corvane {

// Calls f(number, line) for each line of text that says something, its
// spaces trimmed, numbered from 1; empty lines and lines beginning with "#"
// are left out.
template<class F> void forEachTableLine(QByteArrayView text, F &&f)
{
    const QString all = QString::fromUtf8(text);
    const QList<QStringView> lines = QStringView(all).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView line = lines[i].trimmed();
        if (!line.isEmpty() && !line.startsWith(u'#'))
            f(int(i + 1), line);
    }
}

} // namespace corvane
