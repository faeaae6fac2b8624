// The open command (Command2, "Open File List"), Reload (mnuReload), the
// choice of a list in the zip member grid (iGrid3), and a list named on the
// command line.

#include "frmMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

void frmMain::Command2_Click()
{}

void frmMain::mnuReload_Click()
{}

void frmMain::iGrid3_DblClick(int row, int col)
{
    Q_UNUSED(row);
    Q_UNUSED(col);
}

void frmMain::OpenListFromCommandLine(const QString &path)
{
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(info.absoluteFilePath());
    QString problem;
    if (!info.exists()) {
        problem = langText(43) + u"\n\n"_s + shown;
    } else if (info.isDir()) {
        problem = u"\"%1\" is a folder, not a file list."_s.arg(shown);
    } else {
        QFile file(info.absoluteFilePath());
        if (!file.open(QIODevice::ReadOnly))
            problem = u"The file list \"%1\" cannot be read: %2."_s.arg(shown, file.errorString());
    }
    if (!problem.isEmpty()) {
        m_prompts.warning(this, problem, u"Error"_s, true);
        return;
    }
    RootPrefix.clear();
    ClearViews();
    CurrentListFile = info.absoluteFilePath();
    Label8->setText(caption(36));
    LoadListFile(CurrentListFile);
}

} // namespace corvane
