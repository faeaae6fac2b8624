#pragma once

// The command lines of the two programs beyond their own work: "--help" and
// "--version" answer at once (before any window or display is needed), and
// for the window the lists named after the options.

#include <QString>
#include <QStringList>

namespace corvane {

struct ProgramOptions
{
    enum class Action {
        Run,     // go on: open files (may be empty)
        Help,    // print the help text, exit 0
        Version, // print "<program> <version>", exit 0
        Wrong,   // an option nobody knows: say so on stderr, exit 2
    };
    Action action = Action::Run;
    QStringList files; // operands in the order given
    QString wrongOption;
};

// args: the arguments without the program's own name. "-h"/"--help" and
// "-v"/"--version" win wherever they stand before "--"; after "--" every
// argument is a file. A lone "-" is a file name.
ProgramOptions parseProgramOptions(const QStringList &args);

// "corvane 1.0.0\n"
QString versionText(const QString &program);
// The window program's help text.
QString windowHelpText();
// corvane-list's help text (the commands and their arguments).
QString listHelpText();

// The message, in English for the terminal, when more than one list is named.
QString onlyFirstFileNote(const QStringList &files);

} // namespace corvane
