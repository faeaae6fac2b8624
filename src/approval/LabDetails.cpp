#include "LabDetails.h"

#include "LabDetailsValues.h"

namespace corvane {

QString labApprovalAddress()
{
    return QString::fromUtf8(LabDetailsValues::approvalAddress);
}

QString labWebAddress()
{
    return QString::fromUtf8(LabDetailsValues::webAddress);
}

QString labTelephone()
{
    return QString::fromUtf8(LabDetailsValues::telephone);
}

QString labServiceDescription()
{
    return QString::fromUtf8(LabDetailsValues::serviceDescription);
}

} // namespace corvane
