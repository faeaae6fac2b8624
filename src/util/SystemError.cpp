#include "SystemError.h"

#include <cstring>

namespace corvane {

QString systemErrorText(int code)
{
    char buffer[256] = {};
    // The GNU strerror_r: returns the text, which may or may not be buffer.
    return QString::fromLocal8Bit(::strerror_r(code, buffer, sizeof buffer));
}

} // namespace corvane
