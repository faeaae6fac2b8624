#pragma once

#include <QString>

namespace corvane {

// The lab that sends the lists: its web address (the caption of lblLink) and
// the one-line description of its service (Label26).
struct LabInfo
{
    static QString webAddress();
    static QString serviceDescription();
    static QString telephone();
};

// The program's version as the title shows it: major.minor.revision.
QString programVersion();

} // namespace corvane
