#pragma once

// The lab that sends the lists and receives the approvals. Each detail is a
// build setting (CORVANE_LAB_EMAIL, CORVANE_LAB_WEB, CORVANE_LAB_TELEPHONE,
// CORVANE_LAB_SERVICE), so a lab builds its own Corvane with one option each.

#include <QString>

namespace corvane {

QString labApprovalAddress();    // where approvals are sent
QString labWebAddress();         // the caption of lblLink
QString labTelephone();          // Label25
QString labServiceDescription(); // Label26, one line

} // namespace corvane
