#include "app/desktop/ProgramOptions.h"
#include "commands.h"
#include "util/SystemError.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

namespace {
int outputError = 0; // the first reason a write to stdout failed
} // namespace

void out(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()) &&
        outputError == 0)
        outputError = errno ? errno : EIO;
}

void outWhenLarge(QString &text)
{
    if (text.size() > 1 << 20) {
        out(text);
        text.clear();
    }
}

// Flushes stdout; false (with the reason) when anything could not be written.
bool outputWritten(QString *reason)
{
    errno = 0;
    if (std::fflush(stdout) != 0 && outputError == 0)
        outputError = errno ? errno : EIO;
    if (outputError == 0 && std::ferror(stdout))
        outputError = EIO;
    if (outputError != 0)
        *reason = systemErrorText(outputError);
    return outputError == 0;
}

void err(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

} // namespace corvane::cli

namespace {

const char16_t usageText[] = u"usage: corvane-list summary LIST\n"
                             u"       corvane-list tree LIST\n"
                             u"       corvane-list members ZIP\n"
                             u"       corvane-list ls LIST [FOLDER]\n"
                             u"       corvane-list details LIST FOLDER NAME\n"
                             u"       corvane-list approval LIST|ZIP [MEMBER]\n"
                             u"       corvane-list save LIST OUT\n"
                             u"       corvane-list search [--result FILE] [--] LIST TERM\n"
                             u"       corvane-list filter [--result FILE] [--] LIST STATUS\n"
                             u"       corvane-list dates [--result FILE] [--] LIST FROM TO\n"
                             u"       corvane-list overview LIST [FOLDER]\n"
                             u"       corvane-list kinds LIST [FOLDER]\n"
                             u"       corvane-list classes [LIST]\n"
                             u"       corvane-list check LIST CHECKLIST\n"
                             u"       corvane-list compare OLD NEW [--summary]\n"
                             u"       corvane-list report LIST OUT.pdf|OUT.html|OUT.csv\n"
                             u"       corvane-list map LIST OUT.png [--size WxH] [FOLDER]\n"
                             u"       corvane-list find LIST QUERY... [--count]\n"
                             u"       corvane-list select LIST [--target SIZE] [--fs FS]\n"
                             u"                    [--except ITEM]... [--save OUT] [--] ITEM...\n";

} // namespace

int main(int argc, char *argv[])
{
    // The commands that draw (a report's pages) need fonts: a GUI
    // application, on no screen unless one is asked for.
    const bool draws = argc > 1 && std::strcmp(argv[1], "report") == 0;
    if (draws && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (draws) {
        // The runtime folder the platform would warn about is never used.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (!text.startsWith(u"QStandardPaths: "_s))
                corvane::cli::err(text + u'\n');
            if (type == QtFatalMsg)
                std::abort();
        });
    }
    std::unique_ptr<QCoreApplication> app;
    if (draws)
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty()) {
        corvane::cli::err(QString::fromUtf16(usageText));
        return corvane::cli::ExitUsage;
    }
    if (args.first().startsWith(u'-')) {
        const corvane::ProgramOptions options = corvane::parseProgramOptions(args);
        const bool help = options.action == corvane::ProgramOptions::Action::Help;
        if (help || options.action == corvane::ProgramOptions::Action::Version) {
            corvane::cli::out(help ? corvane::listHelpText()
                                   : corvane::versionText(u"corvane-list"_s));
            QString reason;
            return corvane::cli::outputWritten(&reason) ? corvane::cli::ExitOk
                                                        : corvane::cli::ExitFailure;
        }
    }
    const QString command = args.takeFirst();
    int rc = -1;
    if (command == u"summary"_s)
        rc = corvane::cli::runSummary(args);
    else if (command == u"tree"_s)
        rc = corvane::cli::runTree(args);
    else if (command == u"members"_s)
        rc = corvane::cli::runMembers(args);
    else if (command == u"ls"_s)
        rc = corvane::cli::runLs(args);
    else if (command == u"details"_s)
        rc = corvane::cli::runDetails(args);
    else if (command == u"approval"_s)
        rc = corvane::cli::runApproval(args);
    else if (command == u"save"_s)
        rc = corvane::cli::runSave(args);
    else if (command == u"search"_s)
        rc = corvane::cli::runSearch(args);
    else if (command == u"filter"_s)
        rc = corvane::cli::runFilter(args);
    else if (command == u"dates"_s)
        rc = corvane::cli::runDates(args);
    else if (command == u"overview"_s)
        rc = corvane::cli::runOverview(args);
    else if (command == u"kinds"_s)
        rc = corvane::cli::runKinds(args);
    else if (command == u"classes"_s)
        rc = corvane::cli::runClasses(args);
    else if (command == u"select"_s)
        rc = corvane::cli::runSelect(args);
    else if (command == u"check"_s)
        rc = corvane::cli::runCheck(args);
    else if (command == u"compare"_s)
        rc = corvane::cli::runCompare(args);
    else if (command == u"report"_s)
        rc = corvane::cli::runReport(args);
    else if (command == u"map"_s)
        rc = corvane::cli::runMap(args);
    else if (command == u"find"_s)
        rc = corvane::cli::runFind(args);
    if (rc == corvane::cli::ExitUsage || rc == -1) {
        corvane::cli::err(QString::fromUtf16(usageText));
        return corvane::cli::ExitUsage;
    }
    // What could not be written (a full disk, a closed pipe) is no success.
    QString reason;
    if (!corvane::cli::outputWritten(&reason)) {
        corvane::cli::err(u"corvane-list: the output could not be written: %1\n"_s.arg(reason));
        return corvane::cli::ExitFailure;
    }
    return rc;
}
