#include "bench_hostile.h"

#include <QDir>
#include <QTemporaryFile>

using namespace Qt::Literals::StringLiterals;

namespace corvane::bench {

namespace {

bool writeTemp(QTemporaryFile &file, const std::function<bool(QFile &)> &fill, QString *error)
{
    file.setFileTemplate(QDir::temp().filePath(u"corvane-bench-XXXXXX.csv"_s));
    if (!file.open() || !fill(file) || !file.flush()) {
        *error = u"cannot write %1: %2"_s.arg(file.fileName(), file.errorString());
        return false;
    }
    file.close();
    return true;
}

QString mib(qint64 kib)
{
    return QString::number(double(kib) / 1024.0, 'f', 1);
}

} // namespace

QList<std::pair<QString, QString>>
hostileFigures(const std::function<qint64(const QString &, QString *)> &measure, QString *error)
{
    QList<std::pair<QString, QString>> figures;
    {
        // 300 MB of one line, written in 1 MB pieces.
        QTemporaryFile file;
        const QByteArray piece(1 << 20, 'n');
        if (!writeTemp(
                file,
                [&](QFile &f) {
                    for (int i = 0; i < 300; ++i) {
                        if (f.write(piece) != piece.size())
                            return false;
                    }
                    return true;
                },
                error))
            return {};
        const qint64 kib = measure(file.fileName(), error);
        if (kib < 0)
            return {};
        figures.append({u"peak_rss_longline_mb"_s, mib(kib)});
    }
    {
        QTemporaryFile file;
        if (!writeTemp(
                file,
                [](QFile &f) {
                    QByteArray line = "Data";
                    for (int i = 0; i < 200000; ++i)
                        line += "\\d" + QByteArray::number(i % 100);
                    line += "\\file.txt,2009-01-01,1,32;x,ok\r\n";
                    return f.write(line) == line.size();
                },
                error))
            return {};
        const qint64 kib = measure(file.fileName(), error);
        if (kib < 0)
            return {};
        figures.append({u"peak_rss_deep_mb"_s, mib(kib)});
    }
    return figures;
}

} // namespace corvane::bench
