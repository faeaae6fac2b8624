#pragma once

#include <QStringList>

namespace corvane {
struct SaveListResult;
} // namespace corvane

#include <cstdio>

namespace corvane::cli {

// Exit codes shared by every sub-command.
enum ExitCode { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

// Writes UTF-8 text with LF line ends to stdout / stderr.
void out(const QString &text);
void err(const QString &text);
// Writes text and empties it once it holds a MiB or more: a long listing goes
// out in pieces instead of being held whole.
void outWhenLarge(QString &text);
// Flushes stdout: false, with the reason, when any output could not be written.
bool outputWritten(QString *reason);

// A list written by `save` or `select --save`: nothing on success, else one
// line on stderr naming out and why; the exit code to return.
int reportSaved(const corvane::SaveListResult &saved, const QString &out);

// Each sub-command gets the arguments after its own name.
int runSummary(const QStringList &args);
int runTree(const QStringList &args);
int runMembers(const QStringList &args);
int runLs(const QStringList &args);
int runDetails(const QStringList &args);
int runApproval(const QStringList &args);
int runSave(const QStringList &args);
int runSearch(const QStringList &args);
int runFilter(const QStringList &args);
int runDates(const QStringList &args);
int runOverview(const QStringList &args);
int runKinds(const QStringList &args);
int runClasses(const QStringList &args);
int runSelect(const QStringList &args);
int runCheck(const QStringList &args);
int runCompare(const QStringList &args);
int runReport(const QStringList &args);
int runMap(const QStringList &args);
int runFind(const QStringList &args);

} // namespace corvane::cli
