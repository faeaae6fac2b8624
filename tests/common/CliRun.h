#pragma once

// corvane-list run as a user runs it: the program built beside the tests,
// and one run's exit code and output.

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

namespace corvane::testing {

inline QString corvaneListProgram()
{
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral("../../src/app/cli/corvane-list"));
}

struct CliRun
{
    int exitCode = -1; // -1: crashed, or still running after the time allowed
    QByteArray outBytes;
    QString out; // outBytes as UTF-8
    QString err;
};

// Runs `program` with `args`, stdin closed, under LANG=`lang` with LC_ALL and
// LC_NUMERIC unset (empty `lang`: the test's own environment); `setup` may
// change the process before it starts.
inline CliRun runCli(const QString &program, const QStringList &args,
                     const QString &lang = QStringLiteral("en_US.UTF-8"),
                     const std::function<void(QProcess &)> &setup = {}, int timeoutMs = 60000)
{
    QProcess p;
    if (!lang.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("LC_ALL"));
        env.remove(QStringLiteral("LC_NUMERIC"));
        env.insert(QStringLiteral("LANG"), lang);
        p.setProcessEnvironment(env);
    }
    if (setup)
        setup(p);
    p.start(program, args);
    p.closeWriteChannel();
    CliRun r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.outBytes = p.readAllStandardOutput();
    r.out = QString::fromUtf8(r.outBytes);
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace corvane::testing
