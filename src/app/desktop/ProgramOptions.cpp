#include "ProgramOptions.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

ProgramOptions parseProgramOptions(const QStringList &args)
{
    ProgramOptions options;
    bool optionsEnded = false;
    for (const QString &arg : args) {
        if (optionsEnded || arg == u"-"_s || !arg.startsWith(u'-')) {
            options.files.append(arg);
        } else if (arg == u"--"_s) {
            optionsEnded = true;
        } else if (arg == u"-h"_s || arg == u"--help"_s || arg == u"-?"_s) {
            options.action = ProgramOptions::Action::Help;
            return options;
        } else if (arg == u"-v"_s || arg == u"--version"_s) {
            options.action = ProgramOptions::Action::Version;
            return options;
        } else if (options.wrongOption.isEmpty()) {
            options.wrongOption = arg;
        }
    }
    if (!options.wrongOption.isEmpty())
        options.action = ProgramOptions::Action::Wrong;
    return options;
}

QString versionText(const QString &program)
{
    return program + u' ' + QStringLiteral(CORVANE_VERSION) + u'\n';
}

QString windowHelpText()
{
    return u"Usage: corvane [OPTION] [LIST...]\n"
           u"Browse the file list a data-recovery lab sent you.\n"
           u"\n"
           u"LIST is a .csv file list or a zip archive holding lists; it is opened as if\n"
           u"chosen in the open dialog. Only the first LIST is opened.\n"
           u"\n"
           u"  -h, --help       show this help and exit\n"
           u"  -v, --version    show the version and exit\n"
           u"\n"
           u"Qt's own options (for instance -platform offscreen) are understood as well.\n"
           u"The window's size and columns are kept in ~/.config/corvane/, the lists\n"
           u"opened last and files taken out of zip archives in ~/.local/share/corvane/.\n"_s;
}

QString listHelpText()
{
    return u"Usage: corvane-list COMMAND ARGUMENTS\n"
           u"Read a recovered-file list (.csv) or the lists a zip archive offers.\n"
           u"\n"
           u"  summary LIST                 lines, folders, bytes, size, root prefix\n"
           u"  tree LIST                    the folder tree, two spaces per level\n"
           u"  members ZIP                  the lists a zip archive offers\n"
           u"  ls LIST [FOLDER]             the rows the file grid shows for FOLDER\n"
           u"  details LIST FOLDER NAME     the details panel of one row\n"
           u"  kinds LIST [FOLDER]          the files below FOLDER by kind and status class\n"
           u"  classes [LIST]               the status words and their classes; with LIST\n"
           u"                               its words, their classes and counts\n"
           u"  check LIST CHECKLIST         each entry of CHECKLIST (one a line): recovered,\n"
           u"                               partial, damaged or missing in LIST\n"
           u"  compare OLD NEW [--summary]  what changed from OLD to NEW, one line per path\n"
           u"                               (+ added, - removed, ~ status, s size), then\n"
           u"                               the counts; a list in a zip as ZIP:MEMBER\n"
           u"  find LIST QUERY... [--count] the lines QUERY's words all match (a pattern of\n"
           u"                               the path, ext:jpg;png, size:>10mb, dm:2019-03,\n"
           u"                               status:WORD, class:bad, kind:photos, -WORD not);\n"
           u"                               with --count their count and bytes\n"
           u"  select LIST ITEM...          what a choice comes to; --target SIZE, --fs FS\n"
           u"                               for the room it takes on a drive\n"
           u"  map LIST OUT.png [FOLDER]    the recovery map of FOLDER as a PNG picture;\n"
           u"                               --size WxH (16 to 8192, default 1200x800)\n"
           u"  report LIST OUT              the recovery report of LIST as OUT.pdf, OUT.html\n"
           u"                               or OUT.csv, in the language of the locale\n"
           u"\n"
           u"FOLDER is the names below \"Root\" joined by \"\\\" (absent or empty: \"Root\").\n"
           u"\n"
           u"  -h, --help       show this help and exit\n"
           u"  -v, --version    show the version and exit\n"
           u"\n"
           u"Exit status: 0 done, 1 a list could not be read or the output not written,\n"
           u"2 a wrong command line.\n"_s;
}

QString onlyFirstFileNote(const QStringList &files)
{
    QStringList rest;
    for (qsizetype i = 1; i < files.size(); ++i)
        rest.append(QDir::toNativeSeparators(files.at(i)));
    return u"corvane: only the first list is opened (%1); not opened: %2\n"_s.arg(
        QDir::toNativeSeparators(files.value(0)), rest.join(u", "_s));
}

} // namespace corvane
