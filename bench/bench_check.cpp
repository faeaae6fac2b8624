#include "bench_check.h"

#include "BenchTiming.h"
#include "checklist/CheckList.h"
#include "listfile/ListReader.h"
#include "search/ListSearch.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace corvane::bench {

namespace {

// Counts the lines a search hands over.
class CountSink final : public MatchSink
{
public:
    bool add(QByteArrayView, ListEncoding) override { return ++m_lines, true; }
    bool finish() override { return true; }
    qint64 linesKept() const override { return m_lines; }
    QString error() const override { return {}; }

private:
    qint64 m_lines = 0;
};

// File names (the last component of field 0) of lines spread over the list.
QStringList namesFromList(const QString &path, int count)
{
    QStringList names;
    ListChunkReader reader;
    if (!reader.open(path) || count <= 0)
        return names;
    const qint64 step = std::max<qint64>(1, reader.expectedSize() / 100 / count);
    qint64 line = 0;
    for (QByteArrayView piece = reader.next(); !piece.isEmpty() && names.size() < count;
         piece = reader.next()) {
        qsizetype start = 0;
        while (start < piece.size() && names.size() < count) {
            qsizetype end = start;
            while (end < piece.size() && piece[end] != '\n' && piece[end] != '\r')
                ++end;
            if (++line % step == 0) {
                QByteArrayView field = piece.sliced(start, end - start);
                const qsizetype comma = field.indexOf(',');
                if (comma >= 0)
                    field = field.first(comma);
                const qsizetype slash = field.lastIndexOf('\\');
                const QString name = decodeListText(field.sliced(slash + 1), reader.encoding());
                if (name.size() >= 3)
                    names.append(name);
            }
            start = end + 1;
        }
    }
    return names;
}

QStringList benchEntries(const QString &listPath)
{
    QStringList entries = namesFromList(listPath, 600);
    for (int i = 0; i < 300; ++i)
        entries.append(u"nicht_da_%1_qz.dok"_s.arg(i));
    const QStringList wild{u"IMG_2019*"_s, u"*.pst"_s,       u"bericht_#"_s, u"[a-c]x?.jpg"_s,
                           u"DSC_0#1*"_s,  u"*.mp?"_s,       u"Rechnung*"_s, u"report_##"_s,
                           u"??_foto"_s,   u"invoice*.pdf"_s};
    for (int i = 0; entries.size() < 1000; ++i)
        entries.append(wild[i % wild.size()] + (i < wild.size() ? QString() : QString::number(i)));
    return entries;
}

} // namespace

QList<std::pair<QString, QString>> checkFigures(const QString &listPath, int repeat, QString *error)
{
    QTemporaryDir dir;
    if (!dir.isValid()) {
        *error = u"cannot create a temporary folder"_s;
        return {};
    }
    const QStringList entries = benchEntries(listPath);
    const QString checkPath = dir.filePath(u"check.txt"_s);
    {
        QFile f(checkPath);
        if (!f.open(QIODevice::WriteOnly) || f.write(entries.join(u'\n').toUtf8() + '\n') < 0) {
            *error = u"cannot write %1"_s.arg(checkPath);
            return {};
        }
    }
    bool ok = true;
    CheckOutcome outcome;
    const double checkMs = bestOf(repeat, [&] {
        outcome = checkList(listPath, entries);
        ok = ok && outcome.complete();
    });
    const CheckSummary summary = summarizeCheck(outcome.results);

    qint64 grepCount = -1;
    const double grepMs = bestOf(repeat, [&] {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"LC_ALL"_s, u"C"_s);
        p.setProcessEnvironment(env);
        p.start(u"grep"_s, {u"-c"_s, u"-i"_s, u"-F"_s, u"-f"_s, checkPath, listPath});
        if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit) {
            ok = false;
            return;
        }
        grepCount = p.readAllStandardOutput().trimmed().toLongLong();
    });

    const QStringList ten = entries.mid(0, 10);
    qint64 tenMatches = 0;
    const double tenMs = bestOf(repeat, [&] {
        const CheckOutcome o = checkList(listPath, ten);
        ok = ok && o.complete();
        tenMatches = 0;
        for (const CheckEntryResult &r : o.results)
            tenMatches += r.matches;
    });
    const QString term = ten.isEmpty() ? u"report"_s : ten.first();
    const double termMs = bestOf(repeat, [&] {
        CountSink sink;
        ok = ok && searchList(listPath, *termCriterion(term), sink).complete();
    });
    if (!ok) {
        *error = u"the check failed on %1"_s.arg(listPath);
        return {};
    }
    QList<std::pair<QString, QString>> figures;
    auto ms = [](double v) { return QString::number(v, 'f', 1); };
    auto ratio = [](double a, double b) { return QString::number(a / std::max(b, 1e-9), 'f', 2); };
    figures.append({u"check_1000_ms"_s, ms(checkMs)});
    figures.append({u"check_1000_found"_s, QString::number(summary.entries - summary.missing)});
    figures.append({u"check_1000_missing"_s, QString::number(summary.missing)});
    figures.append({u"grep_check_ms"_s, ms(grepMs)});
    figures.append({u"grep_check_lines"_s, QString::number(grepCount)});
    figures.append({u"check_vs_grep"_s, ratio(checkMs, grepMs)});
    figures.append({u"check_10_ms"_s, ms(tenMs)});
    figures.append({u"check_10_matches"_s, QString::number(tenMatches)});
    figures.append({u"term_one_ms"_s, ms(termMs)});
    figures.append({u"check_10_vs_term"_s, ratio(tenMs, termMs)});
    return figures;
}

} // namespace corvane::bench
