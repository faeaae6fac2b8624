#pragma once

// The system's words for an errno value, for a message that says why.

#include <QString>

namespace corvane {

// strerror's text for code, safe to ask from any thread (the searches, the
// loader and the unpacking run on threads of their own).
QString systemErrorText(int code);

} // namespace corvane
