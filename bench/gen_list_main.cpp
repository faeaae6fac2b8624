// corvane-gen-list: writes a generated recovered-file list.
//   corvane-gen-list --lines N [--seed S] [--kind disk|documents|media] [--top NAME] [--wide] OUT

#include "ListGenerator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

int usage(QTextStream &err, const QString &problem)
{
    if (!problem.isEmpty())
        err << "corvane-gen-list: " << problem << '\n';
    err << "usage: corvane-gen-list --lines N [--seed S] [--kind disk|documents|media] [--top "
           "NAME] [--wide] OUT\n";
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    corvane::listgen::GeneratorOptions options;
    options.lines = -1;
    QString outPath;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == u"--kind"_s || arg == u"--top"_s) {
            if (i + 1 >= args.size())
                return usage(err, u"%1 needs a value"_s.arg(arg));
            const QString value = args[++i];
            if (arg == u"--kind"_s) {
                if (value == u"disk"_s)
                    options.kind = corvane::listgen::ListKind::Disk;
                else if (value == u"documents"_s)
                    options.kind = corvane::listgen::ListKind::Documents;
                else if (value == u"media"_s)
                    options.kind = corvane::listgen::ListKind::Media;
                else
                    return usage(err, u"--kind is disk, documents or media, not '%1'"_s.arg(value));
            } else {
                // One path component, in the Latin-1 part of Windows-1252.
                const bool fits =
                    !value.isEmpty() && std::all_of(value.begin(), value.end(), [](QChar c) {
                        const char16_t u = c.unicode();
                        return u >= 0x20 && u <= 0xFF && (u < 0x7F || u >= 0xA0) && u != u'\\' &&
                               u != u',';
                    });
                if (!fits)
                    return usage(err, u"--top takes one folder name without '\\' or ','"_s);
                options.topFolder = value.toLatin1();
            }
        } else if (arg == u"--lines"_s || arg == u"--seed"_s) {
            if (i + 1 >= args.size())
                return usage(err, u"%1 needs a value"_s.arg(arg));
            bool ok = false;
            const QString value = args[++i];
            if (arg == u"--lines"_s) {
                options.lines = value.toLongLong(&ok);
                if (!ok || options.lines < 0 || options.lines > 2000000000)
                    return usage(
                        err, u"--lines takes a count from 0 to 2000000000, not '%1'"_s.arg(value));
            } else {
                options.seed = value.toULongLong(&ok);
                if (!ok)
                    return usage(err, u"--seed takes a whole number, not '%1'"_s.arg(value));
            }
        } else if (arg == u"--wide"_s) {
            options.wide = true;
        } else if (arg == u"-h"_s || arg == u"--help"_s) {
            usage(out, {});
            return 0;
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            return usage(err, u"unknown option '%1'"_s.arg(arg));
        } else if (outPath.isEmpty()) {
            outPath = arg;
        } else {
            return usage(err, u"only one output file"_s);
        }
    }
    if (options.lines < 0)
        return usage(err, u"--lines is required"_s);
    if (outPath.isEmpty())
        return usage(err, u"no output file given"_s);

    QElapsedTimer timer;
    timer.start();
    corvane::listgen::GeneratorStats stats;
    QString error;
    if (!corvane::listgen::writeListFile(outPath, options, &stats, &error)) {
        err << "corvane-gen-list: " << error << '\n';
        return 1;
    }
    err << "corvane-gen-list: " << stats.lines << " lines, " << stats.bytes << " bytes, "
        << stats.folders << " folders (" << stats.bigFolders
        << " with 10,000+ files, deepest level " << stats.maxDepth << ") in " << timer.elapsed()
        << " ms\n";
    return 0;
}
