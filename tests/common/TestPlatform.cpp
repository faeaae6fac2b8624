// Window tests draw offscreen unless told otherwise, so that a test run by
// hand (outside CTest, without a display) runs instead of aborting.

#include <QByteArray>
#include <QtGlobal>

namespace {

const bool offscreenByDefault = [] {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    return true;
}();

} // namespace
